// Lone counted sets over texts whose runs of members are mostly too short:
// the searcher passes over windows that no run can satisfy and takes the
// outcome of attempts refused at every position without placing them. The
// whole evaluation (hits, nodes, line numbers, replaced text) must be the
// same as with every window tried (g_bFastScan off), also where one window
// holds the whole text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "SearchTestUtil.h"
#include "engine/TextScan.h"
#include "search/EvalModel.h"

namespace {

class RefusedSets : public SearchFixture {
protected:
  void TearDown() override {
    g_bFastScan = 1;
    SearchFixture::TearDown();
  }

  static std::vector<std::string> Run(bool fast, const std::u16string& search, const std::u16string& text) {
    g_bFastScan = fast ? 1 : 0;
    CEvalModel model;
    Evaluate(model, search, u"<%1>", text);
    model.BuildReplacedText();
    g_bFastScan = 1;
    std::vector<std::string> out;
    for (const CZyHit& h : model.m_aHits)
      out.push_back(std::to_string(h.m_nPos) + " line " + std::to_string(h.m_nLine) + " '" + Show(h.m_strFound) + "'");
    out.push_back("replaced '" + Show(model.m_strReplaced) + "'");
    return out;
  }
};

TEST_F(RefusedSets, EvaluationsAgreeWithEveryWindowTried) {
  const std::vector<std::u16string> sets = {u"+3[a]",   u"+5[ab]",  u"+2-6[a ]", u"+8[ab ]", u"[b]",
                                            u"+4[0-9]", u"+12[ab]", u"+32767[a]", u"+99999999999[b]"};
  std::mt19937 random(4242);
  size_t withHits = 0, without = 0;
  for (int round = 0; round < 500; ++round) {
    const std::u16string& search = sets[random() % sets.size()];
    std::u16string text;
    const size_t units = 1 + random() % 400;
    const size_t longest = 1 + random() % 9;
    while (text.size() < units) {
      const size_t length = random() % longest;
      for (size_t i = 0; i < length; ++i) text += u"aab a1"[random() % 6];
      text += std::u16string(u"x\r\nyb\n")[random() % 6];
    }
    const std::vector<std::string> fast = Run(true, search, text);
    ASSERT_EQ(fast, Run(false, search, text)) << "'" << Show(search) << "' over '" << Show(text) << "'";
    (fast.size() > 1 ? withHits : without) += 1;
  }
  EXPECT_GE(withHits, 100u);
  EXPECT_GE(without, 100u);
}

}  // namespace
