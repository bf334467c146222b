// The scan shortcuts (windows passed over before a literal first node,
// positions passed over where no repetition can begin, vectorised line
// counting) must not change any result: every case here is evaluated with
// g_bFastScan on and off and the two evaluations must agree in every field,
// and some results are also checked against values worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SearchTestUtil.h"
#include "engine/TextScan.h"
#include "search/EvalModel.h"
#include "search/UnicodeSearcher.h"

namespace {

struct CEvaluation {
  std::vector<CZyHit> hits;
  std::u16string replaced;
  int32_t shift = 0;
};

std::string Describe(const CZyHit& h) {
  std::string out = "pos " + std::to_string(h.m_nPos) + " line " + std::to_string(h.m_nLine) + " found '" +
                    Show(h.m_strFound) + "' replacement '" + Show(h.m_strReplacement) + "' nodes";
  for (const std::u16string& s : h.m_aItemFound) out += " '" + Show(s) + "'";
  out += " elements";
  for (const std::u16string& s : h.m_aItemReplace) out += " '" + Show(s) + "'";
  return out;
}

class ScanShortcutTest : public SearchFixture {
protected:
  void TearDown() override {
    g_bFastScan = 1;
    SearchFixture::TearDown();
  }

  static CEvaluation Run(bool fast, int32_t caseSensitive, const std::u16string& search, const std::u16string& replace,
                         const std::u16string& text) {
    g_bFastScan = fast ? 1 : 0;
    g_bCaseSensitive = caseSensitive;
    CEvalModel model;
    model.m_bCaseSensitive = caseSensitive;
    Evaluate(model, search, replace, text, 1);
    CEvaluation e;
    e.shift = model.BuildReplacedText();
    e.hits = model.m_aHits;
    e.replaced = model.m_strReplaced;
    g_bFastScan = 1;
    return e;
  }

  // Both ways; returns the fast one after checking that they agree.
  static CEvaluation Both(int32_t caseSensitive, const std::u16string& search, const std::u16string& text,
                          const std::u16string& replace = u"<%1>") {
    const CEvaluation fast = Run(true, caseSensitive, search, replace, text);
    const CEvaluation slow = Run(false, caseSensitive, search, replace, text);
    const std::string what = "expression '" + Show(search) + "' case " + std::to_string(caseSensitive) + ", " +
                             std::to_string(text.size()) + " units";
    EXPECT_EQ(fast.hits.size(), slow.hits.size()) << what;
    for (size_t i = 0; i < std::min(fast.hits.size(), slow.hits.size()); ++i) {
      EXPECT_EQ(Describe(fast.hits[i]), Describe(slow.hits[i])) << what << ", hit " << i;
      if (Describe(fast.hits[i]) != Describe(slow.hits[i])) break;
    }
    EXPECT_EQ(fast.replaced == slow.replaced, true) << what;
    EXPECT_EQ(fast.shift, slow.shift) << what;
    return fast;
  }

  // Line breaks as the searcher counts them before position `unit`: LF, and
  // CR not followed by LF.
  static int32_t BreaksBefore(const std::u16string& text, size_t unit) {
    int32_t n = 0;
    for (size_t i = 0; i < unit; ++i) {
      if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) ++n;
    }
    return n;
  }
};

// Filler of the given length: letters, spaces and every kind of line break,
// none of the units the expressions below look for.
std::u16string Filler(size_t units, uint32_t seed) {
  static const char16_t pool[] = {u'k', u'l', u'm', u' ', u'.', u'\r', u'\n', u'w', u'\r', u'p', u' ', u'\n'};
  std::u16string s;
  uint32_t x = seed * 2654435761u + 1;
  while (s.size() < units) {
    x = x * 1664525u + 1013904223u;
    s += pool[(x >> 16) % (sizeof pool / sizeof pool[0])];
  }
  return s;
}

// A rare literal at every offset near the window edges: the hit, its line
// and everything else as without the shortcut, and the line worked out by hand.
TEST_F(ScanShortcutTest, RareLiteralAtWindowEdgesKeepsPositionAndLine) {
  const std::u16string word = u"quetzal";  // 28-unit windows that move by 21 units
  for (size_t at : {size_t{0}, size_t{1}, size_t{20}, size_t{21}, size_t{22}, size_t{27}, size_t{28}, size_t{41},
                    size_t{42}, size_t{43}, size_t{500}, size_t{993}}) {
    std::u16string text = Filler(1000, static_cast<uint32_t>(at));
    text.replace(at, word.size(), word);
    text.resize(1000);
    const CEvaluation e = Both(1, word, text);
    ASSERT_EQ(e.hits.size(), 1u) << "at " << at;
    EXPECT_EQ(e.hits[0].m_nPos, static_cast<int32_t>(2 * at));
    if (text[0] != u'\r' && text[0] != u'\n') {
      EXPECT_EQ(e.hits[0].m_nLine, BreaksBefore(text, at)) << "at " << at;
    }
  }
}

TEST_F(ScanShortcutTest, LiteralCutByTheTextEndOrAbsent) {
  for (const std::u16string& tail : {std::u16string(u"quetza"), std::u16string(u"q"), std::u16string(u"")}) {
    const CEvaluation e = Both(1, u"quetzal", Filler(700, 3) + tail);
    EXPECT_TRUE(e.hits.empty());
  }
  const CEvaluation last = Both(1, u"quetzal", Filler(700, 4) + u"quetzal");
  ASSERT_EQ(last.hits.size(), 1u);
  EXPECT_EQ(last.hits[0].m_nPos, 1400);
}

// Case-insensitive literals and sets: units from 0x80 on that fold to ASCII
// (dotless i to I, long s to S) are found across skipped text as well.
TEST_F(ScanShortcutTest, CaseFoldingUnitsAreFoundInSkippedText) {
  const std::u16string text = Filler(900, 7) + u"\u0131\u017F" + Filler(900, 8) + u"IS" + Filler(50, 9) + u"is";
  const CEvaluation e = Both(0, u"is", text);
  ASSERT_EQ(e.hits.size(), 3u);
  EXPECT_EQ(e.hits[0].m_nPos, 1800);
  EXPECT_EQ(e.hits[0].m_strFound, u"\u0131\u017F");
  Both(0, u"+[a-z]", text);
  Both(0, u"+[is]x", text + u"x");
  Both(1, u"is", text);
  Both(0, u"(qq|\u0131s|is)", text);
}

// Windows passed over must count the line breaks they hold exactly once,
// whether a CR LF pair, a lone CR or a lone LF sits at a window edge.
TEST_F(ScanShortcutTest, LineBreaksInPassedWindowsCountOnce) {
  for (size_t at = 15; at < 50; ++at) {
    std::u16string text(60, u'k');
    text[at] = u'\r';
    if (at % 3 != 0) text[at + 1] = u'\n';
    if (at % 5 == 0) text[at - 1] = u'\n';
    text += std::u16string(300, u'k') + u"quetzal";
    const CEvaluation e = Both(1, u"quetzal", text);
    ASSERT_EQ(e.hits.size(), 1u);
    EXPECT_EQ(e.hits[0].m_nLine, BreaksBefore(text, text.size() - 7)) << "break at " << at;
  }
}

// Anchors at both ends, with texts below and above the end-of-text limit
// (102400 bytes), where the line feed after the text appears or not.
TEST_F(ScanShortcutTest, AnchorsAroundPassedText) {
  for (const size_t length : {size_t{3000}, size_t{60000}}) {
    std::u16string text = Filler(length, 11);
    text += u"\r\nFrom: x\r\nFrom: y";
    text.insert(length / 2, u"\r\nFrom: z\r\n");
    Both(1, u"^From: *", text, u"[%2]");
    Both(0, u"^from", text);
    Both(1, u"From: y$", text);
    Both(1, u"y$$", text);
    Both(1, u"^^k", u"k" + text);
    Both(1, u"y\\n$", text);  // a literal that ends on the line feed after the text
    Both(1, u"$", text);
  }
}

// Sets and groups placed forward over long gaps: trailing sets whose room
// widens, sets after placed text, sets with more members than one compare
// takes, and groups whose alternatives begin with many different units.
TEST_F(ScanShortcutTest, SetsAndGroupsOverLongGaps) {
  std::u16string text = Filler(2000, 21) + u"12" + Filler(3000, 22) + u"x7y" + Filler(40, 23) + u"AB9" + Filler(10, 24);
  for (const char16_t* expression :
       {u"+[0-9]", u"[0-9]", u"x[0-9]", u"+[0-9]y", u"*[0-9]y", u"+2[0-9]", u"+[a-j]", u"+[0-9a-j]!(7)", u"(y|B|q)",
        u"(ab|x7|AB|zz|qq|rr|ss|tt|uu|vv)", u"(|12)", u"*(12|x)y", u"[0-9]$", u"?[0-9]", u"+[0-9]+[a-j]"}) {
    Both(1, expression, text);
    Both(0, expression, text);
  }
}

// Longer generated texts for a spread of expressions: both ways agree.
TEST_F(ScanShortcutTest, GeneratedTextsAgree) {
  static const char16_t pool[] = {u'a', u'b', u'c', u'x', u'1', u'2', u' ', u';', u'=', u'\r', u'\n', u'A', u'B'};
  const char16_t* const expressions[] = {u"abc", u"ab*c", u"x=*;", u"+[0-9]", u"(ab|ba|x)", u"^a", u"c$", u"+[a-c]!(b)",
                                         u"?", u"+2[12]x", u"a?c", u"*[ab]c", u"^^a", u"b$$", u"+[AB]", u"ba\\r\\n"};
  uint32_t x = 12345;
  for (int round = 0; round < 6; ++round) {
    std::u16string text;
    const size_t length = 500 + 1500 * static_cast<size_t>(round);
    while (text.size() < length) {
      x = x * 1664525u + 1013904223u;
      // Long runs of one filler unit between the pool's units, so that
      // windows and positions are passed over.
      text += (x >> 28) < 3 ? std::u16string(40 + (x >> 20) % 200, u'k') : std::u16string(1, pool[(x >> 16) % 13]);
    }
    for (const char16_t* expression : expressions) {
      Both(round % 2, expression, text);
    }
  }
}

}  // namespace

// Set plans over windows that hold none of their members: the window is
// stepped without attempts. Members at every offset around the window edges,
// trailing sets (whose room widens to twice the window), counted sets whose
// window is as long as the text, case folding outside ASCII, and the lines.
TEST_F(ScanShortcutTest, SetPlansPassOverWindowsWithoutMembers) {
  for (size_t at = 0; at < 40; at += 3) {
    std::u16string text = Filler(300 + at, 31) + u"7" + Filler(90, 32) + u"77" + Filler(500, 33);
    for (const char16_t* expression : {u"+3[0-9]", u"[0-9]", u"+2[0-9]x", u"?[0-9]k", u"+[5-8]", u"+40[0-9]"}) {
      const CEvaluation e = Both(1, expression, text);
      for (const CZyHit& h : e.hits) {
        EXPECT_EQ(h.m_nLine, BreaksBefore(text, static_cast<size_t>(h.m_nPos / 2))) << Show(expression);
      }
    }
  }
  const std::u16string folded =
      Filler(4000, 34) + u"\u00e9" + Filler(70, 35) + u"\u00c9x" + Filler(900, 38) + u"\u0105\u0104a" + Filler(50, 39);
  // Sets of more than one compare takes: runs of units below 256 passed over
  // in blocks, units from 256 on looked at one by one, and too many runs.
  for (const char16_t* expression : {u"[\u00c9]", u"+[\u00e9]", u"[\u00e9]x", u"+2[\u00e9\u00c9]", u"[0-9\u00e9]",
                                     u"[a-j\u00c9]x", u"[\u0100-\u0109]", u"[acegikmoqs]", u"2[\u0104a-i]"}) {
    Both(0, expression, folded);
    Both(1, expression, folded);
  }
  // A count as long as the text: each window covers the rest of it.
  const std::u16string none = Filler(20000, 36);
  EXPECT_TRUE(Both(1, u"+32767[a]", none).hits.empty());
  Both(1, u"+32767[k]", Filler(3000, 37) + std::u16string(40, u'k'));
}

// One searcher keeps what its scan derives from the chain (window length, the
// tables of a set plan) from one Search to the next. Calls as a file search
// makes them (later calls away from the text start, so that a line start
// changes the head node and the plan) must give what a searcher that did not
// see the earlier calls gives. A line start away from the text start leaves
// the head node's counts changed for the calls after it, so that searcher
// first makes the first such call too.
TEST_F(ScanShortcutTest, OneSearcherAcrossCallsAgreesWithFreshOnes) {
  std::u16string text = Filler(40000, 41);
  for (size_t at = 700; at + 8 < text.size(); at += 2900) text.replace(at, 8, u"x7ab\u00e9E2y");
  const std::u16string replace = u"%1";
  size_t hits = 0;
  for (const char16_t* expression : {u"^+[a-z]", u"^k+[lm]", u"^kl", u"^\\n", u"^()!([0-9])", u"^?k", u"^*k",
                                     u"+[a-z]!(e)", u"+[lm]k", u"^*[0-9]x", u"+[0-9]", u"+[\u00c9]", u"(ab|x7|AB)",
                                     u"k$"}) {
    for (const int32_t caseSensitive : {0, 1}) {
      g_bCaseSensitive = caseSensitive;  // as a search sets it before building the searcher
      const std::u16string search = expression;
      CUnicodeSearcher reused(&search, &replace);
      for (int32_t call = 0; call < 28; ++call) {
        const auto from = static_cast<size_t>(call) * 1433;
        const auto bytes = static_cast<int32_t>(2 * (text.size() - from));
        const int32_t offset = call % 7 == 0 ? 0 : static_cast<int32_t>(2 * from);
        CUnicodeSearcher fresh(&search, &replace);
        int32_t lastA = 0, linesA = 0, lastB = 0, linesB = 0;
        if (call > 1) {
          const auto firstBytes = static_cast<int32_t>(2 * (text.size() - 1433));
          fresh.Search(text.data() + 1433, firstBytes, firstBytes, 2 * 1433, 0, &lastB, &linesB);
          lastB = linesB = 0;
        }
        const int32_t a = reused.Search(text.data() + from, bytes, bytes, offset, 0, &lastA, &linesA);
        const int32_t b = fresh.Search(text.data() + from, bytes, bytes, offset, 0, &lastB, &linesB);
        const std::string what = "expression '" + Show(search) + "' case " + std::to_string(caseSensitive) +
                                 ", call " + std::to_string(call);
        ASSERT_EQ(a, b) << what;
        EXPECT_EQ(linesA, linesB) << what;
        EXPECT_EQ(lastA, lastB) << what;
        if (a < 0) continue;
        ++hits;
        EXPECT_EQ(reused.hitStart, fresh.hitStart) << what;
        std::u16string foundA, foundB;
        reused.GetFoundText(foundA);
        fresh.GetFoundText(foundB);
        EXPECT_EQ(foundA, foundB) << what;
      }
    }
  }
  EXPECT_GT(hits, 400u);  // calls that find nothing would compare little
}

// A condition that is one plain literal is looked for in the candidate
// directly: must-not and must conditions, literals longer than the candidate,
// folded units, and candidates that follow each other in one buffer.
TEST_F(ScanShortcutTest, LiteralConditionsAgree) {
  const std::u16string text = Filler(3000, 51) + u" abc ebb \u00e9t\u00c9 pkl lmk kkk b b mk\r\nml x " + Filler(500, 52) +
                              u" one box exe ten \u0131s IS";
  for (const char16_t* expression : {u"+[a-z]!(e)", u"+[a-z]!(ab)", u"+[a-z ]!(b b)", u"+[a-z]!(x)e", u"+[a-z]!(k)m",
                                     u"+[a-z\u00e9\u00c9]!(\u00e9)", u"+[a-z]!(klmpklmpklmp)", u"+[^ ]!(s)", u"*!(k)",
                                     u"+[a-z]!(m)!(l)", u"+[a-z\u0131]!(i)"}) {
    Both(0, expression, text);
    Both(1, expression, text);
  }
}
