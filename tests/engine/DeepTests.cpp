// Very long expressions: building, ordering, matching, measuring and
// destroying a chain must not recurse once per node.
#include <gtest/gtest.h>

#include <pthread.h>

#include <string>

#include "engine/Match.h"
#include "engine/UnicodeExpression.h"

namespace {

constexpr int kElements = 200000;

TEST(DeepExpression, TwoHundredThousandWildcards) {
  const int32_t saved = g_bCaseSensitive;
  g_bCaseSensitive = 0;
  const std::u16string expression(kElements, u'?');
  auto* head = new CUnicodeExpression(&expression);
  int nodes = 0;
  std::u16string joined;
  for (const CUnicodeExpression* n = head; n != nullptr; n = n->next) {
    ++nodes;
    joined += n->source;
  }
  EXPECT_EQ(nodes, kElements);
  EXPECT_EQ(joined, expression);
  CUnicodeExpression::LinkAlternatives(head, false);

  CUnicodeExpression* first = BuildMatchOrder(head);
  EXPECT_EQ(first, head);
  int ordered = 0;
  for (const CUnicodeExpression* n = first; n != nullptr; n = n->nextInOrder) ++ordered;
  EXPECT_EQ(ordered, kElements);
  EXPECT_EQ(MaxMatchLength(head), 2 * kElements);
  EXPECT_EQ(LongestPossible(head, true), 2 * kElements);

  // The text is shorter than the expression: the attempt runs out of room after six nodes.
  const std::u16string text = u"abcdef";
  g_nScanStart = 0;
  g_nScanEnd = 12;
  EXPECT_FALSE(MatchNode(first, CTextView(text), 12, -1, -1));
  EXPECT_EQ(head->matchText, u"a");
  ResetMatch(head, true);
  EXPECT_EQ(head->matchStart, -1);
  delete head;
  g_bCaseSensitive = saved;
  g_nScanStart = g_nScanEnd = -1;
}

// A whole chain placed node after node, on a stack far too small for one
// frame per node.
struct DeepRun {
  int elements = 0;
  bool matched = false;
  int32_t lastStart = 0;
  int32_t lastEnd = 0;
};

void* RunDeep(void* arg) {
  auto* run = static_cast<DeepRun*>(arg);
  const std::u16string expression(static_cast<size_t>(run->elements), u'?');
  const std::u16string text(static_cast<size_t>(run->elements), u'a');
  CUnicodeExpression head(&expression);
  CUnicodeExpression* first = BuildMatchOrder(&head);
  const int32_t count = 2 * run->elements;
  g_nScanStart = 0;
  g_nScanEnd = count;
  run->matched = MatchNode(first, CTextView(text), count, -1, -1);
  const CUnicodeExpression* last = &head;
  while (last->next != nullptr) last = last->next;
  run->lastStart = last->matchStart;
  run->lastEnd = last->matchEnd;
  return nullptr;
}

TEST(DeepExpression, EveryNodePlacedOnASmallStack) {
  DeepRun run;
  run.elements = 5000;
  pthread_attr_t attr;
  ASSERT_EQ(pthread_attr_init(&attr), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attr, 128 * 1024), 0);
  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, &attr, RunDeep, &run), 0);
  ASSERT_EQ(pthread_join(thread, nullptr), 0);
  pthread_attr_destroy(&attr);
  g_nScanStart = g_nScanEnd = -1;
  EXPECT_TRUE(run.matched);
  EXPECT_EQ(run.lastStart, 2 * run.elements - 2);
  EXPECT_EQ(run.lastEnd, 2 * run.elements - 1);
}

// The replace side derives from the node, borrows `alternative` as a pointer
// to a search node and clears it in its own destructor; its chain is deleted
// one node at a time through the virtual destructor.
class CBorrowingNode : public CUnicodeExpression {
public:
  explicit CBorrowingNode(CUnicodeExpression* borrowed, int* destroyed) : destroyed_(destroyed) { alternative = borrowed; }
  ~CBorrowingNode() override {
    alternative = nullptr;
    ++*destroyed_;
  }

private:
  int* destroyed_;
};

TEST(DeepExpression, DerivedChainIsDestroyedNodeByNode) {
  const std::u16string text = u"x";
  CUnicodeExpression searchNode(&text);
  int destroyed = 0;
  auto* head = new CBorrowingNode(&searchNode, &destroyed);
  CUnicodeExpression* tail = head;
  for (int i = 1; i < kElements; ++i) {
    auto* node = new CBorrowingNode(&searchNode, &destroyed);
    node->prev = tail;
    tail->next = node;
    tail = node;
  }
  delete head;
  EXPECT_EQ(destroyed, kElements);
  EXPECT_EQ(searchNode.source, u"x");  // the borrowed node is untouched
}

}  // namespace
