// Escape decoding, unescaped-character search, bracketed parts and the case fold.
#include <gtest/gtest.h>

#include <string>

#include "engine/Escape.h"
#include "engine/TextUtil.h"

namespace {

struct DecodeCase {
  const char16_t* in;
  std::u16string out;
};

TEST(DecodeEscapes, Table) {
  const DecodeCase cases[] = {
      {u"plain", u"plain"},
      {u"\\a\\b\\f\\n\\r\\t\\v", u"\x07\x08\x0C\x0A\x0D\x09\x0B"},
      {u"\\?\\'\\\"\\\\", u"?'\"\\"},
      {u"\\*\\[\\x", u"*[x"},
      {u"ab\\", u"ab"},
      {u"\\", u""},
      {u"\\65", u"A"},
      {u"\\0101", u"A"},
      {u"\\0x41", u"A"},
      {u"\\1234", u"\u04D2"},
      {u"\\12345", u"\u04D25"},
      {u"\\0x263A", u"&3A"},
      {u"\\0", u""},
      {u"a\\0b", u"ab"},
      {u"\\08", u"8"},      // octal stops at '8'; the value 0 appends nothing
      {u"\\0xg", u"0xg"},   // '0x' without a hex digit reads no number
      {u"\\0X", u"0X"},
      {u"\\9z", u"\x09z"},
      {u"x\\\\y", u"x\\y"},
  };
  for (const auto& c : cases) {
    std::u16string s = c.in;
    DecodeEscapes(s);
    EXPECT_EQ(s, c.out) << "input: " << ToUtf8(c.in);
  }
}

TEST(IsEscaped, RunsOfBackslashes) {
  const std::u16string t = u"a\\b\\\\c\\\\\\d";
  EXPECT_FALSE(IsEscaped(t, 0));
  EXPECT_FALSE(IsEscaped(t, 1));
  EXPECT_TRUE(IsEscaped(t, 2));   // b
  EXPECT_FALSE(IsEscaped(t, 5));  // c after two
  EXPECT_TRUE(IsEscaped(t, 9));   // d after three
  EXPECT_TRUE(IsEscaped(u"\\", 1));
}

TEST(FindUnescaped, SkipsEscapedAndFindsFirst) {
  EXPECT_EQ(FindUnescaped(u"a\\*b*", u'*'), 4);
  EXPECT_EQ(FindUnescaped(u"a\\\\*b", u'*'), 3);
  EXPECT_EQ(FindUnescaped(u"\\*", u'*'), -1);
  EXPECT_EQ(FindUnescaped(u"\\\\", u'\\'), 0);
  EXPECT_EQ(FindUnescaped(u"a\\\\", u'\\'), 1);
  EXPECT_EQ(FindFirstUnescapedOf(u"", u"?*"), -1);
  EXPECT_EQ(FindFirstUnescapedOf(u"ab\\?c*d?", u"?*+"), 5);
  EXPECT_EQ(FindFirstUnescapedOf(u"abc", u"?*+"), -1);
}

struct GroupCase {
  const char16_t* text;
  int32_t length;
};

TEST(GroupLength, Table) {
  const GroupCase cases[] = {
      {u"(", -1},        {u"[", -1},       {u"", 0},          {u"ab", 0},
      {u"(ab)c", 4},     {u"(a(b)c)d", 7}, {u"(a\\)b)", 6},   {u"(ab", -1},
      {u"[a-z]x", 5},    {u"[a[b]]", 6},   {u"[a\\]]", 5},    {u"!(x)y", 4},
      {u"[(a)]", 4},     // the set's extent is found by parentheses
      {u"x[ab]", 5},     {u"\\(a)", -1},
      {u")(a)", 2},      // the depth is back at 0 right after the first '('
  };
  for (const auto& c : cases) EXPECT_EQ(GroupLength(c.text), c.length) << ToUtf8(c.text);
  EXPECT_EQ(FindMatchingClose(u"a)b", u'(', u')'), -1);
}

TEST(FoldCase, AsciiAndBeyond) {
  EXPECT_EQ(FoldCase(u'a'), u'A');
  EXPECT_EQ(FoldCase(u'z'), u'Z');
  EXPECT_EQ(FoldCase(u'A'), u'A');
  EXPECT_EQ(FoldCase(u'['), u'[');
  EXPECT_EQ(FoldCase(u'\u00e9'), u'\u00c9');
  EXPECT_EQ(FoldCase(u'\u00c9'), u'\u00c9');
  EXPECT_EQ(FoldCase(u'\u00ff'), u'\u0178');
  EXPECT_EQ(FoldCase(u'\u03b1'), u'\u0391');
  EXPECT_EQ(FoldCase(u'\u00df'), u'\u00df');  // no single-unit upper case
  EXPECT_EQ(FoldCase(char16_t{0xD801}), char16_t{0xD801});  // a surrogate stays
  EXPECT_EQ(FoldCase(u'\u0131'), u'I');       // dotless i maps below 128
}

}  // namespace
