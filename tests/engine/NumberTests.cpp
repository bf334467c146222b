// Number reading compared with the C library's own wcstol.
#include <gtest/gtest.h>

#include <cwchar>
#include <limits>
#include <string>

#include "engine/Number.h"
#include "engine/TextUtil.h"

namespace {

CNumberRead LibraryRead(const std::u16string& text, int base) {
  const std::wstring w(text.begin(), text.end());
  wchar_t* end = nullptr;
  const long v = std::wcstol(w.c_str(), &end, base);
  CNumberRead r;
  r.consumed = static_cast<int32_t>(end - w.c_str());
  if (v > std::numeric_limits<int32_t>::max()) {
    r.value = std::numeric_limits<int32_t>::max();
  } else if (v < std::numeric_limits<int32_t>::min()) {
    r.value = std::numeric_limits<int32_t>::min();
  } else {
    r.value = static_cast<int32_t>(v);
  }
  return r;
}

TEST(ReadNumber, AgreesWithWcstol) {
  const char16_t* inputs[] = {
      u"",          u"0",          u"7",          u"42abc",       u"  12",       u"\t\n\v\f\r 5",
      u"+3",        u"-3",         u"+",          u"-",           u" -",         u"- 3",
      u"010",       u"08",         u"0777",       u"0x1F",        u"0X1f",       u"0xFFz",
      u"-0x10",     u"2147483647", u"2147483648", u"-2147483648", u"-2147483649",
      u"99999999999999999999999",  u"-99999999999999999999999",   u"0x7FFFFFFFFF",
      u"abc",       u"3-5",        u"3+",         u"0b101",       u"00x5",       u"1 2",
  };
  for (const char16_t* in : inputs) {
    for (int base : {0, 10}) {
      const CNumberRead mine = ReadNumber(in, base);
      const CNumberRead lib = LibraryRead(in, base);
      EXPECT_EQ(mine.value, lib.value) << "'" << ToUtf8(in) << "' base " << base;
      EXPECT_EQ(mine.consumed, lib.consumed) << "'" << ToUtf8(in) << "' base " << base;
    }
  }
}

TEST(ReadNumber, HexPrefixWithoutDigitReadsNothing) {
  for (const char16_t* in : {u"0x", u"0xg", u" -0X", u"0x "}) {
    const CNumberRead r = ReadNumber(in, 0);
    EXPECT_EQ(r.consumed, 0) << ToUtf8(in);
    EXPECT_EQ(r.value, 0) << ToUtf8(in);
  }
  // Base 10 knows no prefix: '0x' is the number 0 followed by 'x'.
  EXPECT_EQ(ReadNumber(u"0xg", 10).consumed, 1);
}

TEST(ReadNumber, OnlyAsciiSpaceAndDigits) {
  EXPECT_EQ(ReadNumber(u"\u00a012", 10).consumed, 0);   // no-break space is not white space
  EXPECT_EQ(ReadNumber(u"\u0663", 10).consumed, 0);     // Arabic-Indic digit three
  EXPECT_EQ(ReadNumber(u"\uff11", 10).consumed, 0);     // fullwidth digit one
  const CNumberRead r = ReadNumber(u"12\u0663", 10);
  EXPECT_EQ(r.value, 12);
  EXPECT_EQ(r.consumed, 2);
}

}  // namespace
