// The searcher's life outside the scan: building it (UNIX-style translation,
// splitting off the "!(...)" conditions, compiling both expressions, the match
// order), handing out the parts of a hit, resetting and destroying it.
#include "search/UnicodeSearcher.h"

#include <algorithm>
#include <memory>

#include "engine/Escape.h"
#include "engine/Match.h"
#include "engine/UnixExpression.h"
#include "search/Profile.h"

namespace {

constexpr int32_t kMaxMatchLengthCap = 10240;

void AppendUnitsAsBytes(std::string& out, const std::u16string& units) {
  out.clear();
  out.reserve(units.size() * 2);
  for (char16_t u : units) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  }
}

}  // namespace

CUnicodeSearcher::CUnicodeSearcher(const std::u16string* searchText, const std::u16string* replaceText) {
  if (searchText == nullptr) return;
  try {
    std::u16string expression = *searchText;
    Compile(expression);
    replaceHead = new CUnicodeReplaceExpression(head, replaceText, nullptr);
    Prepare();
  } catch (...) {
    // A throwing constructor runs no destructor: free what was built so far.
    delete head;
    head = nullptr;
    delete replaceHead;
    replaceHead = nullptr;
    for (CUnicodeSearcher* c : constraints) delete c;
    constraints.clear();
    throw;
  }
}

CUnicodeSearcher::~CUnicodeSearcher() {
  delete head;
  delete replaceHead;
  for (CUnicodeSearcher* c : constraints) delete c;
}

void CUnicodeSearcher::Compile(std::u16string& expression) {
  scanCache = CScanCache();  // a new chain
  if (IsUnixSyntax()) TranslateUnixExpression(expression);
  SplitConstraints(expression);
  head = new CUnicodeExpression(&expression, nullptr);
  CUnicodeExpression::LinkAlternatives(head, false);
}

void CUnicodeSearcher::AddConstraint(const std::u16string& text, bool mustMatchText) {
  auto c = std::make_unique<CUnicodeSearcher>(&text, nullptr);
  c->mustMatch = mustMatchText;
  constraints.push_back(c.get());
  c.release();
}

bool CUnicodeSearcher::SplitConstraints(std::u16string& expression) {
  static constexpr std::u16string_view kOpen = u"!(";
  std::u16string s = expression;
  std::u16string mainPart;
  bool result = true;

  size_t a = s.find(kOpen);
  while (a != std::u16string::npos) {
    std::u16string part = s.substr(0, a);
    if (!part.empty()) {
      if (mainPart.empty()) {
        mainPart = part;
      } else {
        AddConstraint(part, true);
      }
    }
    s.erase(0, a + 1);  // s now begins with "("

    int32_t e = GroupLength(s);
    if (e == -1) {
      e = static_cast<int32_t>(std::min<size_t>(s.size() * 2, INT32_MAX));
      result = false;
    }
    if (e > 1 && !mainPart.empty()) {
      size_t count = std::min(static_cast<size_t>(e) - 2, s.size() - 1);
      std::u16string inner = s.substr(1, count);
      AddConstraint(inner, false);
    }
    if (static_cast<size_t>(e) >= s.size()) {
      s.clear();
    } else {
      s.erase(0, static_cast<size_t>(e));
    }
    a = s.find(kOpen);
  }

  if (mainPart.empty()) {
    expressionText = expression;
  } else {
    expression = mainPart;
    expressionText = mainPart;
    if (!s.empty() && !constraints.empty()) AddConstraint(s, true);
  }
  return result;
}

void CUnicodeSearcher::Prepare() {
  scanCache = CScanCache();
  if (head == nullptr) return;
  stateClean = false;
  firstToMatch = BuildMatchOrder(head);
  stateClean = true;  // the order is built on a reset chain and leaves it reset
  lastNode = head;
  while (lastNode->next != nullptr) lastNode = lastNode->next;
  if (head->origOp == u'^' || head->origOp == u'$') head->maxCount = kDefaultMaxCount;
}

void CUnicodeSearcher::ResetMatchState() {
  if (stateClean) return;
  if (head != nullptr) ResetMatch(head, true);
  stateClean = true;
}

void CUnicodeSearcher::GetFoundText(std::u16string& out) {
  out.clear();
  for (const CUnicodeExpression* q = head; q != nullptr; q = q->next) out += q->matchText;
}

void CUnicodeSearcher::GetFoundTextA(std::string& out) {
  std::u16string text;
  GetFoundText(text);
  AppendUnitsAsBytes(out, text);
}

void CUnicodeSearcher::GetReplacement(std::u16string& out) {
  out.clear();
  if (replaceHead != nullptr) replaceHead->BuildReplacement(out);
}

void CUnicodeSearcher::GetReplacementA(std::string& out) {
  std::u16string text;
  GetReplacement(text);
  AppendUnitsAsBytes(out, text);
}

void CUnicodeSearcher::Reset(bool restartCounters) {
  if (replaceHead != nullptr) replaceHead->RestartCounters(restartCounters);
  if (head != nullptr && head->origOp == u'^') head->op = u'*';
}

int32_t CUnicodeSearcher::GetMaxMatchLength() {
  int64_t sum = 0;
  // Each term already covers the nodes after it, so the sum reaches the cap
  // quickly; stopping there keeps long chains from costing quadratic time.
  for (const CUnicodeExpression* q = head; q != nullptr && sum < kMaxMatchLengthCap; q = q->next) {
    sum += MaxMatchLength(q);
  }
  return static_cast<int32_t>(std::min<int64_t>(sum, kMaxMatchLengthCap));
}

bool CUnicodeSearcher::IsMustMatch() { return mustMatch; }

CUnicodeExpression* CUnicodeSearcher::GetSearchNode(int32_t i) const {
  if (i < 0) return nullptr;
  CUnicodeExpression* q = head;
  while (q != nullptr && i > 0) {
    q = q->next;
    --i;
  }
  return q;
}

CUnicodeReplaceExpression* CUnicodeSearcher::GetReplaceNode(int32_t i) const {
  if (i < 0) return nullptr;
  CUnicodeReplaceExpression* q = replaceHead;
  while (q != nullptr && i > 0) {
    q = q->Next();
    --i;
  }
  return q;
}
