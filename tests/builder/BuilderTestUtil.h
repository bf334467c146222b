// Shared helpers of the builder tests: the UNIX-style profile switch and a few
// shorthands.
#pragma once

#include <set>
#include <string>

#include "builder/CharacterTable.h"
#include "search/Profile.h"

// Answers "Flags"/"UNIX RegExp" with the given value while it lives.
class CUnixProfileScope : public CSearchProfile {
public:
  explicit CUnixProfileScope(bool unixMode) : m_nValue(unixMode ? 1 : 0) { SetSearchProfile(this); }
  ~CUnixProfileScope() override { SetSearchProfile(nullptr); }
  CUnixProfileScope(const CUnixProfileScope&) = delete;
  CUnixProfileScope& operator=(const CUnixProfileScope&) = delete;
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const override {
    return (section == u"Flags" && entry == u"UNIX RegExp") ? m_nValue : defaultValue;
  }

private:
  int m_nValue;
};

inline std::set<int32_t> Entries(std::u16string_view units) {
  std::set<int32_t> s;
  for (char16_t c : units) s.insert(CharacterTable::EntryOfUnit(c));
  return s;
}
