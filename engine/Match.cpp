// The matcher: places a compiled chain over a window of 16-bit text, node by
// node in a fixed match order, without backtracking.
#include "engine/Match.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <set>
#include <vector>

#include "engine/Escape.h"
#include "engine/MemberTable.h"
#include "engine/PlacementIndex.h"
#include "engine/TextScan.h"

int32_t g_bCaseSensitive = 0;
int32_t g_nScanStart = -1;
int32_t g_nScanEnd = -1;
bool g_bIndexLongChains = true;

namespace {

using Node = CUnicodeExpression;
constexpr int64_t kMax = std::numeric_limits<int32_t>::max();

int32_t Saturate(int64_t v) {
  if (v > kMax) return static_cast<int32_t>(kMax);
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}
int64_t AddCapped(int64_t a, int64_t b) { return std::min(a + b, kMax); }

bool IsPlaced(const Node* n) { return n != nullptr && n->matchStart >= 0; }

// The index of the chain MatchNode is placing now, where that chain is long.
const CPlacementIndex* g_pIndex = nullptr;

bool Indexed(const Node* n) { return g_pIndex != nullptr && g_pIndex->Holds(n); }

// FoldCase with its ASCII part inline: most text units are ASCII.
char16_t Fold(char16_t u) {
  if (u < 128) return (u >= u'a' && u <= u'z') ? static_cast<char16_t>(u - (u'a' - u'A')) : u;
  return FoldCase(u);
}

// Compares one text unit (-1 where there is none) with a folded expression unit.
bool SameUnit(char16_t expected, int32_t unit) {
  if (unit < 0) return false;
  char16_t u = static_cast<char16_t>(unit);
  if (!g_bCaseSensitive) u = Fold(u);
  return u == expected;
}

bool IsMember(const Node* p, int32_t unit) {
  if (unit < 0) return false;  // outside the buffer
  const auto u = static_cast<char16_t>(unit);
  if (p->anyChar && p->chars.empty()) return !(p->stopAtLineEnd && (u <= 0x0008 || u == 0x000A || u == 0x000D));
  if (p->chars.empty() || u == 0) return false;
  return p->chars.find(g_bCaseSensitive ? u : FoldCase(u)) != std::u16string::npos;
}

// IsMember for one node over many units: those below 256 through its table.
class CMembers {
public:
  explicit CMembers(const Node* p) : m_p(p), m_table(p->chars.empty() ? nullptr : &CMemberTable::For(p)) {}
  bool operator()(int32_t unit) const {
    if (m_table != nullptr && unit >= 0 && unit < 256) return m_table->Has(static_cast<char16_t>(unit));
    return IsMember(m_p, unit);
  }

private:
  const Node* m_p;
  const CMemberTable* m_table;  // stays valid while this node alone is tested
};

// Whether units first .. first+n-1 all lie inside the buffer.
bool UnitsExist(const CTextView& b, int64_t first, int64_t n) {
  return first >= 0 && first + n <= b.Size();
}

void AppendUnits(std::u16string& to, const CTextView& b, int32_t first, int32_t n) {
  for (int32_t k = 0; k < n; ++k) to.push_back(static_cast<char16_t>(b.Unit(first + k)));
}

void PrependUnits(std::u16string& to, const CTextView& b, int32_t first, int32_t n) {
  std::u16string units;
  AppendUnits(units, b, first, n);
  to.insert(0, units);
}

// One literal compared forward at s; returns the new pos or -1.
int32_t LiteralForward(const std::u16string& chars, const CTextView& b, int32_t s, int32_t limit, std::u16string& text) {
  const auto n = static_cast<int64_t>(chars.size());
  if (int64_t{s} + 2 * n > limit) return -1;
  const int32_t first = s / 2;
  for (int64_t k = 0; k < n; ++k)
    if (!SameUnit(chars[static_cast<size_t>(k)], b.Unit(Saturate(first + k)))) return -1;
  const int64_t pos = int64_t{s} + 2 * n - 1;
  if (pos == -1) return -1;
  AppendUnits(text, b, first, static_cast<int32_t>(n));
  return Saturate(pos);
}

int32_t LiteralBackward(const std::u16string& chars, const CTextView& b, int32_t low, int32_t n, std::u16string& text) {
  const auto k = static_cast<int64_t>(chars.size());
  const int64_t f = int64_t{n} - 2 * k + 2;
  if (f <= low) return -1;
  const int64_t first = f / 2;
  for (int64_t j = 0; j < k; ++j)
    if (!SameUnit(chars[static_cast<size_t>(j)], b.Unit(Saturate(first + j)))) return -1;
  PrependUnits(text, b, Saturate(first), static_cast<int32_t>(k));
  return Saturate(f);
}

int32_t SetRunForward(Node* p, const CTextView& b, int32_t s, int32_t limit) {
  const int32_t first = s / 2;
  const int64_t maxCount = std::max(p->maxCount, 0);
  if (p->anyChar && p->next != nullptr && int64_t{s} + 2 * maxCount <= limit && UnitsExist(b, first, maxCount)) {
    AppendUnits(p->matchText, b, first, static_cast<int32_t>(maxCount));
    return Saturate(int64_t{s} + 2 * maxCount - 1);
  }
  const CMembers isMember(p);
  int64_t k = 0;
  while (k < maxCount && int64_t{s} + 2 * k + 2 <= limit && isMember(b.Unit(Saturate(first + k)))) ++k;
  if (k == 0) return -1;
  AppendUnits(p->matchText, b, first, static_cast<int32_t>(k));
  return Saturate(int64_t{s} + 2 * k - 1);
}

int32_t SetRunBackward(Node* p, const CTextView& b, int32_t low, int32_t n) {
  if (n <= low && low > 0) return -1;
  const int64_t maxCount = std::max(p->maxCount, 0);
  const int64_t lowest = int64_t{n} - 2 * maxCount + 2;
  if (p->anyChar && p->prev != nullptr && lowest >= 0 && UnitsExist(b, lowest / 2, maxCount)) {
    PrependUnits(p->matchText, b, static_cast<int32_t>(lowest / 2), static_cast<int32_t>(maxCount));
    return static_cast<int32_t>(lowest);
  }
  const CMembers isMember(p);
  std::u16string taken;  // in reverse text order
  int64_t q = n;
  int64_t lowestTaken = n;
  for (;;) {
    const int32_t unit = b.Unit(static_cast<int32_t>(q / 2));  // q = -2 reads unit -1: nothing
    if (!isMember(unit)) break;
    taken.push_back(static_cast<char16_t>(unit));
    lowestTaken = q;
    if (static_cast<int64_t>(taken.size()) >= maxCount || q - 2 <= low || q - 2 < 0) break;
    q -= 2;
  }
  if (taken.empty()) return -1;
  std::reverse(taken.begin(), taken.end());
  p->matchText.insert(0, taken);
  return static_cast<int32_t>(lowestTaken);
}

// Sum(n) = max(self(n), Sum(n's alternative)) + Sum(n's next), computed from
// the tail so that long chains need no recursion.
template <class Self>
int64_t ChainSum(const Node* node, const Self& self);

// Nodes gathered to be walked back to front; the usual few need no allocation.
class CNodeList {
public:
  void push_back(const Node* n) {
    if (m_count < kInline) m_inline[m_count] = n;
    else m_more.push_back(n);
    ++m_count;
  }
  size_t size() const { return m_count; }
  const Node* operator[](size_t i) const { return i < kInline ? m_inline[i] : m_more[i - kInline]; }

private:
  static constexpr size_t kInline = 16;
  const Node* m_inline[kInline] = {};
  std::vector<const Node*> m_more;
  size_t m_count = 0;
};

template <class Self>
int64_t AlternativeSum(const Node* group, int64_t groupFollowing, const Self& self) {
  CNodeList alts;
  for (const Node* a = group->alternative; a != nullptr; a = a->alternative) alts.push_back(a);
  int64_t acc = 0;
  for (size_t j = alts.size(); j-- > 0;) {
    const Node* a = alts[j];
    int64_t following = 0;
    if (a->next == group->next) {
      following = a->next ? groupFollowing : 0;
    } else if (a->next != nullptr) {
      following = ChainSum(a->next, self);
    }
    acc = AddCapped(std::max(self(a), acc), following);
  }
  return acc;
}

template <class Self>
int64_t ChainSum(const Node* node, const Self& self) {
  // Without alternatives the sum is a plain walk along next.
  int64_t plain = 0;
  bool grouped = false;
  for (const Node* q = node; q != nullptr && !grouped; q = q->next) {
    grouped = q->alternative != nullptr;
    plain = AddCapped(plain, self(q));
  }
  if (!grouped) return plain;
  CNodeList chain;
  for (const Node* q = node; q != nullptr; q = q->next) chain.push_back(q);
  int64_t following = 0;
  for (size_t i = chain.size(); i-- > 0;) {
    const Node* q = chain[i];
    int64_t v = self(q);
    if (q->alternative != nullptr) v = std::max(v, AlternativeSum(q, following, self));
    following = AddCapped(v, following);
  }
  return following;
}

int64_t LongestSelf(const Node* n) {
  int64_t base;
  if (n->matchStart != -1) {
    base = static_cast<int64_t>(n->matchText.size());
  } else if (n->isSet) {
    base = std::max(n->maxCount, 0);
  } else {
    base = static_cast<int64_t>(n->chars.size()) * std::max(n->maxCount, 0);
  }
  return std::min(2 * base, kMax);
}

// A term of SpanOfUnmatchedBefore: LongestPossible(n, false) of a node without alternatives.
int64_t UnmatchedSelf(const Node* n) { return LongestSelf(n); }

int64_t MaxLengthSelf(const Node* n) {
  const int64_t maxCount = std::max(n->maxCount, 0);
  if (n->isSet) return std::min(2 * maxCount, kMax);
  const auto length = static_cast<int64_t>(n->chars.size());
  int64_t v = 2 * maxCount * length;
  if (maxCount < 3) v += 2 * length;
  return std::min(v, kMax);
}

void ClearState(Node* n) {
  n->repeatCount = 0;
  n->matchText.clear();
  n->matchStart = n->matchEnd = -1;
}

bool Rule1(const Node* q) {
  return q->matchStart == -1 && (q->op == 0 || (q->minCount == q->maxCount && (IsPlaced(q->prev) || IsPlaced(q->next))));
}

}  // namespace

int32_t LowerBound(const CUnicodeExpression* node) {
  if (Indexed(node)) {
    const Node* q = g_pIndex->PrevEnded(node);
    return q != nullptr ? Saturate(int64_t{q->matchEnd} + 1) : g_nScanStart;
  }
  for (const Node* q = node->prev; q != nullptr; q = q->prev)
    if (q->matchEnd >= 0) return Saturate(int64_t{q->matchEnd} + 1);
  return g_nScanStart;
}

int32_t UpperBound(const CUnicodeExpression* node) {
  if (Indexed(node)) {
    const Node* q = g_pIndex->NextStarted(node);
    return q != nullptr ? q->matchStart : g_nScanEnd;
  }
  for (const Node* q = node->next; q != nullptr; q = q->next)
    if (q->matchStart >= 0) return q->matchStart;
  return g_nScanEnd;
}

int32_t NextPlacedStart(const CUnicodeExpression* node, int32_t def) {
  if (Indexed(node)) {
    const Node* q = g_pIndex->NextTouched(node);
    return q != nullptr ? q->matchStart : def;
  }
  for (const Node* q = node->next; q != nullptr; q = q->next)
    if (q->matchStart != -1) return q->matchStart;
  return def;
}

bool PrecedingPlaced(const CUnicodeExpression* node) {
  if (Indexed(node)) {
    const Node* q = g_pIndex->PrevNotSkipped(node);
    return q != nullptr && q->matchStart >= 0;
  }
  for (const Node* q = node->prev; q != nullptr; q = q->prev) {
    if (q->matchStart == -1) return false;
    if (q->matchStart >= 0) return true;
  }
  return false;
}

int32_t LongestPossible(const CUnicodeExpression* node, bool withFollowing) {
  if (withFollowing && Indexed(node)) return Saturate(std::min(g_pIndex->LongestFrom(node), kMax));
  if (withFollowing) return Saturate(ChainSum(node, LongestSelf));
  int64_t v = LongestSelf(node);
  if (node->alternative != nullptr) {
    const int64_t following = node->next ? ChainSum(node->next, LongestSelf) : 0;
    v = std::max(v, AlternativeSum(node, following, LongestSelf));
  }
  return Saturate(v);
}

int32_t SpanOfUnmatchedBefore(const CUnicodeExpression* node) {
  if (Indexed(node)) return Saturate(std::min(g_pIndex->UnmatchedBefore(node), kMax));
  int64_t sum = 0;
  for (const Node* q = node->prev; q != nullptr; q = q->prev)
    if (q->matchStart == -1) sum = AddCapped(sum, LongestPossible(q, false));
  return Saturate(sum);
}

int32_t MaxMatchLength(const CUnicodeExpression* node) { return Saturate(ChainSum(node, MaxLengthSelf)); }

void ResetMatch(CUnicodeExpression* node, bool chainToo) {
  for (Node* q = node; q != nullptr; q = chainToo ? q->next : nullptr) {
    ClearState(q);
    for (Node* a = q->alternative; a != nullptr; a = a->alternative) ClearState(a);
  }
}

CUnicodeExpression* ChooseNext(CUnicodeExpression* node) {
  if (node == nullptr) return nullptr;
  Node* head = node;
  while (head->prev != nullptr) head = head->prev;
  for (Node* q = head; q != nullptr; q = q->next)
    if (Rule1(q)) return q;
  for (Node* q = head; q != nullptr; q = q->next)
    if (q->matchStart == -1 && q->op == u'?') return q;
  for (Node* q = head; q != nullptr; q = q->next)
    if (q->matchStart == -1 && q->op == u'+') return q;
  for (Node* q = head; q != nullptr; q = q->next)
    if (q->matchStart == -1) return q;
  return nullptr;
}

CUnicodeExpression* BuildMatchOrder(CUnicodeExpression* head) {
  if (head == nullptr) return nullptr;
  ResetMatch(head, true);
  // The same choices as repeated ChooseNext calls, kept in ordered sets so that
  // long chains are ordered in n log n instead of n squared.
  Node* first = head;
  while (first->prev != nullptr) first = first->prev;
  std::vector<Node*> nodes;
  for (Node* q = first; q != nullptr; q = q->next) nodes.push_back(q);
  const size_t n = nodes.size();
  std::set<size_t> rule1;
  for (size_t i = 0; i < n; ++i)
    if (Rule1(nodes[i])) rule1.insert(i);
  size_t cursorOnce = 0, cursorPlus = 0, cursorAny = 0;
  auto advance = [&nodes, n](size_t& c, auto accept) {
    while (c < n && !(nodes[c]->matchStart == -1 && accept(nodes[c]))) ++c;
    return c < n;
  };
  Node* chosenFirst = nullptr;
  Node* last = nullptr;
  for (;;) {
    size_t i;
    if (!rule1.empty()) {
      i = *rule1.begin();
    } else if (advance(cursorOnce, [](const Node* q) { return q->op == u'?'; })) {
      i = cursorOnce;
    } else if (advance(cursorPlus, [](const Node* q) { return q->op == u'+'; })) {
      i = cursorPlus;
    } else if (advance(cursorAny, [](const Node*) { return true; })) {
      i = cursorAny;
    } else {
      break;
    }
    Node* q = nodes[i];
    q->matchStart = q->matchEnd = 0;
    rule1.erase(i);
    if (i > 0 && Rule1(nodes[i - 1])) rule1.insert(i - 1);
    if (i + 1 < n && Rule1(nodes[i + 1])) rule1.insert(i + 1);
    if (last != nullptr) {
      last->nextInOrder = q;
    } else {
      chosenFirst = q;
    }
    last = q;
  }
  if (last != nullptr) last->nextInOrder = nullptr;
  ResetMatch(head, true);
  return chosenFirst;
}

void MatchForward(CUnicodeExpression* p, const CTextView& buffer, int32_t lim, int32_t& pos) {
  const int32_t s = pos;
  const int32_t limit = NextPlacedStart(p, lim);
  if (p->isSet) {
    pos = SetRunForward(p, buffer, s, limit);
  } else {
    pos = LiteralForward(p->chars, buffer, s, limit, p->matchText);
    // Alternatives in written order; the first that fits wins.
    for (const Node* a = p->alternative; pos == -1 && a != nullptr; a = a->alternative)
      pos = LiteralForward(a->chars, buffer, s, limit, p->matchText);
  }
  if (pos != -1) {
    p->matchStart = s;
    p->matchEnd = pos;
  } else {
    p->matchStart = p->matchEnd = -1;
  }
}

void MatchBackward(CUnicodeExpression* p, const CTextView& buffer, int32_t low, int32_t& pos) {
  const int32_t n = pos;
  if (p->isSet) {
    pos = SetRunBackward(p, buffer, low, n);
  } else {
    pos = LiteralBackward(p->chars, buffer, low, n, p->matchText);
    for (const Node* a = p->alternative; pos == -1 && a != nullptr; a = a->alternative)
      pos = LiteralBackward(a->chars, buffer, low, n, p->matchText);
  }
  if (pos != -1) {
    p->matchStart = pos;
    p->matchEnd = (pos == n) ? n : n - 1;
  } else {
    p->matchStart = p->matchEnd = -1;
  }
}

namespace {

bool IsLineAnchor(const Node* p) { return p->origOp == u'^' || p->origOp == u'$'; }

bool ComesAtOrAfter(const Node* r, const Node* from) {
  if (Indexed(r) && Indexed(from)) return r->chainIndex >= from->chainIndex;
  for (const Node* q = from; q != nullptr; q = q->next)
    if (q == r) return true;
  return false;
}

// Repetition backward from the room's end e, when only the follower is placed.
void PlaceBackward(Node* p, const CTextView& buffer, int32_t e) {
  int64_t low = -1;
  bool found = false;
  if (Indexed(p)) {
    const Node* q = g_pIndex->PrevEnded(p);
    found = q != nullptr;
    if (found) low = q->matchEnd;
  } else {
    for (const Node* q = p->prev; q != nullptr; q = q->prev) {
      if (q->matchEnd >= 0) {
        low = q->matchEnd;
        found = true;
        break;
      }
    }
  }
  if (!found) low = std::max<int64_t>(int64_t{e} - LongestPossible(p, false) - 2, -1);
  int32_t pos = e - 2;
  int32_t f = pos;
  if (pos != -1) {
    for (;;) {
      const size_t before = p->matchText.size();
      MatchBackward(p, buffer, static_cast<int32_t>(low), pos);
      if (pos == -1) break;
      p->repeatCount = p->isSet ? static_cast<int32_t>(p->matchText.size()) : p->repeatCount + 1;
      f = pos;
      if (p->isSet) break;
      if (p->matchText.size() == before) {
        // A repetition of no width would repeat forever in the same state:
        // end where the count would have ended, or refuse a '+' element.
        p->repeatCount = p->op == u'+' ? p->maxCount + 1 : p->maxCount;
        break;
      }
      if (p->repeatCount == p->maxCount && p->op != u'+') break;
      if (f < std::numeric_limits<int32_t>::min() + 2) break;
      pos = f - 2;
    }
  }
  if (p->repeatCount > 0) {
    if (p->repeatCount < p->minCount || p->repeatCount > p->maxCount) {
      p->matchText.clear();
      p->repeatCount = 0;
    } else {
      p->matchStart = f;
      p->matchEnd = e - 1;
    }
  }
}

// Which units can begin a repetition of p: a repetition at g fails without
// any other effect when the unit at g does not. Sets with more members than
// a vector compare takes use a table of the ASCII units instead.
class CStartFilter {
public:
  // False when p cannot be filtered (any-character sets, empty alternatives).
  bool Build(const Node* p) {
    const bool fold = !g_bCaseSensitive;
    if (!p->isSet) {
      for (const Node* a = p; a != nullptr; a = a == p ? p->alternative : a->alternative) {
        if (a->chars.empty() || !m_units.Add(a->chars[0], fold)) return false;
      }
      return true;
    }
    if (p->anyChar || p->chars.empty()) return false;
    m_useUnits = p->chars.size() <= kMaxScanUnits;
    for (size_t k = 0; m_useUnits && k < p->chars.size(); ++k) m_useUnits = m_units.Add(p->chars[k], fold);
    if (m_useUnits) return true;
    uint64_t low = 0, high = 0;
    bool above = fold;  // units from 0x80 on may fold to a member
    for (char16_t u : p->chars) {
      const unsigned v = u;
      if (v >= 0x80) above = true;
      else if (v < 64) low |= uint64_t{1} << v;
      else high |= uint64_t{1} << (v - 64);
      if (fold && v >= u'A' && v <= u'Z') high |= uint64_t{1} << (v + 32 - 64);
    }
    m_ascii[0] = low;
    m_ascii[1] = high;
    m_high = above;
    return true;
  }

  // The first unit index in [from, to) that may begin a repetition; to when none.
  int32_t Next(const CTextView& b, int32_t from, int32_t to) const {
    if (m_useUnits) return ScanForUnits(b, from, to, m_units);
    to = std::min(to, b.Size());
    for (int32_t i = std::max(from, 0); i < to; ++i) {
      const int32_t u = b.Unit(i);
      if (u >= 0x80 ? m_high : ((m_ascii[u >> 6] >> (u & 63)) & 1) != 0) return i;
    }
    return to;
  }

private:
  CScanUnits m_units;
  bool m_useUnits = true;
  bool m_high = false;
  uint64_t m_ascii[2] = {0, 0};
};

// A set run refused as too short: the runs that begin at the next positions
// lie inside it, so they are found from its length without scanning again.
bool CanStepRefusedRuns(const Node* p, int64_t start, int64_t run) {
  return p->isSet && !p->anyChar && !IsLineAnchor(p) && start >= 0 && run >= 1 && run < p->minCount;
}

// Goes on from the refused run at g as the loop of PlaceForward would, for as
// long as each next position also gives a run that is refused as too short
// (each iteration leaves its span in matchStart and matchEnd and grows a
// trailing set's room). Returns the last position so handled; the loop goes
// on after it. The run lengths are those SetRunForward would find: members
// from the unit on, held to the maximum count and to the room's limit.
int64_t StepRefusedRuns(Node* p, const CTextView& b, int32_t count, int64_t g, int64_t& e, int64_t run) {
  const int64_t first = g / 2;
  const CMembers isMember(p);
  int64_t members = run;  // the whole run of members from the unit at g
  while (members < kMax && isMember(b.Unit(Saturate(first + members)))) ++members;
  const int64_t maxCount = std::max(p->maxCount, 0);
  for (int64_t j = 1; j < members && g + 2 < e; ++j) {
    const int64_t s = g + 2;
    const int64_t limit = NextPlacedStart(p, static_cast<int32_t>(e));
    const int64_t fits = limit - s - 2 < 0 ? 0 : (limit - s - 2) / 2 + 1;
    const int64_t k = std::min({members - j, maxCount, fits});
    if (k < 1 || k >= p->minCount) break;  // that position fails otherwise, or matches: the loop does it
    g = s;
    p->matchStart = static_cast<int32_t>(s);
    p->matchEnd = Saturate(s + 2 * k - 1);
    if (p->next == nullptr && e < count) ++e;
  }
  return g;
}

// Repetition forward at g, g + 2 ... inside the room up to e.
void PlaceForward(Node* p, const CTextView& buffer, int32_t count, int32_t g0, int32_t e0) {
  int64_t e = e0;
  // Positions where a first repetition cannot begin are passed over when
  // failing there would only move on to the next position (and, for a
  // trailing set, widen the room by one byte, as the loop below does).
  const bool precededByPlaced = p->prev != nullptr && PrecedingPlaced(p);
  const bool grows = p->isSet && p->next == nullptr && !precededByPlaced;
  bool mayFilter = g_bFastScan && p->origOp != u'^' && p->origOp != u'$' &&
                   !(precededByPlaced && p->minCount == 0 && p->next == nullptr);
  bool filterBuilt = false;
  CStartFilter filter;
  for (int64_t g = g0; g < e; g += 2) {
    // Only after a few positions have failed: short gaps cost less than a filter.
    if (mayFilter && g >= int64_t{g0} + 8 && g >= 0) {
      if (!filterBuilt) {
        filterBuilt = true;
        mayFilter = filter.Build(p);
      }
      if (mayFilter) {
        // Iterations that would run from here: while g + 2i < e_i, where e_i
        // grows by one per failed iteration up to count when the room grows.
        int64_t runs;
        if (!grows || e >= count) {
          runs = (e - g + 1) / 2;
        } else {
          const int64_t room = count - e;
          runs = e - g <= room ? e - g : (e + room - g + 1) / 2;
        }
        const int64_t u = g / 2;
        int64_t next = filter.Next(buffer, static_cast<int32_t>(u), Saturate(u + runs));
        if (next >= buffer.Size()) next = u + runs;  // nothing exists there to match
        const int64_t skipped = std::min(next - u, runs);
        if (skipped > 0) {
          g += 2 * skipped;
          if (grows && e < count) e = std::min<int64_t>(e + skipped, count);
          p->matchStart = p->matchEnd = -1;
          if (g >= e) break;
        }
      }
    }
    const auto start = static_cast<int32_t>(g);
    int32_t pos = start;
    int32_t h = -1;
    if (start != -1) {
      do {
        const size_t before = p->matchText.size();
        MatchForward(p, buffer, static_cast<int32_t>(e), pos);
        if (pos != -1) {
          h = pos;
          p->repeatCount = p->isSet ? static_cast<int32_t>(p->matchText.size()) : p->repeatCount + 1;
          pos = Saturate(int64_t{p->matchEnd} + 1);
          if (!p->isSet && p->matchText.size() == before) {
            // No width: the same state again and again. See PlaceBackward.
            p->repeatCount = p->op == u'+' ? p->maxCount + 1 : p->maxCount;
            break;
          }
        } else if (p->prev != nullptr && PrecedingPlaced(p)) {
          if (p->minCount > 0) break;
          if (p->next == nullptr) {
            // A trailing element right after placed text is tried only there.
            if (p->repeatCount >= 1 && p->repeatCount <= p->maxCount) {
              p->matchStart = start;
              p->matchEnd = h;
            }
            return;
          }
        } else if (p->isSet && p->next == nullptr && e < count) {
          ++e;
        }
      } while ((p->repeatCount != p->maxCount || p->op == u'+') && !p->isSet && pos != -1);
    }
    if (p->repeatCount > 0) {
      if (p->repeatCount >= p->minCount && p->repeatCount <= p->maxCount) {
        p->matchStart = start;
        p->matchEnd = h;
        return;
      }
      const int64_t run = p->repeatCount;
      p->matchText.clear();
      p->repeatCount = 0;
      if (p->isSet && p->next == nullptr && e < count) ++e;
      if (g_bFastScan && CanStepRefusedRuns(p, start, run)) g = StepRefusedRuns(p, buffer, count, g, e, run);
    }
    if (p->repeatCount == 0 && p->origOp == u'^' && p->op == u'*') return;
  }
}

}  // namespace

int64_t SetMembersFrom(const CUnicodeExpression* p, const CTextView& buffer, int64_t first, int64_t cap) {
  const CMembers isMember(p);
  int64_t k = 0;
  while (k < cap && isMember(buffer.Unit(Saturate(first + k)))) ++k;
  return k;
}

bool PlaceRefusedLoneSet(CUnicodeExpression* p, const CTextView& buffer, int32_t count) {
  // As MatchNode with PlaceForward: g from the window's start by two while
  // g < e, each refused position growing the room by one byte up to count.
  const int64_t g0 = g_nScanStart;
  const int64_t e0 = g_nScanEnd;
  p->matchText.clear();
  p->repeatCount = 0;
  const int64_t iterations = std::min(e0 - g0, (int64_t{count} - g0 + 1) / 2);
  if (iterations <= 0) return p->matchStart != -1;  // no position tried: the state stays
  // The last position tried leaves its run's span, or nothing where no
  // member begins there.
  const int64_t s = g0 + 2 * (iterations - 1);
  const int64_t limit = std::min<int64_t>(e0 + iterations - 1, count);
  const int64_t fits = limit - s - 2 < 0 ? 0 : (limit - s - 2) / 2 + 1;
  const int64_t k = s < 0 ? 0 : SetMembersFrom(p, buffer, s / 2, std::min<int64_t>(std::max(p->maxCount, 0), fits));
  if (k < 1) {
    p->matchStart = p->matchEnd = -1;
    return false;
  }
  p->matchStart = static_cast<int32_t>(s);
  p->matchEnd = Saturate(s + 2 * k - 1);
  return true;
}

bool MatchNode(CUnicodeExpression* p, const CTextView& buffer, int32_t count, int32_t start, int32_t limit) {
  // A long chain's lookups go through an index of its placement state.
  // Short chains (nearly all) skip building even the empty index.
  std::optional<CPlacementIndex> index;
  if (g_bIndexLongChains && CPlacementIndex::MayIndex(p)) index.emplace(p, LongestSelf, UnmatchedSelf);
  struct CUse {
    const CPlacementIndex* saved = g_pIndex;
    ~CUse() { g_pIndex = saved; }
  } use;
  g_pIndex = index && index->Active() ? &*index : nullptr;
  // Each node hands over to the next in the match order; a loop, so that the
  // depth does not grow with the number of nodes.
  for (;;) {
    int32_t g = LowerBound(p);
    int32_t e = UpperBound(p);
    if (start > -1 && g < start) g = start;
    if (limit > -1 && e > limit) e = limit;
    p->matchText.clear();
    p->repeatCount = 0;

    if (IsLineAnchor(p) && p->prev == nullptr && e < g_nScanEnd) {
      if (g > start && g == g_nScanStart) g = start;
      for (int64_t q = int64_t{e} - 2; q > g; q -= 2) {
        if (buffer.UnitAt(static_cast<int32_t>(q)) == 0x000A) {
          if (q - 1 > g && buffer.UnitAt(static_cast<int32_t>(q - 2)) == 0x000D) q -= 2;
          g = static_cast<int32_t>(q);
          break;
        }
      }
    }

    if (IsPlaced(p->next) && (p->prev == nullptr || !IsPlaced(p->prev))) {
      PlaceBackward(p, buffer, e);
    } else {
      PlaceForward(p, buffer, count, g, e);
    }

    if (p->minCount == 0 && p->matchStart == -1) p->matchStart = p->matchEnd = -2;
    if (p->matchStart == -1) return false;
    if (g_pIndex != nullptr) index->Update(p);
    if (p->matchStart > 0 && p->next != nullptr && p->next->matchStart > 0 &&
        int64_t{p->next->matchStart} > int64_t{p->matchEnd} + 1) {
      p->matchText.clear();
      p->repeatCount = 0;
      return false;
    }
    Node* r = p->nextInOrder;
    if (r == nullptr) return true;

    int32_t n = -1;
    int32_t l = -1;
    if (p->matchStart != -2) {
      if (r->prev != nullptr && r->prev->matchEnd >= 0) {
        n = Saturate(int64_t{r->prev->matchEnd} + 1);
      } else {
        n = Saturate(std::max<int64_t>(int64_t{p->matchStart} - SpanOfUnmatchedBefore(p), 0));
        if (n == p->matchStart) n = Saturate(int64_t{p->matchEnd} + 1);
      }
      l = Saturate(std::min<int64_t>(count, int64_t{p->matchEnd} + 1 + LongestPossible(p, true)));
    }
    if (l > g_nScanEnd) g_nScanEnd = l;
    if (p->next != nullptr && ComesAtOrAfter(r, p->next)) n = Saturate(int64_t{p->matchEnd} + 1);
    p = r;
    start = n;
    limit = l;
  }
}
