// Reading a search item's text back into the form: every kind of node, both
// syntaxes, the case flag around the compile, and the compile error.
#include <gtest/gtest.h>

#include <string>

#include "BuilderTestUtil.h"
#include "builder/SearchItem.h"
#include "engine/UnicodeExpression.h"

namespace {

using T = SearchItemType;

struct ReadCase {
  std::u16string text;
  bool unixMode;
  T type;
  std::u16string string;
  std::set<int32_t> selection;
  bool counts = false;
  std::u16string atLeast = u"keep";
  std::u16string noMoreThan = u"keep";
};

class ReadBackCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadBackCases, SetsTheForm) {
  const ReadCase& c = GetParam();
  CSearchItemForm form;
  form.atLeast = u"keep";
  form.noMoreThan = u"keep";
  form.string = u"old";
  form.selection = {7};
  form.countsEnabled = true;
  LoadFormFromSearchItem(c.text, c.unixMode, form);
  EXPECT_EQ(form.type, c.type);
  EXPECT_EQ(form.string, c.string);
  EXPECT_EQ(form.selection, c.selection);
  EXPECT_EQ(form.countsEnabled, c.counts);
  EXPECT_EQ(form.atLeast, c.atLeast);
  EXPECT_EQ(form.noMoreThan, c.noMoreThan);
}

const std::set<int32_t> kAny{CharacterTable::kAnyPrintable};
const std::set<int32_t> kDigits = Entries(u"0123456789");
const std::set<int32_t> kLineBreaks = Entries(u"\r\n");

INSTANTIATE_TEST_SUITE_P(
    Native, ReadBackCases,
    ::testing::Values(
        ReadCase{u"abc", false, T::ExactlyOne, u"abc", {}},
        ReadCase{u"a\\+b", false, T::ExactlyOne, u"a+b", {}},
        ReadCase{u"a\\tb", false, T::ExactlyOne, u"a\tb", {}},
        ReadCase{u"Ab", false, T::ExactlyOne, u"Ab", {}},
        ReadCase{u"*[a-c]", false, T::ZeroOrMore, u"", Entries(u"abc")},
        ReadCase{u"+[0-9]", false, T::OneOrMore, u"", kDigits},
        ReadCase{u"?[0-9]", false, T::ExactlyOne, u"", kDigits},
        ReadCase{u"[0-9]", false, T::ExactlyOne, u"", kDigits},
        ReadCase{u"+2-5[0-9]", false, T::CountRange, u"", kDigits, true, u"2", u"5"},
        ReadCase{u"+3+(ab)", false, T::CountRange, u"ab", {}, true, u"3", u"32767"},
        ReadCase{u"+-4[x]", false, T::CountRange, u"", Entries(u"x"), true, u"1", u"4"},
        ReadCase{u"+(ab)", false, T::OneOrMore, u"ab", {}},
        ReadCase{u"*(ab)", false, T::ZeroOrMore, u"ab", {}},
        ReadCase{u"(cat|dog)", false, T::ExactlyOne, u"cat|dog", {}},
        ReadCase{u"+(cat|dog)", false, T::OneOrMore, u"cat|dog", {}},
        // Wildcards select "any printable character", with their count when they have one.
        ReadCase{u"?", false, T::ExactlyOne, u"", kAny},
        ReadCase{u"*", false, T::ZeroOrMore, u"", kAny},
        ReadCase{u"+", false, T::OneOrMore, u"", kAny},
        ReadCase{u"+3", false, T::CountRange, u"", kAny, true, u"1", u"3"},
        ReadCase{u"+2-4", false, T::CountRange, u"", kAny, true, u"1", u"4"},
        ReadCase{u"+3+", false, T::OneOrMore, u"", kAny},
        ReadCase{u"^", false, T::LineStart, u"", kLineBreaks},
        ReadCase{u"^^", false, T::FileStart, u"", kLineBreaks},
        ReadCase{u"$", false, T::LineEnd, u"", kLineBreaks},
        ReadCase{u"$$", false, T::FileEnd, u"", kLineBreaks},
        // A row typed as a condition compiles as an ordinary expression: its first node is '!'.
        ReadCase{u"!(ab)", false, T::ExactlyOne, u"!", {}},
        ReadCase{u"[]", false, T::ExactlyOne, u"", {}},
        ReadCase{u"[\u0141b]", false, T::ExactlyOne, u"", Entries(u"Ab")},
        ReadCase{u"[Ab]", false, T::ExactlyOne, u"", Entries(u"Ab")},
        ReadCase{u"", false, T::ExactlyOne, u"", {}},
        ReadCase{u"*[ab", false, T::ZeroOrMore, u"", Entries(u"[ab")}));

INSTANTIATE_TEST_SUITE_P(
    Unix, ReadBackCases,
    ::testing::Values(ReadCase{u"[a-c]*", true, T::ZeroOrMore, u"", Entries(u"abc")},
                      ReadCase{u"(ab)+", true, T::OneOrMore, u"ab", {}},
                      ReadCase{u"+3[0-9]", true, T::CountRange, u"", kDigits, true, u"3", u"3"},
                      ReadCase{u"+2-5(ab)", true, T::CountRange, u"ab", {}, true, u"2", u"5"},
                      ReadCase{u"[0-9]+3", true, T::OneOrMore, u"", kDigits},
                      ReadCase{u"*[0-9]", true, T::ZeroOrMore, u"", kDigits},
                      ReadCase{u"+3", true, T::CountRange, u"", kAny, true, u"1", u"3"},
                      ReadCase{u"(ab)!", true, T::ExactlyOne, u"!", {}}));

TEST(LoadFormFromSearchItem, CompilesCaseSensitivelyAndRestoresTheFlag) {
  for (int32_t flag : {0, 1}) {
    g_bCaseSensitive = flag;
    CSearchItemForm form;
    LoadFormFromSearchItem(u"aBc", false, form);
    EXPECT_EQ(form.string, u"aBc");
    EXPECT_EQ(g_bCaseSensitive, flag);
  }
  g_bCaseSensitive = 0;
}

TEST(LoadFormFromSearchItem, CompileErrorLeavesFormAndFlagAsTheyWere) {
  g_bCaseSensitive = 0;
  CSearchItemForm form;
  form.type = T::ZeroOrMore;
  form.string = u"before";
  const CSearchItemForm before = form;
  EXPECT_THROW(LoadFormFromSearchItem(u"+[-a]", false, form), CExpressionError);
  EXPECT_EQ(form, before);
  EXPECT_EQ(g_bCaseSensitive, 0);
  // The full-range rule: a run from code 0 that is not the whole range cannot compile.
  EXPECT_THROW(LoadFormFromSearchItem(u"?[\\0x00-z]", false, form), CExpressionError);
  EXPECT_EQ(g_bCaseSensitive, 0);
}

// Forms read back and generated again give the same text where the text is the
// generator's own.
TEST(LoadFormFromSearchItem, GeneratedTextsSurviveTheRoundTrip) {
  struct Case {
    std::u16string text;
    bool unixMode;
  };
  for (const Case& c : {Case{u"+2-5(a\\+b)", false}, Case{u"*[a-cx]", false}, Case{u"?", false},
                        Case{u"+2-32767[0-9]", false}, Case{u"a\\+b", false}, Case{u"^^", false},
                        Case{u"$", false}, Case{u"+", false}, Case{u"+1-3", false}, Case{u"(ab)+", true},
                        Case{u"[a-z]*", true}, Case{u"+2-5[0-9]", true}, Case{u"+1-3", true}, Case{u"?", true}}) {
    CSearchItemForm form;
    LoadFormFromSearchItem(c.text, c.unixMode, form);
    EXPECT_EQ(BuildSearchItemText(form, c.unixMode), c.text) << (c.unixMode ? "UNIX " : "native ");
  }
}

}  // namespace
