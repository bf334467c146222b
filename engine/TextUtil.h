// Conversions between UTF-8 and 16-bit text, for the command-line tool and tests.
#pragma once

#include <string>
#include <string_view>

// Invalid UTF-8 gives U+FFFD per bad byte; code points above U+FFFF give surrogate pairs.
std::u16string FromUtf8(std::string_view s);
// Lone surrogates are written as U+FFFD.
std::string ToUtf8(std::u16string_view s);
