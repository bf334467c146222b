// --screenshot DIR: pictures of every page and of the About box, taken while
// the wizard runs, then Cancel. For looking at the windows without a screen.
#pragma once

#include <QString>

class CTandrelSheet;

namespace tandrel {

void ScheduleScreenshots(CTandrelSheet& sheet, const QString& dir);

}  // namespace tandrel
