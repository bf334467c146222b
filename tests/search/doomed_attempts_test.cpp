// Attempts that cannot succeed are cut short: a chain with a plain literal
// that occurs nowhere in the text is placed only as far as its first node,
// and a line end placed first passes over windows without a line break. The
// whole evaluation must be the same as with every attempt made in full
// (g_bFastScan off), for generated chains with and without such literals,
// anchors at either end, over texts with and without line breaks.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "SearchTestUtil.h"
#include "engine/TextScan.h"
#include "search/EvalModel.h"

namespace {

class DoomedAttempts : public SearchFixture {
protected:
  void TearDown() override {
    g_bFastScan = 1;
    SearchFixture::TearDown();
  }

  static std::vector<std::string> Run(bool fast, const std::u16string& search, const std::u16string& text) {
    g_bFastScan = fast ? 1 : 0;
    CEvalModel model;
    Evaluate(model, search, u"<%1|%2>", text);
    model.BuildReplacedText();
    g_bFastScan = 1;
    std::vector<std::string> out;
    for (const CZyHit& h : model.m_aHits) {
      std::string line = std::to_string(h.m_nPos) + " line " + std::to_string(h.m_nLine) + " '" + Show(h.m_strFound) + "'";
      for (const std::u16string& s : h.m_aItemFound) line += " '" + Show(s) + "'";
      out.push_back(line);
    }
    out.push_back("replaced '" + Show(model.m_strReplaced) + "'");
    return out;
  }
};

TEST_F(DoomedAttempts, EvaluationsAgreeWithEveryAttemptMadeInFull) {
  const std::vector<std::u16string> pieces = {u"a",     u"ab",  u"b",   u"zq",   u"x",  u"*",    u"?",  u"[ab]",
                                              u"+[ab]", u"*[b]", u"(a|b)", u"+2[a]", u" ", u"+(ab)", u"\\n"};
  std::mt19937 random(90210);
  size_t withHits = 0, absent = 0;
  for (int round = 0; round < 1500; ++round) {
    std::u16string search;
    if (random() % 4 == 0) search += random() % 2 ? u"^" : u"$";
    const size_t elements = 1 + random() % 5;
    for (size_t i = 0; i < elements; ++i) search += pieces[random() % pieces.size()];
    if (random() % 4 == 0) search += random() % 2 ? u"$" : u"^";
    const bool breaks = random() % 3 != 0;
    const std::u16string alphabet = breaks ? u"ab a\r\nba b\n" : u"ab aba b";
    std::u16string text;
    const size_t units = random() % 200;
    for (size_t i = 0; i < units; ++i) text += alphabet[random() % alphabet.size()];
    const std::vector<std::string> fast = Run(true, search, text);
    ASSERT_EQ(fast, Run(false, search, text)) << "'" << Show(search) << "' over '" << Show(text) << "'";
    if (fast.size() > 1) ++withHits;
    if (search.find(u"zq") != std::u16string::npos || search.find(u'x') != std::u16string::npos) ++absent;
  }
  EXPECT_GE(withHits, 300u);
  EXPECT_GE(absent, 300u);
}

// Where the first node of the order matches nearly everywhere and a later
// literal nowhere, each attempt used to place nodes across its whole window.
TEST_F(DoomedAttempts, AbsentLiteralAfterFrequentNodes) {
  std::u16string text;
  for (int i = 0; i < 400; ++i) text += u"\u0086\u0086x. Abc 007y d8x\n";
  EXPECT_EQ(Run(true, u"*+\u0086?[0-9]?(x|y)\u0011+[a-zV]", text), Run(false, u"*+\u0086?[0-9]?(x|y)\u0011+[a-zV]", text));
  EXPECT_EQ(Run(true, u"$+", std::u16string(3000, u'\0')), Run(false, u"$+", std::u16string(3000, u'\0')));
  // A literal that occurs only right at the start still counts as present.
  EXPECT_EQ(Run(true, u"a*zq", u"azq bb"), (std::vector<std::string>{"0 line 0 'azq' 'a' '' 'zq'", "replaced '<| bb'"}));
}

}  // namespace
