// Compiling a replace template into a chain of elements and producing the
// replacement of one hit from it: literal text, references with case marks,
// counters and the fill form.
#include "search/UnicodeReplaceExpression.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

#include "engine/Escape.h"
#include "engine/Number.h"

namespace {

constexpr char16_t kFirstReference = 0x31;  // '1': sub-expression 1
constexpr char16_t kLastReference = 0x71;   // 'q': sub-expression 65
constexpr std::u16string_view kFillMark = u"%%ZYFILL";

std::u16string Decoded(std::u16string_view text) {
  std::u16string s(text);
  DecodeEscapes(s);
  return s;
}

// "0..." or "-0..." asks for zero padding.
bool AsksForPadding(std::u16string_view text) {
  return (!text.empty() && text[0] == u'0') || (text.size() > 1 && text[0] == u'-' && text[1] == u'0');
}

int16_t PadWidthOf(int32_t units) {
  return static_cast<int16_t>(std::min<int32_t>(units, std::numeric_limits<int16_t>::max()));
}

// The decimal digits of value, with a '-' before them when negative.
std::u16string Decimal(int32_t value) {
  char buf[16];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
  return std::u16string(buf, r.ptr);
}

// "%ld" of the C runtime.
std::u16string FormatLong(int32_t value) { return Decimal(value); }

// "%0<width>d" of the C runtime: the sign counts towards the width, and the
// zeros go between the sign and the digits.
std::u16string FormatPadded(int32_t value, int32_t width) {
  std::u16string digits = Decimal(value);
  if (width <= 0 || digits.size() >= static_cast<size_t>(width)) return digits;
  const size_t zeros = static_cast<size_t>(width) - digits.size();
  digits.insert(value < 0 ? 1 : 0, zeros, u'0');
  return digits;
}

// Counters step as 32-bit values do, wrapping at the ends of the range.
int32_t Step(int32_t v, int32_t by) {
  return static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(by));
}

// Deletes a chain of elements without recursion. The referenced search nodes
// are only pointed at, so each element lets go of its own before it goes.
void DeleteElements(CUnicodeExpression* node) {
  while (node != nullptr) {
    CUnicodeExpression* following = node->next;
    node->next = nullptr;
    node->alternative = nullptr;
    delete node;
    node = following;
  }
}

// The ASCII letters of [first, last) in upper (mode 1) or lower (mode 2) case.
void ChangeCase(char16_t* first, char16_t* last, int32_t mode) {
  if (mode == 1) {
    for (char16_t* u = first; u != last; ++u)
      if (*u >= u'a' && *u <= u'z') *u = static_cast<char16_t>(*u - u'a' + u'A');
  } else {
    for (char16_t* u = first; u != last; ++u)
      if (*u >= u'A' && *u <= u'Z') *u = static_cast<char16_t>(*u - u'A' + u'a');
  }
}

}  // namespace

CUnicodeReplaceExpression::CUnicodeReplaceExpression(CUnicodeExpression* searchHeadNode, const std::u16string* text,
                                                     CUnicodeReplaceExpression* prevElement)
    : CUnicodeExpression(nullptr, prevElement), searchHead(searchHeadNode) {
  if (text == nullptr) return;
  try {
    Parse(*text);
  } catch (...) {
    // The destructor does not run for a constructor that throws; the base's
    // would take `alternative` for an owned node.
    alternative = nullptr;
    DeleteElements(next);
    next = nullptr;
    throw;
  }
}

CUnicodeReplaceExpression::~CUnicodeReplaceExpression() {
  alternative = nullptr;  // the referenced search node belongs to the search chain
  DeleteElements(next);
  next = nullptr;
}

void CUnicodeReplaceExpression::Parse(const std::u16string& text) {
  // Each element says how much of the remaining template it took; the next
  // element is built and parsed here, in a loop, so long templates need no
  // deep stack.
  const std::u16string_view all = text;
  CUnicodeReplaceExpression* element = this;
  size_t pos = 0;
  for (;;) {
    const size_t used = element->ParseElementText(all.substr(pos));
    if (used == 0) break;
    pos += used;
    auto* following = new CUnicodeReplaceExpression(searchHead, nullptr, element);
    element->next = following;
    element = following;
  }
}

size_t CUnicodeReplaceExpression::ParseElementText(std::u16string_view s) {
  const int32_t found = FindFirstUnescapedOf(s, u"%");
  if (found < 0 || static_cast<size_t>(found) + 1 == s.size()) {
    source = std::u16string(s);
    chars = Decoded(s);
    return 0;
  }
  const auto p = static_cast<size_t>(found);
  const char16_t c = s[p + 1];
  if (c < kFirstReference || c > kLastReference) {
    // Not a reference: everything from here on is literal text.
    chars = Decoded(s);
    return 0;
  }
  if (p > 0) {
    source = std::u16string(s.substr(0, p));
    chars = Decoded(source);
    return p;
  }

  FindSubExpression(c - 0x30);
  source = std::u16string(s.substr(0, 2));
  std::u16string_view rest = s.substr(2);
  if (rest.empty()) return 0;

  if (rest[0] == u'<' || rest[0] == u'>') {
    const char16_t mark = rest[0];
    source.push_back(mark);
    rest.remove_prefix(1);
    if (alternative != nullptr && alternative->isNumeric == 1) {
      const CNumberRead number = ReadNumber(rest, 10);
      const auto w = static_cast<size_t>(number.consumed);
      if (w < rest.size() && rest[w] == mark) {
        if (w < 1) {
          counterEnabled = 0;
        } else {
          counterStart = number.value;
          if (AsksForPadding(rest)) padWidth = PadWidthOf(number.consumed);
        }
        source.append(rest.substr(0, w + 1));
        rest.remove_prefix(w + 1);
      }
      isNumeric = mark == u'<' ? 2 : 1;
    }
    caseMode = mark == u'<' ? 2 : 1;
  } else if (s.size() > 10 && s.substr(2, kFillMark.size()) == kFillMark) {
    const std::u16string_view x = s.substr(10);
    const size_t k = x.find(u"%%");
    if (k != std::u16string_view::npos) {
      fillText = std::u16string(x.substr(0, k));
      caseMode = 3;
      rest = x.substr(k + 2);
    }
  }
  if (rest.empty()) return 0;
  return s.size() - rest.size();
}

bool CUnicodeReplaceExpression::FindSubExpression(int32_t k) {
  int32_t count = 0;
  for (CUnicodeExpression* node = searchHead; node != nullptr; node = node->next) {
    if (node->op != 0 || node->isSet != 0 || node->alternative != nullptr) {
      if (++count == k) {
        alternative = node;
        return true;
      }
    }
  }
  return false;
}

void CUnicodeReplaceExpression::ApplyTransform(std::u16string& text, bool advance) {
  if (alternative != nullptr && isNumeric != 0) {
    if (!advance) {
      text = FormatLong(counterValue);
      return;
    }
    int32_t v = counterValue;
    if (v == kCounterUnset) v = counterStart;
    if (v == kCounterUnset) {
      if (text.empty()) {
        v = 1;
      } else {
        const CNumberRead number = ReadNumber(text, 10);
        v = number.value;
        if (AsksForPadding(text)) padWidth = PadWidthOf(number.consumed);
      }
    }
    counterValue = Step(v, isNumeric == 1 ? 1 : -1);
    text = padWidth > 1 ? FormatPadded(counterValue, padWidth) : FormatLong(counterValue);
    return;
  }
  switch (caseMode) {
    case 1:
    case 2:
      ChangeCase(text.data(), text.data() + text.size(), caseMode);
      break;
    case 3: {
      std::u16string filled;
      filled.reserve(fillText.size() * text.size());
      for (size_t i = 0; i < text.size(); ++i) filled += fillText;
      text = std::move(filled);
      break;
    }
    default:
      break;
  }
}

void CUnicodeReplaceExpression::BuildReplacement(std::u16string& out) {
  out.clear();
  for (CUnicodeReplaceExpression* e = this; e != nullptr; e = e->Next()) {
    if (e->alternative != nullptr && e->isNumeric == 0 && e->caseMode != 3) {
      // As ApplyTransform does, on the copy in place at the end of out.
      const size_t from = out.size();
      out += e->alternative->matchText;
      if (e->caseMode == 1 || e->caseMode == 2) ChangeCase(out.data() + from, out.data() + out.size(), e->caseMode);
    } else if (e->alternative != nullptr) {
      std::u16string t = e->alternative->matchText;
      e->ApplyTransform(t, true);
      out += t;
    } else {
      out += e->chars;
    }
  }
}

void CUnicodeReplaceExpression::RestartCounters(bool restart) {
  for (CUnicodeReplaceExpression* e = this; e != nullptr; e = e->Next()) {
    if (e->isNumeric != 0 && e->counterEnabled != 0 && restart) e->counterValue = e->counterStart;
  }
}
