// The 257 entries of the search page's character list: entry 0 stands for any
// printable character, entry k (1-256) for the code k - 1 with the text it
// contributes to a character set and a readable label.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CCharacterEntry {
  int32_t code = -1;         // -1 for entry 0, else 0-255
  std::u16string codeText;   // what the entry adds to a set
  std::u16string label;      // "Displayed As"
};

class CharacterTable {
public:
  static constexpr int32_t kEntries = 257;
  static constexpr int32_t kAnyPrintable = 0;

  // Builds all entries; entry 0's label is string 5001 as the table stands now.
  CharacterTable();

  int32_t Size() const { return static_cast<int32_t>(m_aEntries.size()); }
  const CCharacterEntry& operator[](int32_t entry) const { return m_aEntries.at(static_cast<size_t>(entry)); }

  // The code text of an entry (empty for entry 0); needs no table instance.
  static std::u16string CodeText(int32_t entry);
  // The entry that holds a set member: its low eight bits plus one.
  static int32_t EntryOfUnit(char16_t unit) { return (unit & 0xFF) + 1; }

private:
  std::vector<CCharacterEntry> m_aEntries;
};

// Stand-in for the platform's alphanumeric test on Latin-1 codes: ASCII letters
// and digits, ª µ º, and the letters of 192-255 (not × 215 and ÷ 247).
bool IsCharAlphaNumericLatin1(char16_t c);
