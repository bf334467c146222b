// Reading integers as the Windows C runtime's wcstol does: leading ASCII white
// space, an optional sign, base 0 (0x hex, leading 0 octal) or 10, clamped to
// the int32 range. Unlike glibc, '0x' without a hex digit after it reads nothing.
#pragma once

#include <cstdint>
#include <string_view>

struct CNumberRead {
  int32_t value = 0;
  int32_t consumed = 0;  // units read; 0 when no number was read
};

CNumberRead ReadNumber(std::u16string_view text, int base);
