// Escaping of literal text for the builder pages.
#include "builder/Escaping.h"

int32_t EscapeChar(std::u16string& text, char16_t c) {
  int32_t count = 0;
  size_t pos = 0;
  while ((pos = text.find(c, pos)) != std::u16string::npos) {
    text.insert(pos, 1, u'\\');
    pos += 2;  // past the inserted backslash and the character
    ++count;
  }
  return count;
}

int32_t EscapeSpecials(std::u16string& text, std::u16string_view specials) {
  int32_t count = 0;
  for (char16_t c : specials) count += EscapeChar(text, c);
  return count;
}
