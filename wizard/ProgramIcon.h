// Icon 128, the wizard's icon: the language pack's when it carries one.
#pragma once

#include <QIcon>

namespace tandrel {

QIcon ProgramIcon();
// Installed by the language pack; a null icon restores the program's own.
void SetProgramIconOverride(const QIcon& icon);

}  // namespace tandrel
