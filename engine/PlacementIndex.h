// The placement state of one long chain while the matcher places it: which
// nodes are placed, and the length sums over them, kept up to date node by
// node, so that each room and length lookup costs a few word operations
// instead of a walk along the chain (which made placing a long chain cost the
// square of its length).
#pragma once

#include <cstdint>
#include <vector>

#include "UnicodeExpression.h"

// Positions 0 .. n-1, some of them members; finds the nearest member on either
// side of a position through a few levels of bit words.
class CPositionSet {
public:
  void Reset(size_t n);
  void Set(int64_t i, bool member);
  int64_t FirstFrom(int64_t i) const;  // the smallest member >= i, or -1
  int64_t LastTo(int64_t i) const;     // the largest member <= i, or -1

private:
  std::vector<std::vector<uint64_t>> m_levels;  // level 0 holds one bit per position
  int64_t m_size = 0;
};

// Sums over positions with single values set, in log n (a Fenwick tree).
class CPositionSums {
public:
  void Reset(size_t n);
  void Set(int64_t i, int64_t value);
  int64_t Before(int64_t i) const;  // the sum over positions < i
  int64_t From(int64_t i) const { return m_total - Before(i); }

private:
  std::vector<int64_t> m_tree;
  std::vector<int64_t> m_values;
  int64_t m_total = 0;
};

class CPlacementIndex {
public:
  // Chains shorter than this are walked: the walk costs less than the index.
  static constexpr size_t kMinNodes = 48;
  using Length = int64_t (*)(const CUnicodeExpression*);

  // Indexes the chain that holds node, when it is long and has no
  // alternatives (whose length sums are not plain sums); Active() tells.
  // longest and unmatched give a node's terms of the two length sums.
  CPlacementIndex(CUnicodeExpression* node, Length longest, Length unmatched);
  // False when the chain that holds node is too short to be indexed, found
  // without walking more than kMinNodes of it; true does not mean it will be.
  static bool MayIndex(const CUnicodeExpression* node);
  bool Active() const { return !m_nodes.empty(); }
  bool Holds(const CUnicodeExpression* node) const {
    return node != nullptr && node->chainIndex >= 0 && static_cast<size_t>(node->chainIndex) < m_nodes.size() &&
           m_nodes[static_cast<size_t>(node->chainIndex)] == node;
  }

  // Takes node's state as it is now; the matcher calls it after each placement.
  void Update(const CUnicodeExpression* node);

  // The nearest node before node with matchEnd >= 0, or null.
  const CUnicodeExpression* PrevEnded(const CUnicodeExpression* node) const;
  // The nearest node after node with matchStart >= 0, or null.
  const CUnicodeExpression* NextStarted(const CUnicodeExpression* node) const;
  // The nearest node after node with matchStart != -1, or null.
  const CUnicodeExpression* NextTouched(const CUnicodeExpression* node) const;
  // The nearest node before node with matchStart != -2, or null.
  const CUnicodeExpression* PrevNotSkipped(const CUnicodeExpression* node) const;
  // The sums of the longest terms from node to the chain's end, and of the
  // unmatched terms before node.
  int64_t LongestFrom(const CUnicodeExpression* node) const { return m_longest.From(node->chainIndex); }
  int64_t UnmatchedBefore(const CUnicodeExpression* node) const { return m_unmatched.Before(node->chainIndex); }

private:
  const CUnicodeExpression* At(int64_t i) const { return i < 0 ? nullptr : m_nodes[static_cast<size_t>(i)]; }

  std::vector<const CUnicodeExpression*> m_nodes;
  Length m_fLongest;
  Length m_fUnmatched;
  CPositionSet m_ended;      // matchEnd >= 0
  CPositionSet m_started;    // matchStart >= 0
  CPositionSet m_touched;    // matchStart != -1
  CPositionSet m_notSkipped; // matchStart != -2
  CPositionSums m_longest;
  CPositionSums m_unmatched;
};
