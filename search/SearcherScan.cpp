// The searcher's scan: moving a window through the buffer, asking the matcher
// to place the chain inside it, checking candidates (contiguity, conditions,
// anchors at the two ends) and counting the line breaks the window passes.
#include <algorithm>
#include <cstdint>

#include "engine/Match.h"
#include "engine/TextView.h"
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
    const int32_t i = p / 2;
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

private:
  const CTextView& m_view;
  int32_t m_base;
  int32_t* m_lastLineEnd;
  int32_t* m_lineCount;
};

}  // namespace

int32_t CUnicodeSearcher::Search(const char16_t* buf, int32_t bytes, int32_t remainingBytes, int32_t offset,
                                 int32_t offset2, int32_t* lastLineEnd, int32_t* lineCount) {
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

  auto makeInnerLineStart = [&] {
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
  int32_t window = MaxMatchLength(head);
  if (window < 32767) window *= 2;
  g_nScanEnd = std::min(window, len);

  int32_t start = 0;
  int32_t n = -1;
  for (;;) {
    n = MatchNode(plan, view, len, -1, -1) ? Validate() : -1;
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
    for (int32_t k = 0; k < step; k += 2) lines.At(g_nScanStart - step + k);

    ResetMatch(head, true);
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
  while (g_nScanStart < start) {
    lines.At(g_nScanStart);
    g_nScanStart += 2;
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
  std::u16string text;
  GetFoundText(text);
  const int32_t bytes = Clamp32(2 * static_cast<int64_t>(text.size()));
  const int32_t savedStart = g_nScanStart;
  const int32_t savedEnd = g_nScanEnd;
  bool result = true;
  for (CUnicodeSearcher* c : constraints) {
    int32_t lastLineEnd = 0;
    int32_t lineCount = 0;
    const int32_t r = c->Search(text.data(), bytes, bytes, 0, 0, &lastLineEnd, &lineCount);
    if ((r >= 0) != c->IsMustMatch()) {
      result = false;
      break;
    }
  }
  g_nScanStart = savedStart;
  g_nScanEnd = savedEnd;
  return result;
}
