// Expressions found by fuzzing the builder logic: a condition whose text ends
// in a lone backslash or holds an unclosed bracket cannot be listed closed
// without changing what it matches. Showing the search page must leave such an
// expression as it is, with the same hits, in both syntaxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BuilderTestUtil.h"
#include "builder/SearchItemModel.h"
#include "search/EvalModel.h"

namespace {

struct ShownCase {
  const char* name;
  bool unixMode;
  std::u16string search;
  std::u16string sample;
};

std::vector<int32_t> HitPositions(const std::u16string& search, const std::u16string& sample) {
  CEvalModel model;
  model.m_strSearch = search;
  model.m_strSample = sample;
  model.FindHits();
  std::vector<int32_t> out;
  for (const CZyHit& h : model.m_aHits) out.push_back(h.m_nPos);
  return out;
}

class ConditionsThatDoNotClose : public ::testing::TestWithParam<ShownCase> {
protected:
  void SetUp() override { g_bCaseSensitive = 0; }
};

TEST_P(ConditionsThatDoNotClose, ShowingThePageKeepsTheExpression) {
  const ShownCase& c = GetParam();
  CUnixProfileScope profile(c.unixMode);
  const std::vector<int32_t> before = HitPositions(c.search, c.sample);
  CEvalModel model;
  model.m_strSearch = c.search;
  model.m_strSample = c.sample;
  model.FindHits();
  CSearchItemModel items(model, c.unixMode);
  items.Activate();
  items.FirstActivationApply();
  EXPECT_EQ(model.m_strSearch, c.search);
  EXPECT_EQ(HitPositions(model.m_strSearch, c.sample), before);
}

INSTANTIATE_TEST_SUITE_P(
    FuzzFindings, ConditionsThatDoNotClose,
    ::testing::Values(ShownCase{"native_trailing_backslash", false, u"a+[b)]!(b\\", u"ab ab)"},
                      ShownCase{"unix_trailing_backslash", true, u"a!(b\\", u"a ab"},
                      ShownCase{"native_unclosed_group", false, u"a+[(x]!((x", u"a(x ax"},
                      ShownCase{"unix_unclosed_group", true, u"[!((\x10", u"\x10"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
