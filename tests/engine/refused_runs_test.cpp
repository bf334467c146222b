// A set run refused as shorter than its minimum count is followed by runs
// that begin inside it; the matcher steps over those from the run's length
// instead of scanning each again. One attempt must leave every node exactly
// as the position-by-position loop does (g_bFastScan off), for counted sets
// that are trailing or followed, placed first or after a literal, whose runs
// end at a non-member, at the room's limit or at the buffer's end.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/Match.h"
#include "engine/TextScan.h"
#include "engine/UnicodeExpression.h"

namespace {

struct CNodeState {
  int32_t start, end, count;
  std::u16string text;
  bool operator==(const CNodeState&) const = default;
};

struct CAttempt {
  bool matched = false;
  int32_t scanEnd = 0;
  std::vector<CNodeState> nodes;
  bool operator==(const CAttempt&) const = default;
};

CAttempt Attempt(bool fast, CUnicodeExpression* head, CUnicodeExpression* first, const std::u16string& text,
                 int32_t windowStart, int32_t window) {
  g_bFastScan = fast ? 1 : 0;
  ResetMatch(head, true);
  const auto count = static_cast<int32_t>(2 * text.size());
  g_nScanStart = windowStart;
  g_nScanEnd = std::min(count, windowStart + window);
  CAttempt a;
  a.matched = MatchNode(first, CTextView(text), count, -1, -1);
  a.scanEnd = g_nScanEnd;
  for (const CUnicodeExpression* n = head; n != nullptr; n = n->next)
    a.nodes.push_back({n->matchStart, n->matchEnd, n->repeatCount, n->matchText});
  g_bFastScan = 1;
  return a;
}

class RefusedRuns : public ::testing::Test {
protected:
  void TearDown() override {
    g_bFastScan = 1;
    g_bCaseSensitive = 0;
    g_nScanStart = g_nScanEnd = -1;
  }
};

TEST_F(RefusedRuns, AttemptsLeaveTheNodesAsThePositionLoopDoes) {
  const std::vector<std::u16string> sets = {u"+5[a]", u"+12[ab]", u"+3-9[a ]", u"+30[ab ]", u"+7[b]", u"+2-4[ab]"};
  const std::vector<std::u16string> around = {u"", u"x", u"b", u"*", u"[x]", u"+2[b]"};
  std::mt19937 random(511);
  size_t matched = 0, refused = 0;
  for (int round = 0; round < 600; ++round) {
    const std::u16string expression = around[random() % around.size()] + sets[random() % sets.size()] +
                                      around[random() % around.size()];
    std::u16string text;
    const size_t units = 20 + random() % 120;
    while (text.size() < units) {
      // Runs of members of every length around the counts, between other units.
      const size_t length = random() % 14;
      for (size_t i = 0; i < length; ++i) text += u"aab a"[random() % 5];
      text += u"xbx\n"[random() % 4];
    }
    auto* head = new CUnicodeExpression(&expression);
    CUnicodeExpression::LinkAlternatives(head, false);
    CUnicodeExpression* first = BuildMatchOrder(head);
    for (int32_t start = 0; start < 30; start += 3) {
      const int32_t window = static_cast<int32_t>(8 + random() % 200);
      const CAttempt fast = Attempt(true, head, first, text, start, window);
      const CAttempt slow = Attempt(false, head, first, text, start, window);
      ASSERT_TRUE(fast == slow) << "expression '" << std::string(expression.begin(), expression.end())
                                << "' text '" << std::string(text.begin(), text.end()) << "' window " << start
                                << " + " << window;
      if (fast.matched) ++matched;
      if (!fast.matched || fast.nodes.size() == 1) ++refused;
    }
    ResetMatch(head, true);
    delete head;
  }
  EXPECT_GE(matched, 500u);
  EXPECT_GE(refused, 500u);
}

// A lone set over a window in which no run is long enough is refused at
// every position: the searcher then takes the attempt's outcome from
// PlaceRefusedLoneSet, which must leave the node as MatchNode does.
TEST_F(RefusedRuns, LoneSetRefusedEverywhereEndsAsMatchNodeDoes) {
  const std::vector<std::u16string> sets = {u"+6[a]", u"+9[ab]", u"+4-8[a ]", u"+40[ab ]", u"+2[b]", u"+99999999999[a]"};
  std::mt19937 random(77);
  size_t spans = 0, compared = 0;
  for (int round = 0; round < 400; ++round) {
    const std::u16string& expression = sets[random() % sets.size()];
    auto* head = new CUnicodeExpression(&expression);
    CUnicodeExpression* first = BuildMatchOrder(head);
    ASSERT_EQ(first, head);
    std::u16string text;
    const size_t units = 1 + random() % 90;
    while (text.size() < units) {
      const int64_t shortest = std::max(head->minCount, 1);
      const size_t length = random() % static_cast<size_t>(std::min<int64_t>(shortest, 12));  // always too short
      for (size_t i = 0; i < length; ++i) text += u"aab a"[random() % 5];
      text += u"xxy\n"[random() % 4];
    }
    if (random() % 2 == 0) text.pop_back();  // a run at the end of the text: the last position may take it
    const auto count = static_cast<int32_t>(2 * text.size());
    for (int k = 0; k < 12; ++k) {
      const int32_t windowStart = static_cast<int32_t>(random() % (count + 3));  // odd starts too
      const int32_t windowEnd = std::min(count, windowStart + static_cast<int32_t>(random() % 120));
      if (SetMembersFrom(head, CTextView(text), windowStart / 2, INT32_MAX) >= head->minCount) continue;
      ResetMatch(head, true);
      g_nScanStart = windowStart;
      g_nScanEnd = windowEnd;
      const bool matched = MatchNode(head, CTextView(text), count, -1, -1);
      const CNodeState loop{head->matchStart, head->matchEnd, head->repeatCount, head->matchText};
      const int32_t loopScanEnd = g_nScanEnd;
      ResetMatch(head, true);
      g_nScanStart = windowStart;
      g_nScanEnd = windowEnd;
      const bool refused = PlaceRefusedLoneSet(head, CTextView(text), count);
      const CNodeState shortcut{head->matchStart, head->matchEnd, head->repeatCount, head->matchText};
      ASSERT_EQ(refused, matched) << std::string(expression.begin(), expression.end()) << " window " << windowStart;
      ASSERT_TRUE(shortcut == loop) << std::string(expression.begin(), expression.end()) << " text '"
                                    << std::string(text.begin(), text.end()) << "' window " << windowStart << "-"
                                    << windowEnd << ": " << loop.start << "," << loop.end << " vs " << shortcut.start
                                    << "," << shortcut.end;
      ASSERT_EQ(g_nScanEnd, loopScanEnd);
      ++compared;
      if (loop.start >= 0) ++spans;
    }
    ResetMatch(head, true);
    delete head;
  }
  EXPECT_GE(compared, 1000u);
  EXPECT_GE(spans, 100u) << "refused spans left at the last position must occur";
}

}  // namespace
