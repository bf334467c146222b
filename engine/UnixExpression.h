// Moving postfix operators after a set or group to the front, where the native
// syntax expects them.
#pragma once

#include <string>

// Rewrites text in place and returns true when at least one operator moved.
bool TranslateUnixExpression(std::u16string& text);
