// Building the character list: code texts and labels for the 256 codes.
#include "builder/CharacterTable.h"

#include <string_view>

#include "res/Strings.h"

namespace {

// The characters that have a one-letter escape, paired by position with their letters.
constexpr std::u16string_view kEscapedChars = u"\a\b\f\n\r\t\v?'\"\\";
constexpr std::u16string_view kEscapeLetters = u"abfnrtv?'\"\\";

std::u16string Ascii(std::string_view s) { return std::u16string(s.begin(), s.end()); }

std::u16string Hex(unsigned value, bool twoDigits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::u16string out;
  if (value >= 16 || twoDigits) out += static_cast<char16_t>(kDigits[(value >> 4) & 0xF]);
  out += static_cast<char16_t>(kDigits[value & 0xF]);
  return out;
}

// "%c - #%d" and its relatives: a prefix, " - #" and the decimal code.
std::u16string Label(std::u16string prefix, unsigned code) { return prefix + u" - #" + Ascii(std::to_string(code)); }

CCharacterEntry MakeEntry(int32_t entry) {
  CCharacterEntry e;
  if (entry == CharacterTable::kAnyPrintable) return e;  // label set by the table
  const unsigned i = static_cast<unsigned>(entry - 1);
  const char16_t c = static_cast<char16_t>(i);
  e.code = static_cast<int32_t>(i);
  if (i == 0) {
    e.codeText = u"\\0x00";
    e.label = u"NULL - #0";
    return e;
  }
  if (size_t k = kEscapedChars.find(c); k != std::u16string_view::npos) {
    e.codeText = std::u16string(u"\\") + kEscapeLetters[k];
    if (i == 9) e.label = Label(u"TAB", i);
    else if (i == 10) e.label = Label(u"LF", i);
    else if (i == 13) e.label = Label(u"CR", i);
    else e.label = Label(std::u16string(1, c), i);
    return e;
  }
  if (IsCharAlphaNumericLatin1(c) || (i >= 33 && i <= 126)) {
    e.codeText = (i <= 126 || i >= 192) ? std::u16string(1, c) : u"\\0x" + Hex(i, false);
    e.label = Label(std::u16string(1, c), i);
    return e;
  }
  if (i == 32) {
    e.codeText = u" ";
    e.label = u"(space) - #32";
    return e;
  }
  e.codeText = u"\\0x" + Hex(i, true);
  e.label = Label(std::u16string(1, c), i);
  return e;
}

}  // namespace

bool IsCharAlphaNumericLatin1(char16_t c) {
  if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return true;
  if (c == 0xAA || c == 0xB5 || c == 0xBA) return true;
  return c >= 192 && c <= 255 && c != 215 && c != 247;
}

std::u16string CharacterTable::CodeText(int32_t entry) {
  if (entry <= 0 || entry >= kEntries) return {};
  return MakeEntry(entry).codeText;
}

CharacterTable::CharacterTable() {
  m_aEntries.reserve(kEntries);
  for (int32_t k = 0; k < kEntries; ++k) m_aEntries.push_back(MakeEntry(k));
  m_aEntries[0].label = res::LoadString(5001);
}
