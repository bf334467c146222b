// The search page's logic on an evaluation model: activation, the buttons, the
// selection, the form check, compile errors and the first-activation Apply.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BuilderTestUtil.h"
#include "builder/SearchItemModel.h"
#include "search/EvalModel.h"

namespace {

std::vector<std::u16string> Texts(const CSearchItemModel& items) {
  std::vector<std::u16string> texts;
  for (const auto& row : items.Rows()) texts.push_back(row.text);
  return texts;
}

class SearchItemModelTest : public ::testing::Test {
protected:
  SearchItemModelTest() { g_bCaseSensitive = 0; }
  ~SearchItemModelTest() override { g_bCaseSensitive = 0; }
  CEvalModel model;
  CSearchItemModel items{model, false};
};

TEST_F(SearchItemModelTest, ActivationListsTheExpressionAndReadsRowZero) {
  model.m_strSearch = u"abc+[0-9]";
  const CItemsResult r = items.Activate();
  EXPECT_TRUE(r.refreshed);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(Texts(items), (std::vector<std::u16string>{u"abc", u"+[0-9]"}));
  EXPECT_EQ(items.Selected(), 0);
  EXPECT_EQ(items.Form().type, SearchItemType::ExactlyOne);
  EXPECT_EQ(items.Form().string, u"abc");
  EXPECT_EQ(model.m_strSearch, u"abc+[0-9]");
  EXPECT_FALSE(items.Form().countsEnabled);
  ASSERT_TRUE(items.Select(1).refreshed);
  EXPECT_EQ(items.Form().type, SearchItemType::OneOrMore);
  EXPECT_EQ(items.Form().selection, Entries(u"0123456789"));
  EXPECT_FALSE(items.Select(1).refreshed) << "selecting the selected row changes nothing";
}

TEST_F(SearchItemModelTest, ApplyRewritesTheSelectedRowAndKeepsItsCode) {
  model.m_strSearch = u"x*[ab]";
  items.Activate();
  items.Select(1);
  items.SetType(SearchItemType::OneOrMore);
  const CItemsResult r = items.Apply();
  EXPECT_TRUE(r.refreshed);
  EXPECT_EQ(items.Rows()[1].text, u"+[a-b]");
  EXPECT_EQ(items.Rows()[1].code, u"%1");
  EXPECT_EQ(model.m_strSearch, u"x+[a-b]");
}

TEST_F(SearchItemModelTest, FailedCheckShowsMessage5000AndChangesNothing) {
  model.m_strSearch = u"ab";
  items.Activate();
  items.Form().string.clear();
  items.Form().selection.clear();
  items.SetType(SearchItemType::CountRange);
  const CItemsResult r = items.Apply();
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0].kind, CBuilderMessage::Kind::FormIncomplete);
  EXPECT_EQ(r.messages[0].text, u"Please enter a string or select characters to match");
  EXPECT_FALSE(r.refreshed);
  EXPECT_EQ(Texts(items), std::vector<std::u16string>{u"ab"});
  ASSERT_TRUE(items.CheckForm().has_value());
  // Insert creates its row first; when the check fails it keeps its one space.
  const CItemsResult ins = items.Insert();
  ASSERT_EQ(ins.messages.size(), 1u);
  EXPECT_EQ(Texts(items), (std::vector<std::u16string>{u" ", u"ab"}));
  EXPECT_EQ(items.Selected(), 0);
  EXPECT_EQ(model.m_strSearch, u" ab");
}

TEST_F(SearchItemModelTest, InsertAddRemoveAndMove) {
  model.m_strSearch = u"a*[0-9]b";
  items.Activate();
  items.Select(1);
  items.Form() = CSearchItemForm{};
  items.Form().string = u"x+";
  items.Insert();  // before the selected row
  EXPECT_EQ(Texts(items), (std::vector<std::u16string>{u"a", u"x\\+", u"*[0-9]", u"b"}));
  EXPECT_EQ(items.Selected(), 1);
  EXPECT_EQ(items.Rows()[1].code, u"");
  items.Form() = CSearchItemForm{};
  items.Form().string = u"z";
  items.Add();  // always last
  EXPECT_EQ(Texts(items).back(), u"z");
  EXPECT_EQ(items.Selected(), 4);
  EXPECT_EQ(model.m_strSearch, u"ax\\+*[0-9]bz");

  EXPECT_FALSE(items.MoveDown().refreshed) << "the last row cannot move down";
  items.Select(2);
  ASSERT_TRUE(items.MoveUp().refreshed);
  EXPECT_EQ(Texts(items), (std::vector<std::u16string>{u"a", u"*[0-9]", u"x\\+", u"b", u"z"}));
  EXPECT_EQ(items.Selected(), 1);
  EXPECT_EQ(items.Rows()[1].code, u"") << "a moved row carries only its text";
  items.Select(0);
  EXPECT_FALSE(items.MoveUp().refreshed) << "the first row cannot move up";
  ASSERT_TRUE(items.MoveDown().refreshed);
  EXPECT_EQ(items.Selected(), 1);
  EXPECT_EQ(model.m_strSearch, u"*[0-9]ax\\+bz");

  items.Select(4);
  items.Remove();
  EXPECT_EQ(items.Selected(), 3) << "removing the last row selects the new last row";
  EXPECT_EQ(model.m_strSearch, u"*[0-9]ax\\+b");
  const CItemsResult all = items.RemoveAll();
  EXPECT_TRUE(all.listEmpty);
  EXPECT_TRUE(items.Rows().empty());
  EXPECT_EQ(items.Selected(), -1);
  EXPECT_TRUE(items.Form().string.empty());
  EXPECT_TRUE(items.Form().selection.empty());
  EXPECT_EQ(model.m_strSearch, u"*[0-9]ax\\+b") << "an empty list keeps the expression";
  for (auto op : {&CSearchItemModel::Apply, &CSearchItemModel::Remove, &CSearchItemModel::MoveUp,
                  &CSearchItemModel::MoveDown})
    EXPECT_FALSE((items.*op)().refreshed);
  EXPECT_FALSE(items.CheckForm().has_value()) << "an empty list is not checked";
}

TEST_F(SearchItemModelTest, RemovingTheOnlyRowKeepsTheExpression) {
  model.m_strSearch = u"abc";
  items.Activate();
  EXPECT_TRUE(items.Remove().listEmpty);
  EXPECT_EQ(model.m_strSearch, u"abc");
}

TEST_F(SearchItemModelTest, CompileErrorIsReportedOnceAndTheExpressionKept) {
  model.m_strSearch = u"a[-b]c";
  const CItemsResult r = items.Activate();
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0].kind, CBuilderMessage::Kind::CompileError);
  EXPECT_FALSE(r.messages[0].text.empty());
  EXPECT_EQ(Texts(items), std::vector<std::u16string>{u"a[-b]c"});
  EXPECT_EQ(model.m_strSearch, u"a[-b]c");
  EXPECT_EQ(model.m_pSearcher, nullptr);
  EXPECT_EQ(g_bCaseSensitive, 0);
  // Generating an item that does not compile: the row is written, the error reported.
  items.RemoveAll();
  items.Form() = CSearchItemForm{};
  items.Form().selection = {1, 2, 3};  // codes 0 to 2: a range whose start decodes to nothing
  const CItemsResult add = items.Add();
  EXPECT_EQ(Texts(items), std::vector<std::u16string>{u"?[\\0x00-\\0x02]"});
  ASSERT_FALSE(add.messages.empty());
  EXPECT_EQ(add.messages[0].kind, CBuilderMessage::Kind::CompileError);
  EXPECT_EQ(g_bCaseSensitive, 0);
}

TEST_F(SearchItemModelTest, TypeChangeSwitchesTheCountEdits) {
  items.SetType(SearchItemType::CountRange);
  EXPECT_TRUE(items.Form().countsEnabled);
  items.SetType(SearchItemType::ZeroOrMore);
  EXPECT_FALSE(items.Form().countsEnabled);
  model.m_strSearch = u"+2-5[0-9]";
  items.Activate();
  EXPECT_TRUE(items.Form().countsEnabled);
  EXPECT_EQ(items.Form().atLeast, u"2");
  EXPECT_EQ(items.Form().noMoreThan, u"5");
}

struct FirstCase {
  std::u16string expression;
  bool unixMode;
  std::u16string after;  // the search expression after the first-activation Apply
};

class FirstActivationCases : public ::testing::TestWithParam<FirstCase> {};

TEST_P(FirstActivationCases, RegeneratesRowZeroOnlyWhenItMatchesAlike) {
  const FirstCase& c = GetParam();
  CUnixProfileScope profile(c.unixMode);
  g_bCaseSensitive = 0;
  CEvalModel model;
  CSearchItemModel items(model, c.unixMode);
  model.m_strSearch = c.expression;
  items.Activate();
  items.FirstActivationApply();
  EXPECT_EQ(model.m_strSearch, c.after);
  EXPECT_EQ(items.Expression(), c.after);
  EXPECT_EQ(g_bCaseSensitive, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FirstActivationCases,
    ::testing::Values(FirstCase{u"(cat|dog)s", false, u"(cat|dog)s"},     // would become cat\|dog
                      FirstCase{u"(ab)x", false, u"(ab)x"},               // a group would become a literal
                      FirstCase{u"+3x", false, u"+1-3x"},                 // the counted wildcard keeps its count
                      FirstCase{u"?[ba]x", false, u"?[a-b]x"},            // same members
                      FirstCase{u"[\u0141]x", false, u"[\u0141]x"},       // beyond the character list
                      FirstCase{u"a\\\\*", false, u"a\\\\*"},             // would end in a lone backslash
                      FirstCase{u"a\\+b*", false, u"a\\+b*"},
                      FirstCase{u"Ab*", false, u"Ab*"},
                      FirstCase{u"^^x", false, u"^^x"},
                      FirstCase{u"[]x", false, u"[]x"},                   // reads back with nothing selected
                      FirstCase{u"[0-9]+x", true, u"[0-9]+x"},
                      FirstCase{u"+3[0-9]x", true, u"+3-3[0-9]x"},
                      // '|' splits a group even when escaped: the same alternatives.
                      FirstCase{u"*(cat|dog)s", false, u"*(cat\\|dog)s"},
                      FirstCase{u"(cat|dog)*s", true, u"(cat\\|dog)*s"}));

}  // namespace

namespace {

TEST(SearchItemModelHits, SpansConditionsAndStaleConditionIndexes) {
  g_bCaseSensitive = 0;
  CEvalModel model;
  CSearchItemModel items(model, false);
  model.m_strSample = u"ab 12 cd 345x";
  model.m_strSearch = u"c+[a-z] +[0-9]!(1)";
  CItemsResult r = items.Activate();
  ASSERT_EQ(Texts(items), (std::vector<std::u16string>{u"c", u"+[a-z]", u" ", u"+[0-9]", u"!(1)"}));
  EXPECT_EQ(items.Rows()[4].constraint, 1u);
  ASSERT_TRUE(r.hasHit);
  EXPECT_EQ(r.paneText, model.m_strSample);
  EXPECT_EQ(r.hitStart, 6);  // "cd 345"
  EXPECT_EQ(r.hitEnd, 12);
  EXPECT_EQ(r.itemStart, 6);
  EXPECT_EQ(r.itemEnd, 7);
  r = items.Select(3);
  EXPECT_EQ(r.itemStart, 9);
  EXPECT_EQ(r.itemEnd, 12);
  r = items.Select(4);
  EXPECT_TRUE(r.constraintShown);
  EXPECT_EQ(items.Form().type, SearchItemType::NotMatched);
  EXPECT_EQ(items.Form().string, u"1");
  EXPECT_FALSE(items.Form().countsEnabled);

  // The condition row rewritten as an ordinary item keeps its index, which no
  // condition answers any more: it reads as an ordinary item.
  items.Form() = CSearchItemForm{};
  items.Form().string = u"x";
  r = items.Apply();
  EXPECT_EQ(model.m_strSearch, u"c+[a-z] +[0-9]x");
  EXPECT_EQ(items.Rows()[4].constraint, 1u);
  ASSERT_NE(model.m_pSearcher, nullptr);
  EXPECT_TRUE(model.m_pSearcher->constraints.empty());
  ASSERT_TRUE(r.hasHit);
  EXPECT_FALSE(r.constraintShown);
  EXPECT_EQ(items.Form().type, SearchItemType::ExactlyOne);
  EXPECT_EQ(items.Form().string, u"x");
  EXPECT_EQ(r.itemStart, 12);
  EXPECT_EQ(r.itemEnd, 13);

  // Without a current hit the pane shows the sample text and the caret goes to 0.
  model.m_nCurHit = 3;
  r = items.Select(0);
  EXPECT_FALSE(r.hasHit);
  EXPECT_EQ(r.itemStart, 0);
  EXPECT_EQ(items.Form().string, u"c");
}

}  // namespace
