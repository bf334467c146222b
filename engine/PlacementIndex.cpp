// Bit-word position sets, Fenwick sums and the placement index built on them.
#include "engine/PlacementIndex.h"

#include <algorithm>
#include <bit>

void CPositionSet::Reset(size_t n) {
  m_size = static_cast<int64_t>(n);
  m_levels.clear();
  size_t words = (n + 63) / 64;
  do {
    m_levels.emplace_back(std::max<size_t>(words, 1), 0);
    words = (words + 63) / 64;
  } while (m_levels.back().size() > 1);
}

void CPositionSet::Set(int64_t i, bool member) {
  if (i < 0 || i >= m_size) return;
  auto idx = static_cast<size_t>(i);
  for (auto& level : m_levels) {
    uint64_t& word = level[idx / 64];
    const uint64_t bit = uint64_t{1} << (idx % 64);
    const bool wasEmpty = word == 0;
    if (member) {
      word |= bit;
      if (!wasEmpty) return;  // the levels above already say so
    } else {
      word &= ~bit;
      if (word != 0 || wasEmpty) return;
    }
    idx /= 64;
  }
}

int64_t CPositionSet::FirstFrom(int64_t i) const {
  if (i < 0) i = 0;
  if (i >= m_size) return -1;
  auto idx = static_cast<size_t>(i);
  size_t level = 0;
  for (;;) {
    const size_t w = idx / 64;
    if (w >= m_levels[level].size()) return -1;
    const uint64_t bits = m_levels[level][w] & (~uint64_t{0} << (idx % 64));
    if (bits != 0) {
      idx = w * 64 + static_cast<size_t>(std::countr_zero(bits));
      while (level > 0) {
        --level;
        idx = idx * 64 + static_cast<size_t>(std::countr_zero(m_levels[level][idx]));
      }
      return static_cast<int64_t>(idx);
    }
    if (++level == m_levels.size()) return -1;
    idx = w + 1;
  }
}

int64_t CPositionSet::LastTo(int64_t i) const {
  if (i < 0) return -1;
  if (i >= m_size) i = m_size - 1;
  auto idx = static_cast<size_t>(i);
  size_t level = 0;
  for (;;) {
    const size_t w = idx / 64;
    const unsigned b = idx % 64;
    const uint64_t mask = b == 63 ? ~uint64_t{0} : (uint64_t{2} << b) - 1;
    const uint64_t bits = m_levels[level][w] & mask;
    if (bits != 0) {
      idx = w * 64 + 63 - static_cast<size_t>(std::countl_zero(bits));
      while (level > 0) {
        --level;
        idx = idx * 64 + 63 - static_cast<size_t>(std::countl_zero(m_levels[level][idx]));
      }
      return static_cast<int64_t>(idx);
    }
    if (w == 0 || ++level == m_levels.size()) return -1;
    idx = w - 1;
  }
}

void CPositionSums::Reset(size_t n) {
  m_tree.assign(n + 1, 0);
  m_values.assign(n, 0);
  m_total = 0;
}

void CPositionSums::Set(int64_t i, int64_t value) {
  auto idx = static_cast<size_t>(i);
  const int64_t delta = value - m_values[idx];
  if (delta == 0) return;
  m_values[idx] = value;
  m_total += delta;
  for (size_t k = idx + 1; k < m_tree.size(); k += k & (~k + 1)) m_tree[k] += delta;
}

int64_t CPositionSums::Before(int64_t i) const {
  int64_t sum = 0;
  for (auto k = static_cast<size_t>(std::max<int64_t>(i, 0)); k > 0; k -= k & (~k + 1)) sum += m_tree[k];
  return sum;
}

bool CPlacementIndex::MayIndex(const CUnicodeExpression* node) {
  if (node == nullptr) return false;
  size_t n = 1;
  for (const CUnicodeExpression* q = node->prev; q != nullptr && n < kMinNodes; q = q->prev) ++n;
  for (const CUnicodeExpression* q = node->next; q != nullptr && n < kMinNodes; q = q->next) ++n;
  return n >= kMinNodes;
}

CPlacementIndex::CPlacementIndex(CUnicodeExpression* node, Length longest, Length unmatched)
    : m_fLongest(longest), m_fUnmatched(unmatched) {
  if (node == nullptr) return;
  CUnicodeExpression* head = node;
  while (head->prev != nullptr) head = head->prev;
  size_t n = 0;
  for (const CUnicodeExpression* q = head; q != nullptr; q = q->next) {
    if (q->alternative != nullptr) return;
    ++n;
  }
  if (n < kMinNodes) return;
  m_nodes.reserve(n);
  for (CUnicodeExpression* q = head; q != nullptr; q = q->next) {
    q->chainIndex = static_cast<int32_t>(m_nodes.size());
    m_nodes.push_back(q);
  }
  m_ended.Reset(n);
  m_started.Reset(n);
  m_touched.Reset(n);
  m_notSkipped.Reset(n);
  m_longest.Reset(n);
  m_unmatched.Reset(n);
  for (const CUnicodeExpression* q : m_nodes) Update(q);
}

void CPlacementIndex::Update(const CUnicodeExpression* node) {
  const int64_t i = node->chainIndex;
  m_ended.Set(i, node->matchEnd >= 0);
  m_started.Set(i, node->matchStart >= 0);
  m_touched.Set(i, node->matchStart != -1);
  m_notSkipped.Set(i, node->matchStart != -2);
  m_longest.Set(i, m_fLongest(node));
  m_unmatched.Set(i, node->matchStart == -1 ? m_fUnmatched(node) : 0);
}

const CUnicodeExpression* CPlacementIndex::PrevEnded(const CUnicodeExpression* node) const {
  return At(m_ended.LastTo(int64_t{node->chainIndex} - 1));
}

const CUnicodeExpression* CPlacementIndex::NextStarted(const CUnicodeExpression* node) const {
  return At(m_started.FirstFrom(int64_t{node->chainIndex} + 1));
}

const CUnicodeExpression* CPlacementIndex::NextTouched(const CUnicodeExpression* node) const {
  return At(m_touched.FirstFrom(int64_t{node->chainIndex} + 1));
}

const CUnicodeExpression* CPlacementIndex::PrevNotSkipped(const CUnicodeExpression* node) const {
  return At(m_notSkipped.LastTo(int64_t{node->chainIndex} - 1));
}
