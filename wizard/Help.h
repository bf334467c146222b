// The help pages that ship inside the program, shown in a help window. Topics
// are numbered as the help contexts of the windows that ask for them.
#pragma once

#include <QString>

class QTextBrowser;
class QWidget;

namespace tandrel {

inline constexpr unsigned kHelpAboutBox = 0x20064;
inline constexpr unsigned kHelpSamplePage = 0x20066;
inline constexpr unsigned kHelpSearchPage = 0x20067;
inline constexpr unsigned kHelpReplacePage = 0x20068;
inline constexpr unsigned kHelpEvalPage = 0x20069;
inline constexpr unsigned kHelpOrderingInfo = 0x2006A;  // 131178
inline constexpr unsigned kHelpLicense = 0x2006B;       // 131179

// The page of a topic ("qrc:/help/sample.html"); the contents page for an unknown one.
QString HelpPageForContext(unsigned context);
// Opens (or brings up) the help window at the topic.
void ShowHelpTopic(unsigned context, QWidget* parent);
// The help window's browser; null until help was first opened.
QTextBrowser* HelpBrowser();

}  // namespace tandrel
