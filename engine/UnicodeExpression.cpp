// Compiling search expression text into a chain of CUnicodeExpression nodes.
#include "engine/UnicodeExpression.h"

#include <vector>

#include "engine/Escape.h"
#include "engine/Number.h"

namespace {

constexpr size_t kNoRest = std::u16string_view::npos;
constexpr std::u16string_view kOperators = u"?*+$^[(";

std::u16string Decoded(std::u16string_view text) {
  std::u16string s(text);
  DecodeEscapes(s);
  return s;
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Inside a group every operator is an ordinary character: escape the unescaped ones.
std::u16string EscapeGroupOperators(std::u16string_view inside) {
  std::u16string out;
  out.reserve(inside.size() + 8);
  bool escaped = false;
  for (char16_t u : inside) {
    if (!escaped && kOperators.find(u) != std::u16string_view::npos) out.push_back(u'\\');
    out.push_back(u);
    escaped = (u == u'\\') ? !escaped : false;
  }
  return out;
}

}  // namespace

CUnicodeExpression::CUnicodeExpression(const std::u16string* text, CUnicodeExpression* prevNode) : prev(prevNode) {
  if (text == nullptr) return;
  try {
    Parse(*text);
    if (!g_bCaseSensitive) FoldChars();
  } catch (...) {
    // The destructor does not run for a node whose constructor throws.
    DestroyOwned();
    throw;
  }
}

CUnicodeExpression::~CUnicodeExpression() { DestroyOwned(); }

void CUnicodeExpression::DestroyOwned() noexcept {
  CUnicodeExpression* a = alternative;
  alternative = nullptr;
  while (a != nullptr) {
    CUnicodeExpression* following = a->alternative;
    a->alternative = nullptr;
    a->next = nullptr;  // an alternative only borrows its group's neighbours
    a->prev = nullptr;
    delete a;
    a = following;
  }
  CUnicodeExpression* p = next;
  next = nullptr;
  while (p != nullptr) {
    CUnicodeExpression* following = p->next;
    p->next = nullptr;  // detached first, so each delete frees one node
    delete p;
    p = following;
  }
}

void CUnicodeExpression::FoldChars() {
  for (char16_t& u : chars) u = FoldCase(u);
}

void CUnicodeExpression::Parse(const std::u16string& text) {
  std::u16string_view rest(text);
  size_t restStart = ParseOne(rest);
  CUnicodeExpression* tail = this;
  while (restStart != kNoRest) {
    rest = rest.substr(restStart);
    auto* node = new CUnicodeExpression(nullptr, tail);
    tail->next = node;
    restStart = node->ParseOne(rest);
    if (!g_bCaseSensitive) node->FoldChars();
    tail = node;
  }
}

void CUnicodeExpression::ParseElement(const std::u16string& text) {
  const size_t restStart = ParseElementOne(text);
  if (restStart == kNoRest) return;
  const std::u16string rest = text.substr(restStart);
  next = new CUnicodeExpression(&rest, nullptr);
  next->prev = this;
}

size_t CUnicodeExpression::ParseOne(std::u16string_view text) {
  const int32_t found = FindFirstUnescapedOf(text, kOperators);
  size_t restStart = kNoRest;
  if (found < 0) {
    source = text;
    ParseElementOne(text);
  } else if (found > 0) {
    const auto pos = static_cast<size_t>(found);
    ParseElementOne(text.substr(0, pos));
    source = text.substr(0, pos);
    restStart = pos;
  } else if (text[0] == u'(' || text[0] == u'[') {
    restStart = ParseElementOne(text);
  } else {
    const char16_t c = text[0];
    op = origOp = c;
    if (c == u'^' || c == u'$') {
      op = u'?';
      maxCount = 2;
      minCount = 1;
      ParseElementOne(u"[\r\n]");
      const size_t length = (text.size() > 1 && text[1] == c) ? 2 : 1;
      source = text.substr(0, length);
      if (length < text.size()) restStart = length;
    } else {
      size_t countLength = 0;
      if (c == u'+') {
        minCount = 1;
        const std::u16string_view count = text.substr(1);
        const bool dashForm = !count.empty() && count[0] == u'-';
        const size_t numberStart = dashForm ? 1 : 0;
        const CNumberRead first = ReadNumber(count.substr(numberStart), 10);
        const size_t stop = numberStart + static_cast<size_t>(first.consumed);
        const int32_t v = Clamp(first.value, minCount, maxCount);
        if (dashForm) {
          maxCount = v;
          countLength = stop;
        } else if (stop < count.size() && count[stop] == u'+') {
          minCount = v;
          countLength = stop + 1;
        } else if (stop < count.size() && count[stop] == u'-') {
          minCount = v;
          const CNumberRead second = ReadNumber(count.substr(stop + 1), 10);
          maxCount = Clamp(second.value, minCount, maxCount);
          countLength = stop + 1 + static_cast<size_t>(second.consumed);
        } else if (first.consumed > 0) {
          minCount = maxCount = v;
          countLength = stop;
        }
      } else if (c == u'*') {
        minCount = 0;
      }
      const size_t elementStart = 1 + countLength;
      source = text.substr(0, elementStart);
      if (elementStart < text.size() && (text[elementStart] == u'(' || text[elementStart] == u'[')) {
        const size_t r = ParseElementOne(text.substr(elementStart));
        if (r != kNoRest) restStart = elementStart + r;
      } else {
        ParseElementOne(std::u16string_view());
        if (elementStart < text.size()) restStart = elementStart;
      }
    }
  }
  FinishElement();
  return restStart;
}

void CUnicodeExpression::FinishElement() {
  if (origOp == u'?' || op == 0) minCount = maxCount = 1;
  if (op == u'*') {
    minCount = 0;
    maxCount = kDefaultMaxCount;
  }
  ComputeNumericFlag(this);
}

size_t CUnicodeExpression::ParseElementOne(std::u16string_view text) {
  const int32_t found = FindFirstUnescapedOf(text, u"([");
  if (found < 0) {
    if (op == u'?' || op == u'*' || op == u'+') {
      // A wildcard. Its source keeps the operator and any count written with it.
      if (source.empty()) source.assign(1, op);
      if (op == u'+') minCount = 1;
      anyChar = stopAtLineEnd = isSet = 1;
      if (op == u'*') minCount = 0;
    } else {
      chars += Decoded(text);
    }
    return kNoRest;
  }

  if (text[0] == u'[') isSet = 1;
  const int32_t length = GroupLength(text);
  if (length < 0) {
    // Unclosed: the whole remaining text is this element.
    const std::u16string units = Decoded(text);
    if (isSet) {
      chars.clear();
      std::vector<bool> present(0x10000, false);
      for (char16_t u : units) {
        if (!present[u]) {
          present[u] = true;
          chars.push_back(u);
        }
      }
    } else {
      chars = units;
    }
    source += text;
    return kNoRest;
  }

  const auto n = static_cast<size_t>(length);
  source += text.substr(0, n);
  const size_t restStart = n < text.size() ? n : kNoRest;
  const std::u16string_view inside = text.substr(1, n - 2);

  if (isSet) {
    ParseSet(this, inside);
    if (op == 0) op = origOp = u'?';
    return restStart;
  }

  const std::u16string literal = EscapeGroupOperators(inside);
  const size_t bar = literal.find(u'|');
  if (bar != std::u16string::npos) {
    const char16_t keptOp = op;
    const char16_t keptOrigOp = origOp;
    op = 0;
    ParseElementOne(std::u16string_view(literal).substr(0, bar));
    op = keptOp;
    origOp = keptOrigOp;
    CUnicodeExpression* tail = this;
    size_t start = bar + 1;
    while (start < literal.size()) {
      const size_t end = literal.find(u'|', start);
      const std::u16string piece = literal.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
      tail->alternative = new CUnicodeExpression(&piece, nullptr);
      tail = tail->alternative;
      if (end == std::u16string::npos) break;
      start = end + 1;
    }
  } else {
    const char16_t keptOp = op;
    const char16_t keptOrigOp = origOp;
    const int32_t keptMin = minCount;
    const int32_t keptMax = maxCount;
    op = 0;
    ParseElementOne(literal);
    op = keptOp;
    origOp = keptOrigOp;
    minCount = keptMin;
    maxCount = keptMax;
  }
  if (op == 0) op = origOp = u'?';
  if (op == u'*') {
    minCount = 0;
    maxCount = kDefaultMaxCount;
  }
  return restStart;
}

bool CUnicodeExpression::OperatorLast(std::u16string& out) const {
  if (op != 0 && !source.empty() && std::u16string_view(u"?*+!").find(source[0]) != std::u16string_view::npos) {
    out = source.substr(1);
    out.push_back(source[0]);
    return true;
  }
  out = source;
  return false;
}

void CUnicodeExpression::LinkAlternatives(CUnicodeExpression* node, bool detach) {
  for (CUnicodeExpression* q = node; q != nullptr; q = q->next) {
    for (CUnicodeExpression* a = q->alternative; a != nullptr; a = a->alternative) {
      a->prev = detach ? nullptr : q->prev;
      a->next = detach ? nullptr : q->next;
    }
  }
}

bool HasSubExpressionNumber(const CUnicodeExpression* node) {
  return node->op != 0 || node->isSet || node->alternative != nullptr;
}

CUnicodeExpression* SubExpression(CUnicodeExpression* head, int32_t k) {
  if (k < 1) return nullptr;
  for (CUnicodeExpression* n = head; n != nullptr; n = n->next)
    if (HasSubExpressionNumber(n) && --k == 0) return n;
  return nullptr;
}
