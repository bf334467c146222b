// Comparing compiled search chains and templates for equal behaviour.
#include "builder/ChainCompare.h"

#include <algorithm>
#include <string>

#include "engine/UnicodeExpression.h"
#include "search/UnicodeReplaceExpression.h"
#include "search/UnicodeSearcher.h"

namespace {

std::u16string Members(const CUnicodeExpression& n) {
  std::u16string s = n.chars;
  std::sort(s.begin(), s.end());
  s.erase(std::unique(s.begin(), s.end()), s.end());
  return s;
}

bool SameNode(const CUnicodeExpression& a, const CUnicodeExpression& b) {
  if (a.isSet != b.isSet || a.op != b.op || a.origOp != b.origOp || a.minCount != b.minCount ||
      a.maxCount != b.maxCount || a.anyChar != b.anyChar || a.stopAtLineEnd != b.stopAtLineEnd ||
      a.isNumeric != b.isNumeric)
    return false;
  if (a.isSet ? Members(a) != Members(b) : a.chars != b.chars) return false;
  // The searcher tells line anchors from file anchors by the length of source.
  if ((a.origOp == u'^' || a.origOp == u'$') && a.source.size() != b.source.size()) return false;
  const CUnicodeExpression* x = a.alternative;
  const CUnicodeExpression* y = b.alternative;
  for (; x && y; x = x->alternative, y = y->alternative)
    if (x->chars != y->chars) return false;
  return !x && !y;
}

// The reference number written in an element's source, 0 for a literal.
int ReferenceNumber(const CUnicodeReplaceExpression& e) {
  if (e.source.size() >= 2 && e.source[0] == u'%' && e.source[1] >= 0x31 && e.source[1] <= 0x71)
    return e.source[1] - 0x30;
  return 0;
}

}  // namespace

bool SameSearchChain(const CUnicodeExpression* a, const CUnicodeExpression* b) {
  for (; a && b; a = a->next, b = b->next)
    if (!SameNode(*a, *b)) return false;
  return !a && !b;
}

bool SameSearcher(const CUnicodeSearcher& a, const CUnicodeSearcher& b) {
  if (a.mustMatch != b.mustMatch || !SameSearchChain(a.head, b.head) || a.constraints.size() != b.constraints.size())
    return false;
  for (size_t i = 0; i < a.constraints.size(); ++i)
    if (!SameSearcher(*a.constraints[i], *b.constraints[i])) return false;
  return true;
}

bool SameTemplate(const CUnicodeReplaceExpression* a, const CUnicodeReplaceExpression* b) {
  for (; a && b; a = a->Next(), b = b->Next()) {
    const int ra = ReferenceNumber(*a);
    const bool refA = a->Referenced() != nullptr || ra != 0;
    const bool refB = b->Referenced() != nullptr || ReferenceNumber(*b) != 0;
    if (refA != refB) return false;
    if (refA) {
      if (a->Referenced() != b->Referenced() || ra != ReferenceNumber(*b) || a->caseMode != b->caseMode ||
          a->Direction() != b->Direction() || a->counterStart != b->counterStart ||
          a->counterEnabled != b->counterEnabled || a->padWidth != b->padWidth || a->fillText != b->fillText)
        return false;
    } else if (a->chars != b->chars) {
      return false;
    }
  }
  return !a && !b;
}
