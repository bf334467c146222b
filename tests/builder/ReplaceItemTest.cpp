// Replace items: template text from the form, reading a row back, the round
// trip of the read-back forms.
#include <gtest/gtest.h>

#include <string>

#include "builder/ReplaceItem.h"

namespace {

struct BuildCase {
  int32_t type;
  bool upper, lower;
  std::u16string string;
  std::u16string text;
  std::u16string storedString;
};

class BuildReplaceItemTextCases : public ::testing::TestWithParam<BuildCase> {};

TEST_P(BuildReplaceItemTextCases, TextAndStoredString) {
  const BuildCase& c = GetParam();
  CReplaceItemForm form{c.type, c.upper, c.lower, c.string};
  EXPECT_EQ(BuildReplaceItemText(form), c.text);
  EXPECT_EQ(form.string, c.storedString);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, BuildReplaceItemTextCases,
    ::testing::Values(BuildCase{0, false, false, u"50%", u"50\\%", u"50\\%"},
                      BuildCase{0, false, false, u"<b>", u"\\<b\\>", u"\\<b\\>"},
                      BuildCase{0, false, false, u"a\\tb", u"a\\tb", u"a\\tb"},
                      BuildCase{0, true, true, u"", u"", u""},
                      BuildCase{-1, false, false, u"%1", u"\\%1", u"\\%1"},
                      BuildCase{2, false, false, u"ignored", u"%2", u"ignored"},
                      BuildCase{1, true, false, u"", u"%1>", u""},
                      BuildCase{1, false, true, u"abc", u"%1<", u"abc"},
                      BuildCase{1, true, false, u"007>", u"%1>007>", u"007>"},
                      BuildCase{1, false, true, u"5<", u"%1<5<", u"5<"},
                      // Lower Case wins; its mark is "<", so a string ending in ">" is dropped.
                      BuildCase{1, true, true, u"5>", u"%1<", u"5>"},
                      BuildCase{1, true, true, u"5<", u"%1<5<", u"5<"},
                      BuildCase{10, false, false, u"", u"%:", u""},
                      BuildCase{12, false, false, u"", u"%<", u""},
                      BuildCase{65, false, false, u"", u"%q", u""}));

struct LoadCase {
  std::u16string text;
  size_t typeCount;
  CReplaceItemForm form;
};

class LoadFormFromReplaceItemCases : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadFormFromReplaceItemCases, ReadsTypeMarksAndString) {
  CReplaceItemForm form{5, true, true, u"old"};
  LoadFormFromReplaceItem(GetParam().text, GetParam().typeCount, form);
  EXPECT_EQ(form, GetParam().form);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoadFormFromReplaceItemCases,
    ::testing::Values(LoadCase{u"abc", 3, {0, false, false, u"abc"}},  //
                      LoadCase{u"", 3, {0, false, false, u""}},        //
                      LoadCase{u"%", 3, {0, false, false, u"%"}},      //
                      LoadCase{u"%1", 3, {1, false, false, u""}},
                      LoadCase{u"%2>", 3, {2, true, false, u""}},
                      LoadCase{u"%1<5<", 3, {1, false, true, u"5<"}},
                      LoadCase{u"%1>007>", 2, {1, true, false, u"007>"}},
                      // Beyond the combo's entries: a literal, but the case mark still ticks.
                      LoadCase{u"%9", 3, {0, false, false, u"%9"}},
                      LoadCase{u"%3<", 3, {0, false, true, u"%3<"}},
                      LoadCase{u"%0", 3, {0, false, false, u"%0"}},
                      LoadCase{u"%:", 11, {10, false, false, u""}},
                      LoadCase{u"\\%1", 3, {0, false, false, u"\\%1"}}));

TEST(ReplaceItem, ReadBackFormsGenerateTheSameText) {
  for (const std::u16string text : {u"%1<5<", u"%1>", u"%2", u"%1>007>", u"a\\tb", u"\\<b\\>"}) {
    CReplaceItemForm form;
    LoadFormFromReplaceItem(text, 5, form);
    EXPECT_EQ(BuildReplaceItemText(form), text);
  }
  // A reference beyond the entries reads back as literal text, which applying escapes.
  CReplaceItemForm form;
  LoadFormFromReplaceItem(u"%9", 3, form);
  EXPECT_EQ(BuildReplaceItemText(form), u"\\%9");
}

}  // namespace
