// Integer reading with the Windows C runtime's wcstol rules, shared by escape
// decoding, '+' counts and the replace templates.
#include "engine/Number.h"

#include <cstdint>
#include <limits>

namespace {

bool IsAsciiSpace(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Value of an ASCII digit or letter as a digit, 99 for anything else.
int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

}  // namespace

CNumberRead ReadNumber(std::u16string_view text, int base) {
  const size_t size = text.size();
  size_t i = 0;
  while (i < size && IsAsciiSpace(text[i])) ++i;
  bool negative = false;
  if (i < size && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  int radix = base;
  if (radix == 0 || radix == 16) {
    if (i + 1 < size && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
      // The Windows runtime reads nothing at all from a '0x' without a hex digit.
      if (i + 2 >= size || DigitValue(text[i + 2]) >= 16) return {};
      i += 2;
      radix = 16;
    } else if (radix == 0) {
      radix = (i < size && text[i] == u'0') ? 8 : 10;
    }
  }
  if (radix < 2 || radix > 36) return {};

  constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  const size_t firstDigit = i;
  int64_t value = 0;
  while (i < size && DigitValue(text[i]) < radix) {
    value = value * radix + DigitValue(text[i]);
    if (value > kCap) value = kCap;  // anything beyond clamps the same way
    ++i;
  }
  if (i == firstDigit) return {};
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
  return {static_cast<int32_t>(value), static_cast<int32_t>(i)};
}
