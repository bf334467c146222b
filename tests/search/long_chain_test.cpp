// Long chains are placed through an index of their placement state instead of
// walks along the chain. The index must not change any result: generated long
// expressions are evaluated with it and with the walks, and every field of
// every hit must agree.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "SearchTestUtil.h"
#include "engine/Match.h"
#include "search/EvalModel.h"

namespace {

std::string Describe(const CZyHit& h) {
  std::string out = "pos " + std::to_string(h.m_nPos) + " line " + std::to_string(h.m_nLine) + " found '" +
                    Show(h.m_strFound) + "' replacement '" + Show(h.m_strReplacement) + "' nodes";
  for (const std::u16string& s : h.m_aItemFound) out += " '" + Show(s) + "'";
  for (const std::u16string& s : h.m_aItemReplace) out += " '" + Show(s) + "'";
  return out;
}

class LongChainIndex : public SearchFixture {
protected:
  void TearDown() override {
    g_bIndexLongChains = true;
    SearchFixture::TearDown();
  }

  static std::vector<std::string> Run(bool indexed, const std::u16string& search, const std::u16string& text) {
    g_bIndexLongChains = indexed;
    CEvalModel model;
    Evaluate(model, search, u"<%1|%2>", text);
    model.BuildReplacedText();
    g_bIndexLongChains = true;
    std::vector<std::string> out;
    for (const CZyHit& h : model.m_aHits) out.push_back(Describe(h));
    out.push_back("replaced '" + Show(model.m_strReplaced) + "'");
    return out;
  }

  // Returns the number of hits after checking that both ways agree.
  static size_t Agree(const std::u16string& search, const std::u16string& text) {
    const std::vector<std::string> indexed = Run(true, search, text);
    const std::vector<std::string> walked = Run(false, search, text);
    EXPECT_EQ(indexed, walked) << "expression '" << Show(search) << "' over '" << Show(text) << "'";
    return indexed.size() - 1;
  }
};

std::u16string Repeat(std::u16string_view piece, size_t times) {
  std::u16string s;
  for (size_t i = 0; i < times; ++i) s += piece;
  return s;
}

TEST_F(LongChainIndex, KnownLongChainsFindWhatTheyShould) {
  // 60 sets over 120 units: two hits, each of 60 units.
  EXPECT_EQ(Agree(Repeat(u"[ab]", 60), Repeat(u"ab", 60)), 2u);
  // Optional elements between literals: one hit per "xy" line.
  EXPECT_EQ(Agree(u"x" + Repeat(u"*[ab]", 60) + u"y", Repeat(u"xaby\r\n", 20)), 20u);
  // A literal chain one unit longer than the text finds nothing.
  EXPECT_EQ(Agree(Repeat(u"a", 61), Repeat(u"a", 60)), 0u);
}

TEST_F(LongChainIndex, GeneratedChainsAgreeWithTheWalks) {
  // Mostly elements that may take nothing or anything, so that long chains
  // still find hits, with a few that must take something particular.
  const std::vector<std::u16string> pieces = {u"*",    u"*",    u"*[ab ]", u"*[a]", u"*(ba)", u"*", u"?",
                                              u"*[b]", u"[ab ]",  u"a", u"*[ ]"};
  const std::u16string alphabet = u"aab ba bab  ab";
  std::mt19937 random(20261211);
  size_t withHits = 0;
  for (int round = 0; round < 300; ++round) {
    const size_t elements = 48 + random() % 40;
    std::u16string search;
    if (random() % 5 == 0) search += u"^";
    for (size_t i = 0; i < elements; ++i) search += pieces[random() % pieces.size()];
    if (random() % 5 == 0) search += u"$";
    std::u16string text;
    const size_t units = 100 + random() % 400;
    for (size_t i = 0; i < units; ++i) text += random() % 90 == 0 ? u'\n' : alphabet[random() % alphabet.size()];
    if (Agree(search, text) > 0) ++withHits;
    if (HasFailure()) break;
  }
  // Agreement on chains that never match would prove little.
  EXPECT_GE(withHits, 30u);
}

}  // namespace
