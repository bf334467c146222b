// The searcher's scan: moving a window through the buffer, asking the matcher
// to place the chain inside it, checking candidates (contiguity, conditions,
// anchors at the two ends) and counting the line breaks the window passes.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/Match.h"
#include "engine/TextScan.h"
#include "engine/TextView.h"
#include "search/SearcherSkips.h"
#include "search/UnicodeSearcher.h"

namespace {

// The end-of-text line feed and the end anchors are handled only below this size.
constexpr int32_t kEndOfTextLimit = 102400;
constexpr char16_t kLf = 0x000A;
constexpr char16_t kCr = 0x000D;

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

bool IsAnchor(const CUnicodeExpression* node) { return node->origOp == u'^' || node->origOp == u'$'; }

// "^^" and "$$": an anchor whose source holds the doubled operator.
bool IsFileAnchor(const CUnicodeExpression* node, char16_t op) {
  return node->origOp == op && node->source.size() == 2;
}

// Counts the line break that holds byte position p, once per unit: LF, or a CR
// that no LF follows (a CR LF pair counts at its LF).
class CLineCounter {
public:
  CLineCounter(const CTextView& view, int32_t base, int32_t* lastLineEnd, int32_t* lineCount)
      : m_view(view), m_base(base), m_lastLineEnd(lastLineEnd), m_lineCount(lineCount) {}

  void At(int32_t p) const {
    if (p < 0) return;
    AtUnit(p / 2);
  }

  // At for every position whose unit lies in [first, end), in order: the
  // units that are no line break are passed over by a fast scan.
  void Units(int32_t first, int32_t end) const {
    if (!g_bFastScan) {
      for (int32_t i = first; i < end; ++i) AtUnit(i);
      return;
    }
    if (first >= end) return;
    if (int64_t{m_base} + 2 * int64_t{end} > INT32_MAX || int64_t{m_base} + 2 * int64_t{first} < INT32_MIN) {
      for (int32_t i = first; i < end; ++i) AtUnit(i);  // where the positions would clamp
      return;
    }
    // Positions grow with the unit, so the breaks counted are exactly those
    // beyond the last counted line end.
    const int64_t beyond = int64_t{*m_lastLineEnd} - m_base;
    const int64_t from = std::max<int64_t>({first, 0, beyond < 0 ? 0 : beyond / 2 + 1});
    if (from >= end) return;
    int32_t last = -1;
    const int32_t count = CountLineBreaks(m_view, static_cast<int32_t>(from), end, &last);
    if (count > 0) {
      *m_lineCount += count;
      *m_lastLineEnd = m_base + 2 * last;
    }
  }

private:
  void AtUnit(int32_t i) const {
    if (i < 0) return;
    const int32_t u = m_view.Unit(i);
    const bool isBreak = u == kLf || (u == kCr && m_view.Unit(i + 1) != kLf);
    if (!isBreak) return;
    // The unit's own position, so that an odd window start never counts the
    // unit it lies in a second time.
    const int32_t where = Clamp32(static_cast<int64_t>(m_base) + 2 * static_cast<int64_t>(i));
    if (where > *m_lastLineEnd) {
      *m_lastLineEnd = where;
      ++*m_lineCount;
    }
  }

  const CTextView& m_view;
  int32_t m_base;
  int32_t* m_lastLineEnd;
  int32_t* m_lineCount;
};

// The match order's first node is a plain literal: then an attempt can only
// succeed in a window that holds the whole literal at a position the forward
// placement tries, and the windows before it can be passed over without
// matching (each would fail at its first node and change nothing but the
// window and the line count).
bool IsPlainLiteral(const CUnicodeExpression* plan) {
  return plan != nullptr && !plan->isSet && plan->op == 0 && plan->origOp == 0 && plan->alternative == nullptr &&
         !plan->chars.empty() && plan->minCount == 1 && plan->maxCount == 1 && plan->chars.size() < 0x10000000u;
}

// A searcher whose whole chain is one plain literal, without conditions.
bool IsLoneLiteral(const CUnicodeSearcher* searcher) {
  const CUnicodeExpression* head = searcher->head;
  return head != nullptr && head->next == nullptr && searcher->firstToMatch == head && IsPlainLiteral(head) &&
         searcher->constraints.empty();
}

// A set that must take at least one unit where it is placed first: an attempt
// fails, and Advance steps by one unit, wherever no member lies in reach.
bool IsPlainSet(const CUnicodeExpression* plan) {
  return plan != nullptr && plan->isSet && !plan->anyChar && plan->minCount > 0 && plan->origOp != u'^' &&
         plan->origOp != u'$';
}

// A line end placed first is placed as a set of the line breaks is, only
// without the start filter: where no line break lies in reach, the attempt
// fails at it as at a plain set.
bool IsLineEndPlan(const CUnicodeExpression* plan) {
  return plan != nullptr && plan->isSet && !plan->anyChar && plan->minCount > 0 && plan->origOp == u'$';
}

}  // namespace

int32_t CUnicodeSearcher::WindowLength() {
  // Only the head's counts change after compiling (line starts); the other
  // nodes' lengths are fixed.
  if (!scanCache.windowKnown || scanCache.windowMaxCount != head->maxCount) {
    scanCache.window = MaxMatchLength(head);
    scanCache.windowMaxCount = head->maxCount;
    scanCache.windowKnown = true;
  }
  return scanCache.window;
}

int32_t CUnicodeSearcher::Search(const char16_t* buf, int32_t bytes, int32_t remainingBytes, int32_t offset,
                                 int32_t offset2, int32_t* lastLineEnd, int32_t* lineCount) {
  const CScanMemoScope memo;  // this buffer stays as it is until Search returns
  int32_t ownLastLineEnd = 0;
  int32_t ownLineCount = 0;
  if (lastLineEnd == nullptr) lastLineEnd = &ownLastLineEnd;
  if (lineCount == nullptr) lineCount = &ownLineCount;
  if (buf == nullptr || bytes < 0) bytes = 0;
  bytes &= ~1;  // whole units only
  const int32_t base = Clamp32(static_cast<int64_t>(offset) + offset2);

  CUnicodeExpression* plan = firstToMatch;
  ResetMatchState();
  hitStart = 0;
  bufferBytes = bytes;
  buffer = buf;
  char16_t startKind = 0;
  if (head == nullptr) return -1;  // built without a search text
  int32_t len = bytes;

  int32_t literalAt = -1;  // next unit where a literal plan matches (INT32_MAX: none); -1 unknown
  int32_t setAt = -1;      // likewise, the next unit a set plan accepts
  int32_t setRunAt = -1;   // likewise, the next unit that begins a run of its minimum count
  auto makeInnerLineStart = [&] {
    literalAt = -1;
    setAt = -1;
    setRunAt = -1;
    // Away from the start of the text a line start must consume a line break.
    head->minCount = 2;
    head->maxCount = 4;
    head->op = u'?';
    plan = firstToMatch = BuildMatchOrder(head);
  };

  // Start of text.
  if (base == 0 && len > 2) {
    const char16_t u0 = buf[0];
    const char16_t u1 = buf[1];
    if ((u0 == kCr || u0 == kLf) && u1 != u0 && u1 != kLf) ++*lineCount;
  }
  if (base == 0 || base == 2) {
    startKind = head->origOp;
    if (startKind == u'^') {
      head->op = u'*';
      head->minCount = 0;
      plan = firstToMatch = BuildMatchOrder(head);
    }
  } else if (head->origOp == u'^') {
    makeInnerLineStart();
  }

  // End of text: a line end anchor sees one line feed after the text. It is
  // supplied by the view; nothing is written after the caller's buffer.
  bool extraLineFeed = false;
  if (remainingBytes < kEndOfTextLimit && lastNode->origOp == u'$') {
    extraLineFeed = true;
    len += 2;
  }
  const CTextView view(buf, bytes / 2, extraLineFeed);
  const CLineCounter lines(view, base, lastLineEnd, lineCount);

  if (plan == nullptr) return -1;

  g_nScanStart = 0;
  int32_t window = WindowLength();
  if (window < 32767) window *= 2;
  g_nScanEnd = std::min(window, len);

  // Whether the window now set can place the literal plan (see IsPlainLiteral).
  auto windowHoldsLiteral = [&] {
    const auto units = static_cast<int64_t>(plan->chars.size());
    const int64_t room = int64_t{g_nScanEnd} - 2 * units - g_nScanStart;
    if (room < 0) return false;
    if (literalAt < g_nScanStart / 2) literalAt = NextLiteralUnit(view, plan->chars, g_nScanStart / 2);
    return literalAt <= int64_t{g_nScanStart / 2} + room / 2;
  };
  // Moves the window on as Advance does after failed attempts, over every
  // window that cannot place the literal plan, and counts their line breaks
  // at once. True when the scan has reached the end of the buffer.
  auto passOverWindows = [&] {
    const int64_t longest = LongestPossible(plan, false);
    const int32_t firstUnit = g_nScanStart / 2;
    int32_t unitEnd = firstUnit;
    bool atEnd = false;
    // Where full windows follow each other, each failed one moves the start
    // by window - longest (even): jump over those that end well before the
    // literal's next match (or the text's end) in one step.
    const int64_t stride = int64_t{window} - longest;
    if (stride > 0 && stride % 2 == 0 && g_nScanEnd == int64_t{g_nScanStart} + window) {
      const int64_t units = static_cast<int64_t>(plan->chars.size());
      const int64_t target = literalAt == INT32_MAX ? INT64_MAX : 2 * int64_t{literalAt} - 4;
      int64_t k = (int64_t{len} - window - g_nScanStart) / stride;  // windows that stay full
      if (target != INT64_MAX) k = std::min(k, (target - (window - 2 * units) - g_nScanStart) / stride);
      if (k > 1) {
        --k;  // the last full window is stepped one by one below
        const int32_t old = g_nScanStart;
        g_nScanStart = Clamp32(int64_t{old} + k * stride);
        g_nScanEnd = Clamp32(int64_t{g_nScanStart} + window);
        hitStart = static_cast<int32_t>(stride);
        unitEnd = Clamp32(int64_t{old / 2} + k * stride / 2);
      }
    }
    do {
      const int32_t old = g_nScanStart;
      int64_t cand = int64_t{g_nScanEnd} - longest;
      if (cand <= old) cand = int64_t{old} + longest;
      if (cand < 0) cand = g_nScanEnd;
      cand = std::min<int64_t>(cand, len);
      if (cand <= old) cand = cand + 1;
      g_nScanStart = Clamp32(cand);
      const int32_t step = g_nScanStart - old;
      hitStart = step;
      unitEnd = std::max(unitEnd, Clamp32(int64_t{old / 2} + (int64_t{step} + 1) / 2));
      if (g_nScanStart >= len) {
        atEnd = true;
        break;
      }
      g_nScanEnd = std::min(Clamp32(static_cast<int64_t>(g_nScanStart) + window), len);
    } while (!windowHoldsLiteral());
    lines.Units(firstUnit, unitEnd);
    return atEnd;
  };

  // Whether an attempt in the window now set could place the set plan (see
  // IsPlainSet): its room may grow to twice the window for a trailing set.
  auto windowMayHoldSet = [&] {
    if (setAt < g_nScanStart / 2) setAt = NextSetUnit(view, plan, g_nScanStart / 2);
    if (setAt == INT32_MAX) return false;
    const int64_t reach = std::min<int64_t>(len, 2 * int64_t{g_nScanEnd} - g_nScanStart);
    return 2 * int64_t{setAt} <= reach;
  };
  // Whether an attempt in the window now set could place a lone set plan
  // (see IsPlainSet), which needs a run of its minimum count of members.
  // Runs too short are passed over whole: none begins inside them either.
  auto windowMayHoldSetRun = [&] {
    if (setRunAt < g_nScanStart / 2) {
      const int64_t wanted = std::max(plan->minCount, 1);
      int32_t c = NextSetUnit(view, plan, g_nScanStart / 2);
      while (c != INT32_MAX) {
        const int64_t run = SetMembersFrom(plan, view, c, wanted);
        if (run >= wanted) break;
        c = NextSetUnit(view, plan, Clamp32(int64_t{c} + std::max<int64_t>(run, 1)));
      }
      setRunAt = c;
    }
    if (setRunAt == INT32_MAX) return false;
    const int64_t reach = std::min<int64_t>(len, 2 * int64_t{g_nScanEnd} - g_nScanStart);
    return 2 * int64_t{setRunAt} <= reach;
  };
  // Steps the window as Advance does after a failed set attempt, over every
  // window that cannot place the set plan, counting their line breaks at once.
  // True when the scan has reached the end of the buffer.
  auto passOverSetWindows = [&] {
    const int32_t firstUnit = g_nScanStart / 2;
    int32_t unitEnd = firstUnit;
    bool atEnd = false;
    do {
      const int32_t old = g_nScanStart;
      int64_t next = std::min<int64_t>(int64_t{old} + 2, len);
      if (next <= old) next = next + 1;
      g_nScanStart = Clamp32(next);
      const int32_t step = g_nScanStart - old;
      hitStart = step;
      unitEnd = std::max(unitEnd, Clamp32(int64_t{old / 2} + (int64_t{step} + 1) / 2));
      if (g_nScanStart >= len) {
        atEnd = true;
        break;
      }
      g_nScanEnd = std::min(Clamp32(static_cast<int64_t>(g_nScanStart) + window), len);
    } while (!windowMayHoldSet());
    lines.Units(firstUnit, unitEnd);
    return atEnd;
  };

  // An attempt places every node of the match order, so none can succeed
  // while a plain literal of the chain occurs nowhere in the buffer. Then only
  // the plan is placed: where it lies decides where Advance goes on. That
  // holds where the head comes after such a literal in the order (or is the
  // plan), as Advance also reads the head's place.
  const CUnicodeExpression* doomedPlan = nullptr;
  bool doomed = false;
  auto attemptIsDoomed = [&] {
    if (plan != doomedPlan) {
      doomedPlan = plan;
      doomed = false;
      int checked = 0;
      for (const CUnicodeExpression* q = plan->nextInOrder; q != nullptr && checked < 16; q = q->nextInOrder) {
        if (q == head) break;
        if (!IsPlainLiteral(q)) continue;
        ++checked;
        if (NextLiteralUnit(view, q->chars, 0) == INT32_MAX) {
          doomed = true;
          break;
        }
      }
    }
    return doomed;
  };
  // MatchNode for the plan alone.
  auto placePlanOnly = [&] {
    struct CRestore {
      CUnicodeExpression* node;
      CUnicodeExpression* following;
      ~CRestore() { node->nextInOrder = following; }
    } restore{plan, plan->nextInOrder};
    plan->nextInOrder = nullptr;
    MatchNode(plan, view, len, -1, -1);
  };

  int32_t start = 0;
  int32_t n = -1;
  for (;;) {
    bool attempt = true;
    // Also where one window holds the rest of the text: each attempt there
    // would scan the rest for a member.
    if (g_bFastScan && startKind != u'^' && (IsPlainSet(plan) || IsLineEndPlan(plan)) && !windowMayHoldSet()) {
      if (passOverSetWindows()) return -1;
      continue;
    }
    if (g_bFastScan && len > window && IsPlainLiteral(plan) && !windowHoldsLiteral()) {
      // While a line start may still be the text start, each window is
      // stepped as usual (the plan may change after a line break).
      if (startKind != u'^') {
        if (passOverWindows()) return -1;
        continue;
      }
      attempt = false;
    }
    if (attempt && g_bFastScan && startKind != u'^' && plan == head && head->next == nullptr && IsPlainSet(plan) &&
        !windowMayHoldSetRun()) {
      // A lone set that no run in reach satisfies is refused at every
      // position: the attempt's outcome follows without trying each one.
      n = PlaceRefusedLoneSet(plan, view, len) ? Validate() : -1;
    } else if (attempt && g_bFastScan && attemptIsDoomed()) {
      placePlanOnly();
      n = -1;
    } else {
      n = attempt && MatchNode(plan, view, len, -1, -1) ? Validate() : -1;
    }
    if (n >= 0) {
      start = head->matchStart;
      if (start < 0) start = UpperBound(head);
      hitStart = start;
      if (IsFileAnchor(head, u'^') && (start > 2 || base > 0)) n = -1;
      if (n >= 0 && IsFileAnchor(lastNode, u'$') && !(remainingBytes < kEndOfTextLimit && n == len)) n = -1;
      if (n >= 0 && (startKind != u'^' || !head->matchText.empty() || start <= 2)) break;
    }

    const int32_t step = Advance(plan, len);
    hitStart = step;
    {
      // The positions g_nScanStart - step + k, k = 0, 2 ... below step.
      const int32_t old = g_nScanStart - step;
      lines.Units(old / 2, Clamp32(int64_t{old / 2} + (int64_t{step} + 1) / 2));
    }

    if (attempt) ResetMatch(head, true);  // a window passed over changed nothing
    stateClean = true;

    if (startKind == u'^' && *lineCount > 0) {
      makeInnerLineStart();
      startKind = 0;
    }
    if (g_nScanStart >= len) return -1;
    g_nScanEnd = std::min(Clamp32(static_cast<int64_t>(g_nScanStart) + window), len);
  }

  // Accept: the line breaks of the anchors at the two ends are not part of the hit.
  if (IsAnchor(head)) {
    start = Clamp32(static_cast<int64_t>(start) + 2 * static_cast<int64_t>(head->matchText.size()));
    head->matchText.clear();
    head->matchStart = head->matchEnd = -2;
  }
  if (IsAnchor(lastNode)) {
    n = Clamp32(static_cast<int64_t>(n) - 2 * static_cast<int64_t>(lastNode->matchText.size()));
    lastNode->matchText.clear();
    lastNode->matchStart = lastNode->matchEnd = -2;
  }
  hitStart = start;
  if (g_nScanStart < start) {
    // The positions g_nScanStart, g_nScanStart + 2 ... below start.
    const int64_t positions = (int64_t{start} - g_nScanStart + 1) / 2;
    lines.Units(g_nScanStart / 2, Clamp32(int64_t{g_nScanStart / 2} + positions));
    g_nScanStart = Clamp32(int64_t{g_nScanStart} + 2 * positions);
  }
  stateClean = false;
  return n;
}

int32_t CUnicodeSearcher::Advance(CUnicodeExpression* plan, int32_t len) {
  const int32_t old = g_nScanStart;

  if (plan->matchStart >= 0) {
    int64_t next = plan->isSet ? static_cast<int64_t>(plan->matchEnd) + 1 : static_cast<int64_t>(plan->matchStart) + 2;
    if (plan != head && head->matchStart >= 0 && !IsAnchor(head)) {
      // Where the chain placed so far breaks off before the plan, restart from
      // the node before the gap.
      int64_t e = static_cast<int64_t>(head->matchEnd) + 1;
      for (CUnicodeExpression* q = head->next; q != nullptr; q = q->next) {
        if (q->matchStart == -1) break;
        if (q->matchStart != -2) {
          if (q->matchStart == e) {
            e = static_cast<int64_t>(q->matchEnd) + 1;
          } else {
            const CUnicodeExpression* r = q->prev;
            if (r != nullptr && r->matchStart >= 0) {
              next = plan->isSet ? static_cast<int64_t>(r->matchEnd) + 1 : static_cast<int64_t>(r->matchStart) + 2;
              break;
            }
          }
        }
        if (q == plan) break;
      }
    }
    int32_t newStart = Clamp32(std::min<int64_t>(next, len));
    // The window never stays where it was.
    if (newStart <= old) newStart = old + 1;
    g_nScanStart = newStart;
    return newStart - old;
  }

  if (plan->isSet) {
    int32_t next = std::min(old + 2, len);
    if (next <= old) next = next + 1;
    g_nScanStart = next;
    return next - old;
  }

  const int64_t longest = LongestPossible(plan, false);
  int64_t cand = static_cast<int64_t>(g_nScanEnd) - longest;
  if (cand <= old) cand = static_cast<int64_t>(old) + longest;
  if (cand < 0) cand = g_nScanEnd;
  cand = std::min<int64_t>(cand, len);
  if (cand <= old) cand = cand + 1;
  g_nScanStart = Clamp32(cand);
  return g_nScanStart - old;
}

int32_t CUnicodeSearcher::Validate() {
  const int32_t a = head->matchStart;
  int32_t e = a;
  int64_t total = 0;
  for (const CUnicodeExpression* q = head; q != nullptr; q = q->next) {
    if (q->matchStart == -1) return -1;
    if (q->matchStart == -2) continue;
    if (q->matchStart != e && e != -2) return -1;  // the matches must follow each other
    total += static_cast<int64_t>(q->matchText.size());
    if (!q->matchText.empty()) e = q->matchEnd + 1;
  }
  // A candidate must have consumed at least one unit.
  if (a >= e || total <= 0) return -1;
  if (!CheckConstraints()) return -1;
  return e;
}

bool CUnicodeSearcher::CheckConstraints() {
  if (constraints.empty()) return true;
  std::u16string& text = constraintText;  // its memory is kept for the next candidate
  GetFoundText(text);
  const int32_t bytes = Clamp32(2 * static_cast<int64_t>(text.size()));
  const int32_t savedStart = g_nScanStart;
  const int32_t savedEnd = g_nScanEnd;
  bool result = true;
  for (CUnicodeSearcher* c : constraints) {
    bool found = false;
    if (g_bFastScan && IsLoneLiteral(c)) {
      // The search finds such a condition exactly where its literal occurs.
      // The candidate's buffer is reused, so nothing remembered may be taken for it.
      const CScanMemoScope memo;
      const CTextView view(text.data(), bytes / 2);
      found = NextLiteralUnit(view, c->head->chars, 0) != INT32_MAX;
    } else {
      int32_t lastLineEnd = 0;
      int32_t lineCount = 0;
      found = c->Search(text.data(), bytes, bytes, 0, 0, &lastLineEnd, &lineCount) >= 0;
    }
    if (found != c->IsMustMatch()) {
      result = false;
      break;
    }
  }
  g_nScanStart = savedStart;
  g_nScanEnd = savedEnd;
  return result;
}
