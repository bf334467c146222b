// Before Qt is started: is there a display to show the wizard on? Without one
// Qt would stop with a platform-plugin error that tells the user little.
#pragma once

#include <string>

namespace tandrel {

// Empty when a display may be there (or a platform was chosen explicitly);
// otherwise one line that says what is missing and how to run without a screen.
std::string NoDisplayMessage();

}  // namespace tandrel
