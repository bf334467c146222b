// Putting a backslash before special characters of text typed by the user, so
// that it stands for itself inside a search expression or a template.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The search item specials and the replace item specials; both start with the
// backslash so that backslashes already present are doubled first.
inline constexpr std::u16string_view kSearchSpecials = u"\\+*?[]()!|-$^";
inline constexpr std::u16string_view kReplaceSpecials = u"\\%<>";

// Inserts a backslash before every occurrence of c; returns how many there were.
int32_t EscapeChar(std::u16string& text, char16_t c);
// EscapeChar for each special in order; returns the sum.
int32_t EscapeSpecials(std::u16string& text, std::u16string_view specials);
