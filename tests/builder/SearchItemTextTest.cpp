// Generating search item text from the form: count and set notations, escaping,
// every type with and without a string, native and UNIX-style syntax.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "builder/CharacterTable.h"
#include "builder/SearchItem.h"

namespace {

int32_t E(char16_t c) { return CharacterTable::EntryOfUnit(c); }

std::set<int32_t> Range(char16_t from, char16_t to) {
  std::set<int32_t> s;
  for (char16_t c = from; c <= to; ++c) s.insert(E(c));
  return s;
}

struct CountCase {
  std::u16string atLeast, noMoreThan, count;
};

class SearchCountTextCases : public ::testing::TestWithParam<CountCase> {};

TEST_P(SearchCountTextCases, UsesTheTextsAsTyped) {
  EXPECT_EQ(SearchCountText(GetParam().atLeast, GetParam().noMoreThan), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(Counts, SearchCountTextCases,
                         ::testing::Values(CountCase{u"2", u"5", u"2-5"}, CountCase{u"", u"5", u"-5"},
                                           CountCase{u"3", u"", u"3+"}, CountCase{u"", u"", u""},
                                           CountCase{u"0", u"0", u""}, CountCase{u"-2", u"4", u"-4"},
                                           CountCase{u" 2", u"x", u" 2+"}, CountCase{u"02", u"7x", u"02-7x"},
                                           CountCase{u"abc", u"+3", u"-+3"}));

struct SetCase {
  std::set<int32_t> selection;
  std::u16string set;
};

class SearchSetTextCases : public ::testing::TestWithParam<SetCase> {};

TEST_P(SearchSetTextCases, RunsAndTheFullRange) { EXPECT_EQ(SearchSetText(GetParam().selection), GetParam().set); }

std::set<int32_t> Join(std::set<int32_t> a, const std::set<int32_t>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

std::set<int32_t> AllCodes() {
  std::set<int32_t> s;
  for (int32_t k = 1; k <= 256; ++k) s.insert(k);
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Sets, SearchSetTextCases,
    ::testing::Values(SetCase{{}, u""}, SetCase{{0}, u""}, SetCase{{0, E(u'a'), E(u'b')}, u""},
                      SetCase{{E(u'x')}, u"[x]"}, SetCase{{E(u'a'), E(u'b')}, u"[a-b]"},
                      SetCase{Join(Range(u'a', u'c'), {E(u'x')}), u"[a-cx]"}, SetCase{Range(u'0', u'9'), u"[0-9]"},
                      SetCase{{E(u']'), E(u'-'), E(u'^')}, u"[-]-^]"}, SetCase{{E(u'\t'), E(u'\\')}, u"[\\t\\\\]"},
                      SetCase{AllCodes(), u"[]"}, SetCase{Range(0, u'z'), u"[\\0x00-z]"},
                      SetCase{Range(1, 255), u"[\\0x01-\u00FF]"}));

struct TextCase {
  SearchItemType type;
  std::u16string atLeast, noMoreThan, string;
  std::set<int32_t> selection;
  std::u16string native, unix;
};

class BuildSearchItemTextCases : public ::testing::TestWithParam<TextCase> {};

TEST_P(BuildSearchItemTextCases, NativeAndUnix) {
  const TextCase& c = GetParam();
  for (bool unixMode : {false, true}) {
    CSearchItemForm form;
    form.type = c.type;
    form.atLeast = c.atLeast;
    form.noMoreThan = c.noMoreThan;
    form.string = c.string;
    form.selection = c.selection;
    EXPECT_EQ(BuildSearchItemText(form, unixMode), unixMode ? c.unix : c.native) << (unixMode ? "UNIX" : "native");
  }
}

using T = SearchItemType;
const std::set<int32_t> kAbcx = Join(Range(u'a', u'c'), {E(u'x')});

INSTANTIATE_TEST_SUITE_P(
    WithString, BuildSearchItemTextCases,
    ::testing::Values(TextCase{T::ExactlyOne, u"", u"", u"ab", {}, u"ab", u"ab"},
                      TextCase{T::ExactlyOne, u"", u"", u"a+b", {}, u"a\\+b", u"a\\+b"},
                      // A string with a backslash anywhere is taken as escaped already.
                      TextCase{T::ExactlyOne, u"", u"", u"a\\.b*", {}, u"a\\.b*", u"a\\.b*"},
                      TextCase{T::ZeroOrMore, u"", u"", u"ab", {}, u"*(ab)", u"(ab)*"},
                      TextCase{T::OneOrMore, u"", u"", u"ab", {}, u"+(ab)", u"(ab)+"},
                      TextCase{T::CountRange, u"2", u"5", u"a+b", {}, u"+2-5(a\\+b)", u"+2-5(a\\+b)"},
                      TextCase{T::CountRange, u"", u"", u"ab", {}, u"+(ab)", u"(ab)+"},
                      TextCase{T::CountRange, u"3", u"", u"ab", {}, u"+3+(ab)", u"+3+(ab)"},
                      TextCase{T::CountRange, u"", u"4", u"ab", {}, u"+-4(ab)", u"+-4(ab)"},
                      TextCase{T::LineStart, u"", u"", u"ab", kAbcx, u"^", u"^"},
                      TextCase{T::LineEnd, u"", u"", u"ab", {}, u"$", u"$"},
                      TextCase{T::FileStart, u"", u"", u"ab", {}, u"ab", u"ab"},
                      TextCase{T::FileEnd, u"", u"", u"ab", {}, u"ab", u"ab"},
                      TextCase{T::NotMatched, u"", u"", u"ab", {}, u"!(ab)", u"(ab)!"},
                      TextCase{T::IsMatched, u"", u"", u"ab", {}, u"ab", u"ab"},
                      // The selection is not used while there is a string.
                      TextCase{T::OneOrMore, u"", u"", u"x", kAbcx, u"+(x)", u"(x)+"}));

INSTANTIATE_TEST_SUITE_P(
    WithoutString, BuildSearchItemTextCases,
    ::testing::Values(TextCase{T::ExactlyOne, u"", u"", u"", {0}, u"?", u"?"},
                      TextCase{T::ExactlyOne, u"", u"", u"", {0, E(u'a')}, u"?", u"?"},
                      TextCase{T::ExactlyOne, u"", u"", u"", AllCodes(), u"?[]", u"[]?"},
                      TextCase{T::ZeroOrMore, u"", u"", u"", kAbcx, u"*[a-cx]", u"[a-cx]*"},
                      TextCase{T::ZeroOrMore, u"", u"", u"", Range(u'a', u'z'), u"*[a-z]", u"[a-z]*"},
                      TextCase{T::OneOrMore, u"", u"", u"", Range(u'0', u'9'), u"+[0-9]", u"[0-9]+"},
                      TextCase{T::CountRange, u"2", u"", u"", Range(u'0', u'9'), u"+2+[0-9]", u"+2+[0-9]"},
                      TextCase{T::CountRange, u"2", u"5", u"", Range(u'0', u'9'), u"+2-5[0-9]", u"+2-5[0-9]"},
                      TextCase{T::CountRange, u"", u"", u"", Range(u'0', u'9'), u"+[0-9]", u"[0-9]+"},
                      TextCase{T::CountRange, u"3", u"", u"", {0}, u"+3+", u"+3+"},
                      TextCase{T::LineStart, u"", u"", u"", kAbcx, u"^", u"^"},
                      TextCase{T::LineEnd, u"", u"", u"", {}, u"$", u"$"},
                      TextCase{T::FileStart, u"", u"", u"", kAbcx, u"^^", u"^^"},
                      TextCase{T::FileEnd, u"", u"", u"", {}, u"$$", u"$$"},
                      TextCase{T::NotMatched, u"", u"", u"", {}, u"!()", u"()!"},
                      TextCase{T::IsMatched, u"", u"", u"", kAbcx, u"", u""}));

TEST(BuildSearchItemText, StoresTheEscapedStringBackIntoTheForm) {
  CSearchItemForm form;
  form.string = u"a+b";
  EXPECT_EQ(BuildSearchItemText(form, false), u"a\\+b");
  EXPECT_EQ(form.string, u"a\\+b");
  // Generating again leaves the now escaped string alone.
  EXPECT_EQ(BuildSearchItemText(form, false), u"a\\+b");
}

TEST(SearchFormFails, NeedsAStringOrACharacterForOneAndRanges) {
  CSearchItemForm form;
  EXPECT_TRUE(SearchFormFails(form, 1));
  EXPECT_FALSE(SearchFormFails(form, 0)) << "an empty list is never checked";
  form.type = T::CountRange;
  EXPECT_TRUE(SearchFormFails(form, 3));
  form.selection = {0};
  EXPECT_FALSE(SearchFormFails(form, 3));
  form.selection.clear();
  form.string = u"x";
  EXPECT_FALSE(SearchFormFails(form, 3));
  form.string.clear();
  for (auto t : {T::ZeroOrMore, T::OneOrMore, T::LineStart, T::FileEnd, T::NotMatched, T::IsMatched}) {
    form.type = t;
    EXPECT_FALSE(SearchFormFails(form, 1)) << static_cast<int>(t);
  }
}

TEST(SearchItemTypeText, TheComboEntriesAsTheyStand) {
  EXPECT_EQ(SearchItemTypeText(T::ExactlyOne), u"Exactly one occurrence");
  EXPECT_EQ(SearchItemTypeText(T::ZeroOrMore), u"Zero or more occurences");
  EXPECT_EQ(SearchItemTypeText(T::CountRange), u"A given range or occurences");
  EXPECT_EQ(SearchItemTypeText(T::NotMatched), u"Expression below *not* matched");
  EXPECT_EQ(SearchItemTypeText(T::IsMatched), u"Expression below *is* matched");
  EXPECT_EQ(SearchItemTypeText(static_cast<T>(10)), u"");
}

}  // namespace
