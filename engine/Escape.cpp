// Escape sequences, unescaped-character search, bracketed parts, set reading
// and the case fold.
#include "engine/Escape.h"

#include <unicode/uchar.h>

#include <vector>

#include "engine/Number.h"
#include "engine/TextUtil.h"
#include "engine/UnicodeExpression.h"

namespace {

constexpr std::u16string_view kEscapeLetters = u"abfnrtv?'\"\\";
constexpr std::u16string_view kEscapeValues = u"\x07\x08\x0C\x0A\x0D\x09\x0B?'\"\\";
static_assert(kEscapeLetters.size() == kEscapeValues.size());

bool IsDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Decodes the escape sequence whose backslash stands at p, appending what it
// stands for to out; returns the position after the sequence.
size_t DecodeEscapeAt(std::u16string_view text, size_t p, std::u16string& out) {
  if (p + 1 >= text.size()) return text.size();  // a trailing backslash is dropped
  const char16_t c = text[p + 1];
  const size_t letter = kEscapeLetters.find(c);
  if (letter != std::u16string_view::npos) {
    out.push_back(kEscapeValues[letter]);
    return p + 2;
  }
  if (!IsDecimalDigit(c)) {
    out.push_back(c);
    return p + 2;
  }
  // A numeric escape uses at most four characters after the backslash.
  CNumberRead r = ReadNumber(text.substr(p + 1), 0);
  if (r.consumed > 3) r = ReadNumber(text.substr(p + 1, 4), 0);
  if (r.consumed == 0) return p + 1;  // '\0xg': the text goes on after the backslash
  if (r.value != 0) out.push_back(static_cast<char16_t>(r.value));
  return p + 1 + static_cast<size_t>(r.consumed);
}

std::u16string Decoded(std::u16string_view text) {
  std::u16string s(text);
  DecodeEscapes(s);
  return s;
}

// The first unit that text decodes to, 0 when it decodes to nothing.
char16_t FirstDecodedUnit(std::u16string_view text) {
  std::u16string out;
  size_t i = 0;
  while (i < text.size() && out.empty()) {
    if (text[i] == u'\\') {
      i = DecodeEscapeAt(text, i, out);
    } else {
      return text[i];
    }
  }
  return out.empty() ? 0 : out[0];
}

// Membership bitmap of a set's chars, so that large sets and ranges stay linear.
class CMemberMap {
public:
  explicit CMemberMap(const std::u16string& chars) : bits_(0x10000, false) {
    for (char16_t u : chars) bits_[u] = true;
  }
  bool TestAndSet(char16_t u) {
    if (bits_[u]) return true;
    bits_[u] = true;
    return false;
  }

private:
  std::vector<bool> bits_;
};

void AddUnits(CUnicodeExpression* node, std::u16string_view units) {
  if (units.size() + node->chars.size() < 64) {
    for (char16_t u : units)
      if (node->chars.find(u) == std::u16string::npos) node->chars.push_back(u);
    return;
  }
  CMemberMap map(node->chars);
  for (char16_t u : units)
    if (!map.TestAndSet(u)) node->chars.push_back(u);
}

// Reads set text into node. With decode false the text is already decoded (the
// part before a range start), and a range end is exactly one unit long.
void ReadSetText(CUnicodeExpression* node, std::u16string_view text, bool decode, std::u16string_view whole) {
  for (;;) {
    node->isSet = 1;
    const size_t k = text.find(u'-');
    if (k != std::u16string_view::npos && k + 1 < text.size()) {
      const std::u16string left = decode ? Decoded(text.substr(0, k)) : std::u16string(text.substr(0, k));
      if (left.empty()) {
        throw CExpressionError("the character range in '[" + ToUtf8(whole) + "]' has no start");
      }
      const std::u16string_view after = text.substr(k + 1);
      const char16_t to = decode ? FirstDecodedUnit(after) : after[0];
      AddRange(node, left.back(), to);
      // The part before the range start holds no '-' of its own, so this goes one level deep.
      ReadSetText(node, std::u16string_view(left).substr(0, left.size() - 1), false, whole);
      size_t restStart = k + 2;
      if (decode && text[k + 1] == u'\\') {
        std::u16string ignored;
        restStart = DecodeEscapeAt(text, k + 1, ignored);
      }
      text = text.substr(restStart);
      continue;
    }
    const std::u16string units = decode ? Decoded(text) : std::u16string(text);
    AddUnits(node, units);
    if (k == std::u16string_view::npos && units.empty() && node->chars.empty()) {
      node->anyChar = 1;
      node->stopAtLineEnd = 0;
    }
    return;
  }
}

}  // namespace

bool IsEscaped(std::u16string_view text, int32_t i) {
  if (i <= 0) return false;
  size_t j = static_cast<size_t>(i) < text.size() ? static_cast<size_t>(i) : text.size();
  size_t run = 0;
  while (j > 0 && text[j - 1] == u'\\') {
    --j;
    ++run;
  }
  return run % 2 == 1;
}

int32_t FindUnescaped(std::u16string_view text, char16_t c) {
  return FindFirstUnescapedOf(text, std::u16string_view(&c, 1));
}

int32_t FindFirstUnescapedOf(std::u16string_view text, std::u16string_view list) {
  bool escaped = false;  // an odd run of backslashes ends right here
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (!escaped && list.find(u) != std::u16string_view::npos) return static_cast<int32_t>(i);
    escaped = (u == u'\\') ? !escaped : false;
  }
  return -1;
}

int32_t FindMatchingClose(std::u16string_view text, char16_t open, char16_t close) {
  bool escaped = false;
  bool seenOpen = false;
  int64_t depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (!escaped) {
      if (u == open) {
        ++depth;
        seenOpen = true;
      } else if (u == close) {
        --depth;
      }
      if (seenOpen && depth == 0) return static_cast<int32_t>(i + 1);
    }
    escaped = (u == u'\\') ? !escaped : false;
  }
  return -1;
}

int32_t GroupLength(std::u16string_view text) {
  if (text.size() == 1) return -1;
  auto at = [&text](size_t i) { return i < text.size() ? text[i] : char16_t{0}; };
  if (at(0) == u'(' || at(1) == u'(') return FindMatchingClose(text, u'(', u')');
  if (at(0) == u'[' || at(1) == u'[') return FindMatchingClose(text, u'[', u']');
  return 0;
}

void DecodeEscapes(std::u16string& text) {
  if (text.find(u'\\') == std::u16string::npos) return;
  const std::u16string_view in(text);
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < in.size()) {
    const size_t p = in.find(u'\\', i);
    if (p == std::u16string_view::npos) break;
    out.append(in.substr(i, p - i));
    i = DecodeEscapeAt(in, p, out);
  }
  if (i < in.size()) out.append(in.substr(i));
  text = std::move(out);
}

void ParseSet(CUnicodeExpression* node, std::u16string_view text) {
  ReadSetText(node, text, true, text);
}

void AddRange(CUnicodeExpression* node, char16_t from, char16_t to) {
  if (to < from) return;
  if (to - from < 64 && node->chars.size() < 64) {
    for (uint32_t u = from; u <= to; ++u)
      if (node->chars.find(static_cast<char16_t>(u)) == std::u16string::npos) node->chars.push_back(static_cast<char16_t>(u));
    return;
  }
  CMemberMap map(node->chars);
  for (uint32_t u = from; u <= to; ++u)  // 32-bit counter: a range may end at U+FFFF
    if (!map.TestAndSet(static_cast<char16_t>(u))) node->chars.push_back(static_cast<char16_t>(u));
}

char16_t FoldCase(char16_t u) {
  if (u < 128) return (u >= u'a' && u <= u'z') ? static_cast<char16_t>(u - (u'a' - u'A')) : u;
  const UChar32 upper = u_toupper(static_cast<UChar32>(u));
  if (upper < 0 || upper > 0xFFFF) return u;
  return static_cast<char16_t>(upper);
}

void ComputeNumericFlag(CUnicodeExpression* node) {
  if (!node->isSet || node->anyChar) return;
  constexpr std::u16string_view kNumeric = u"0123456789-+.";
  node->isNumeric = 1;
  for (char16_t u : node->chars) {
    if (kNumeric.find(u) == std::u16string_view::npos) {
      node->isNumeric = 0;
      break;
    }
  }
}
