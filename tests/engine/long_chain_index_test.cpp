// One placement attempt of a long chain through the index of its placement
// state must leave every node exactly as the walks along the chain do: the
// outcome, and each node's start, end, count and text, for generated chains
// over generated texts, from several window starts.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/Match.h"
#include "engine/PlacementIndex.h"
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

CAttempt Attempt(bool indexed, CUnicodeExpression* head, CUnicodeExpression* first, const std::u16string& text,
                 int32_t windowStart) {
  g_bIndexLongChains = indexed;
  ResetMatch(head, true);
  const auto count = static_cast<int32_t>(2 * text.size());
  g_nScanStart = windowStart;
  g_nScanEnd = std::min(count, windowStart + 160);
  CAttempt a;
  a.matched = MatchNode(first, CTextView(text), count, -1, -1);
  a.scanEnd = g_nScanEnd;
  for (const CUnicodeExpression* n = head; n != nullptr; n = n->next)
    a.nodes.push_back({n->matchStart, n->matchEnd, n->repeatCount, n->matchText});
  g_bIndexLongChains = true;
  return a;
}

class LongChainIndex : public ::testing::Test {
protected:
  void TearDown() override {
    g_bIndexLongChains = true;
    g_bCaseSensitive = 0;
    g_nScanStart = g_nScanEnd = -1;
  }
};

TEST_F(LongChainIndex, AttemptsLeaveTheNodesAsTheWalksDo) {
  // Fixed elements are placed before optional ones, so the chain is placed
  // out of its written order and the lookups meet placed, skipped and
  // unplaced nodes on both sides.
  const std::vector<std::u16string> pieces = {u"*",  u"*[ab ]", u"*[a]", u"*(ba)", u"?",    u"*[b]", u"[ab ]",
                                              u"a",  u"*",      u"*",    u"*[b]",  u"*",    u"b",     u"*[ ]",
                                              u" "};
  const std::u16string alphabet = u"aab ba bab  ab";
  std::mt19937 random(1211);
  size_t matched = 0, differentNodes = 0;
  for (int round = 0; round < 400; ++round) {
    std::u16string expression;
    const size_t elements = 48 + random() % 48;
    for (size_t i = 0; i < elements; ++i) expression += pieces[random() % pieces.size()];
    std::u16string text;
    const size_t units = 60 + random() % 300;
    for (size_t i = 0; i < units; ++i) text += random() % 70 == 0 ? u'\n' : alphabet[random() % alphabet.size()];
    auto* head = new CUnicodeExpression(&expression);
    CUnicodeExpression::LinkAlternatives(head, false);
    CUnicodeExpression* first = BuildMatchOrder(head);
    for (int32_t start = 0; start < 40 && first != nullptr; start += 6) {
      const CAttempt indexed = Attempt(true, head, first, text, start);
      const CAttempt walked = Attempt(false, head, first, text, start);
      ASSERT_TRUE(indexed == walked) << "chain '" << std::string(expression.begin(), expression.end())
                                     << "' window start " << start;
      if (indexed.matched) ++matched;
      for (const CNodeState& n : indexed.nodes) differentNodes += n.start >= 0 ? 1 : 0;
    }
    ResetMatch(head, true);
    delete head;
  }
  // Comparisons of chains that fail at their first node would prove little.
  EXPECT_GE(matched, 100u);
  EXPECT_GE(differentNodes, 10000u);
}

// The index's lookups against plain walks, over a chain whose nodes are given
// random states and then changed one at a time, as placements change them.
int64_t TextLength(const CUnicodeExpression* n) { return static_cast<int64_t>(n->matchText.size()) + 7 * n->maxCount; }
int64_t Fixed(const CUnicodeExpression* n) { return n->maxCount; }

TEST(PlacementIndex, LookupsAgreeWithWalksAsNodesChange) {
  std::u16string expression;
  for (int i = 0; i < 300; ++i) expression += u"[x]";
  auto* head = new CUnicodeExpression(&expression);
  std::vector<CUnicodeExpression*> nodes;
  for (CUnicodeExpression* n = head; n != nullptr; n = n->next) nodes.push_back(n);
  ASSERT_EQ(nodes.size(), 300u);
  std::mt19937 random(7);
  auto randomize = [&random](CUnicodeExpression* n) {
    const int kind = static_cast<int>(random() % 4);
    n->matchStart = kind == 0 ? -1 : kind == 1 ? -2 : static_cast<int32_t>(random() % 1000);
    n->matchEnd = kind == 1 ? -2 : kind == 0 ? -1 : static_cast<int32_t>(random() % 3) - 1 + n->matchStart;
    n->matchText.assign(random() % 4, u'y');
    n->maxCount = static_cast<int32_t>(random() % 5);
  };
  for (CUnicodeExpression* n : nodes) randomize(n);
  CPlacementIndex index(nodes[17], TextLength, Fixed);
  ASSERT_TRUE(index.Active());
  for (int step = 0; step < 400; ++step) {
    CUnicodeExpression* changed = nodes[random() % nodes.size()];
    randomize(changed);
    index.Update(changed);
    for (size_t i = 0; i < nodes.size(); i += 1 + random() % 7) {
      const CUnicodeExpression* node = nodes[i];
      const CUnicodeExpression *ended = nullptr, *started = nullptr, *touched = nullptr, *notSkipped = nullptr;
      for (const CUnicodeExpression* q = node->prev; q != nullptr && ended == nullptr; q = q->prev)
        if (q->matchEnd >= 0) ended = q;
      for (const CUnicodeExpression* q = node->prev; q != nullptr && notSkipped == nullptr; q = q->prev)
        if (q->matchStart != -2) notSkipped = q;
      for (const CUnicodeExpression* q = node->next; q != nullptr && started == nullptr; q = q->next)
        if (q->matchStart >= 0) started = q;
      for (const CUnicodeExpression* q = node->next; q != nullptr && touched == nullptr; q = q->next)
        if (q->matchStart != -1) touched = q;
      int64_t longest = 0, unmatched = 0;
      for (const CUnicodeExpression* q = node; q != nullptr; q = q->next) longest += TextLength(q);
      for (const CUnicodeExpression* q = node->prev; q != nullptr; q = q->prev)
        if (q->matchStart == -1) unmatched += Fixed(q);
      ASSERT_EQ(index.PrevEnded(node), ended) << "node " << i << " step " << step;
      ASSERT_EQ(index.PrevNotSkipped(node), notSkipped) << "node " << i << " step " << step;
      ASSERT_EQ(index.NextStarted(node), started) << "node " << i << " step " << step;
      ASSERT_EQ(index.NextTouched(node), touched) << "node " << i << " step " << step;
      ASSERT_EQ(index.LongestFrom(node), longest) << "node " << i << " step " << step;
      ASSERT_EQ(index.UnmatchedBefore(node), unmatched) << "node " << i << " step " << step;
    }
  }
  for (CUnicodeExpression* n : nodes) {
    n->matchStart = n->matchEnd = -1;
    n->matchText.clear();
  }
  delete head;
}

TEST(PlacementIndex, ShortChainsAndChainsWithAlternativesAreWalked) {
  std::u16string shortChain, longChain;
  for (size_t i = 0; i + 1 < CPlacementIndex::kMinNodes; ++i) shortChain += u"[x]";
  longChain = shortChain + u"[x]";
  const std::u16string grouped = longChain + u"(a|b)";
  {
    auto* head = new CUnicodeExpression(&longChain);
    EXPECT_TRUE(CPlacementIndex(head, Fixed, Fixed).Active());
    delete head;
  }
  for (const std::u16string* expression : std::vector<const std::u16string*>{&shortChain, &grouped}) {
    auto* head = new CUnicodeExpression(expression);
    CUnicodeExpression::LinkAlternatives(head, false);
    EXPECT_FALSE(CPlacementIndex(head, Fixed, Fixed).Active());
    delete head;
  }
}

// Sets of positions across several levels of bit words.
TEST(PositionSet, NearestMembersAcrossWordsAndLevels) {
  for (size_t n : {1u, 63u, 64u, 65u, 4096u, 4097u, 300000u}) {
    CPositionSet set;
    set.Reset(n);
    EXPECT_EQ(set.FirstFrom(0), -1);
    EXPECT_EQ(set.LastTo(static_cast<int64_t>(n)), -1);
    const int64_t last = static_cast<int64_t>(n) - 1;
    set.Set(last, true);
    set.Set(0, true);
    EXPECT_EQ(set.FirstFrom(1), n > 1 ? last : -1) << n;
    EXPECT_EQ(set.LastTo(last - 1), n > 1 ? 0 : -1) << n;
    EXPECT_EQ(set.FirstFrom(-5), 0);
    EXPECT_EQ(set.LastTo(last + 10), last);
    set.Set(last, false);
    EXPECT_EQ(set.FirstFrom(1), -1) << n;
    set.Set(0, false);
    EXPECT_EQ(set.LastTo(last), -1) << n;
  }
}

}  // namespace
