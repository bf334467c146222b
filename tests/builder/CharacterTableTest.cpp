// The character list's entries: code texts and labels, and the alphanumeric stand-in.
#include <gtest/gtest.h>

#include <string>

#include "builder/CharacterTable.h"
#include "res/Strings.h"

namespace {

struct EntryCase {
  int32_t entry;
  std::u16string codeText;
  std::u16string label;
};

class CharacterTableEntries : public ::testing::TestWithParam<EntryCase> {};

TEST_P(CharacterTableEntries, CodeTextAndLabel) {
  const CharacterTable table;
  const EntryCase& c = GetParam();
  EXPECT_EQ(table[c.entry].codeText, c.codeText);
  EXPECT_EQ(table[c.entry].label, c.label);
  EXPECT_EQ(CharacterTable::CodeText(c.entry), c.codeText);
  EXPECT_EQ(table[c.entry].code, c.entry - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CharacterTableEntries,
    ::testing::Values(EntryCase{0, u"", u"Any printable character"},  //
                      EntryCase{1, u"\\0x00", u"NULL - #0"},          //
                      EntryCase{2, u"\\0x01", u"\x01 - #1"},          //
                      EntryCase{8, u"\\a", u"\a - #7"},               //
                      EntryCase{9, u"\\b", u"\b - #8"},               //
                      EntryCase{10, u"\\t", u"TAB - #9"},             //
                      EntryCase{11, u"\\n", u"LF - #10"},             //
                      EntryCase{12, u"\\v", u"\v - #11"},             //
                      EntryCase{13, u"\\f", u"\f - #12"},             //
                      EntryCase{14, u"\\r", u"CR - #13"},             //
                      EntryCase{32, u"\\0x1f", u"\x1f - #31"},        //
                      EntryCase{33, u" ", u"(space) - #32"},          //
                      EntryCase{34, u"!", u"! - #33"},                //
                      EntryCase{35, u"\\\"", u"\" - #34"},            //
                      EntryCase{40, u"\\'", u"' - #39"},              //
                      EntryCase{49, u"0", u"0 - #48"},                //
                      EntryCase{64, u"\\?", u"? - #63"},              //
                      EntryCase{66, u"A", u"A - #65"},                //
                      EntryCase{92, u"[", u"[ - #91"},                //
                      EntryCase{93, u"\\\\", u"\\ - #92"},            //
                      EntryCase{94, u"]", u"] - #93"},                //
                      EntryCase{127, u"~", u"~ - #126"},              //
                      EntryCase{128, u"\\0x7f", u"\x7f - #127"},      //
                      EntryCase{129, u"\\0x80", u"\u0080 - #128"},    //
                      EntryCase{171, u"\\0xaa", u"\u00AA - #170"},    //
                      EntryCase{192, u"\\0xbf", u"\u00BF - #191"},    //
                      EntryCase{193, u"\u00C0", u"\u00C0 - #192"},    //
                      EntryCase{216, u"\\0xd7", u"\u00D7 - #215"},    //
                      EntryCase{248, u"\\0xf7", u"\u00F7 - #247"},    //
                      EntryCase{256, u"\u00FF", u"\u00FF - #255"}));

TEST(CharacterTable, HasAllEntriesInCodeOrder) {
  const CharacterTable table;
  ASSERT_EQ(table.Size(), CharacterTable::kEntries);
  EXPECT_EQ(table[0].code, -1);
  for (int32_t k = 1; k < table.Size(); ++k) {
    EXPECT_EQ(table[k].code, k - 1);
    EXPECT_EQ(CharacterTable::EntryOfUnit(static_cast<char16_t>(k - 1)), k);
    EXPECT_FALSE(table[k].codeText.empty()) << k;
  }
  // A unit above 255 finds the entry of its low eight bits.
  EXPECT_EQ(CharacterTable::EntryOfUnit(u'\u0141'), 0x41 + 1);
  EXPECT_EQ(CharacterTable::CodeText(0), u"");
  EXPECT_EQ(CharacterTable::CodeText(257), u"");
}

TEST(CharacterTable, AnyPrintableLabelComesFromTheStringTable) {
  res::SetStringOverride([](unsigned id, std::u16string& text) {
    if (id != 5001) return false;
    text = u"Beliebiges Zeichen";
    return true;
  });
  const CharacterTable translated;
  res::SetStringOverride({});
  const CharacterTable own;
  EXPECT_EQ(translated[0].label, u"Beliebiges Zeichen");
  EXPECT_EQ(own[0].label, u"Any printable character");
}

TEST(CharacterTable, AlphaNumericStandIn) {
  EXPECT_TRUE(IsCharAlphaNumericLatin1(u'a'));
  EXPECT_TRUE(IsCharAlphaNumericLatin1(u'Z'));
  EXPECT_TRUE(IsCharAlphaNumericLatin1(u'7'));
  EXPECT_FALSE(IsCharAlphaNumericLatin1(u'_'));
  EXPECT_FALSE(IsCharAlphaNumericLatin1(u' '));
  for (char16_t c = 192; c <= 255; ++c)
    EXPECT_EQ(IsCharAlphaNumericLatin1(c), c != 215 && c != 247) << static_cast<int>(c);
}

}  // namespace
