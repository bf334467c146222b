// The replace page's logic: rows of a compiled template (fill parts and
// unrecognised units kept), type choices, spans, operations and the
// first-activation Apply.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/ReplaceItemModel.h"
#include "search/EvalModel.h"

namespace {

using Rows = std::vector<std::u16string>;

struct TemplateCase {
  std::u16string search;
  std::u16string replace;
  Rows rows;
};

class ReplaceRowsCases : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(ReplaceRowsCases, RowsConcatenateToTheTemplate) {
  const TemplateCase& c = GetParam();
  CEvalModel model;
  model.m_strSearch = c.search;
  model.m_strReplace = c.replace;
  model.CreateSearcher();
  CReplaceItemModel items(model);
  items.LoadReplaceItems();
  EXPECT_EQ(items.Rows(), c.rows);
  EXPECT_EQ(items.Expression(), c.replace);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, ReplaceRowsCases,
    ::testing::Values(TemplateCase{u"+[a-z]", u"a%1b", {u"a", u"%1", u"b"}},
                      TemplateCase{u"+[a-z]", u"%1%%ZYFILL*%%x", {u"%1%%ZYFILL*%%", u"x"}},
                      TemplateCase{u"+[a-z]", u"%1%%ZYFILL%%", {u"%1%%ZYFILL%%"}},
                      TemplateCase{u"+[a-z]", u"%1%%ZYFILL-", {u"%1", u"%%ZYFILL-"}},
                      TemplateCase{u"+[a-z]", u"%1x%0", {u"%1", u"x%0"}},
                      TemplateCase{u"+[a-z]", u"%1x\\t%0%1", {u"%1", u"x\\t%0%1"}},
                      TemplateCase{u"+[a-z]", u"%0%1", {u"%0%1"}},
                      TemplateCase{u"+[a-z]", u"50%%1", {u"50%%1"}},
                      TemplateCase{u"+[a-z]", u"ab%", {u"ab%"}},
                      TemplateCase{u"+[0-9]", u"%1<5<x", {u"%1<5<", u"x"}},
                      TemplateCase{u"+[a-z]", u"%1<5<x", {u"%1<", u"5<x"}},
                      TemplateCase{u"+[0-9]", u"#%1>007>", {u"#", u"%1>007>"}},
                      TemplateCase{u"+[a-z]", u"", {u""}}));

TEST(ReplaceItemModel, TypeChoicesFollowTheNodesWithAnOperator) {
  CEvalModel model;
  model.m_strSearch = u"abc*[0-9](x|y)def";
  model.CreateSearcher();
  CReplaceItemModel items(model);
  items.LoadReplaceItems();
  EXPECT_EQ(items.TypeChoices(),
            (Rows{u"String listed below", u"Match of search expression #1", u"Match of search expression #2"}));
  EXPECT_EQ(items.Form().type, 0);
}

TEST(ReplaceItemModel, WithoutSearcherTheTemplateStaysWhole) {
  CEvalModel model;
  model.m_strReplace = u"%1<5<x";
  CReplaceItemModel items(model);
  items.LoadReplaceItems();
  EXPECT_EQ(items.Rows(), Rows{u"%1<5<x"});
  EXPECT_EQ(items.TypeChoices(), Rows{u"String listed below"});
}

TEST(ReplaceItemModel, RefreshGivesTheReplacementAndTheSelectedElementsPart) {
  CEvalModel model;
  model.m_strSample = u"ab 12 cd 345";
  model.m_strSearch = u"+[0-9]";
  model.m_strReplace = u"[%1]";
  model.m_nCurHit = 1;
  model.FindHits();
  CReplaceItemModel items(model);
  CItemsResult r = items.Activate();
  EXPECT_EQ(items.Rows(), (Rows{u"[", u"%1", u"]"}));
  EXPECT_EQ(r.paneText, u"ab [12] cd [345]");
  ASSERT_TRUE(r.hasHit);
  EXPECT_EQ(r.hitStart, 11);  // character 9 of the sample plus the two brackets of the first hit
  EXPECT_EQ(r.hitEnd, 16);
  EXPECT_EQ(r.itemStart, 11);
  EXPECT_EQ(r.itemEnd, 12);
  r = items.Select(1);
  EXPECT_EQ(r.itemStart, 12);
  EXPECT_EQ(r.itemEnd, 15);
  EXPECT_EQ(items.Form().type, 1);
  model.m_nCurHit = 5;
  r = items.Select(2);
  EXPECT_FALSE(r.hasHit);
  EXPECT_EQ(r.paneText, u"ab [12] cd [345]");
}

TEST(ReplaceItemModel, OperationsRewriteTheTemplate) {
  CEvalModel model;
  model.m_strSample = u"x1";
  model.m_strSearch = u"+[0-9]";
  model.m_strReplace = u"a%1";
  model.FindHits();
  CReplaceItemModel items(model);
  items.Activate();
  items.Select(1);
  items.Form().upperCase = true;
  items.Form().string = u"5>";
  items.Apply();
  EXPECT_EQ(model.m_strReplace, u"a%1>5>");
  EXPECT_TRUE(items.Form().upperCase) << "read back from the row";
  EXPECT_EQ(items.Form().string, u"5>");
  items.Form() = CReplaceItemForm{0, false, false, u"<b>"};
  items.Insert();
  EXPECT_EQ(items.Rows(), (Rows{u"a", u"\\<b\\>", u"%1>5>"}));
  EXPECT_EQ(items.Selected(), 1);
  items.MoveDown();
  EXPECT_EQ(model.m_strReplace, u"a%1>5>\\<b\\>");
  EXPECT_EQ(items.Selected(), 2);
  items.Form() = CReplaceItemForm{0, false, false, u"!"};
  items.Add();
  items.Select(0);
  items.MoveUp();
  EXPECT_EQ(model.m_strReplace, u"a%1>5>\\<b\\>!");
  items.Remove();
  EXPECT_EQ(model.m_strReplace, u"%1>5>\\<b\\>!");
  EXPECT_TRUE(items.RemoveAll().listEmpty);
  EXPECT_EQ(model.m_strReplace, u"%1>5>\\<b\\>!") << "an empty list keeps the template";
  EXPECT_FALSE(items.Apply().refreshed);
}

struct FirstCase {
  std::u16string search, replace, after;
};

class ReplaceFirstActivationCases : public ::testing::TestWithParam<FirstCase> {};

TEST_P(ReplaceFirstActivationCases, RegeneratesRowZeroOnlyWhenItProducesTheSame) {
  const FirstCase& c = GetParam();
  CEvalModel model;
  model.m_strSample = u"ab 12";
  model.m_strSearch = c.search;
  model.m_strReplace = c.replace;
  model.FindHits();
  CReplaceItemModel items(model);
  items.Activate();
  items.FirstActivationApply();
  EXPECT_EQ(model.m_strReplace, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReplaceFirstActivationCases,
    ::testing::Values(FirstCase{u"+[a-z]", u"%1%%ZYFILL*%%", u"%1%%ZYFILL*%%"},
                      FirstCase{u"+[a-z]", u"%1>x", u"%1>x"},
                      FirstCase{u"+[a-z]", u"a<b", u"a\\<b"},         // escaped, the same literal
                      FirstCase{u"+[a-z]", u"a\\tb%1", u"a\\tb%1"},
                      FirstCase{u"+[0-9]", u"%1<5<", u"%1<5<"},
                      FirstCase{u"+[a-z]", u"%0%1", u"\\%0\\%1"},   // escaped, the same literal
                      FirstCase{u"x[ab", u"%1", u"%1"},               // the set has no combo entry
                      FirstCase{u"+[a-z]", u"", u""}));

}  // namespace
