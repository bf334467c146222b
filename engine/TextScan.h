// Fast scans over a text view for the searcher and the matcher: the next unit
// that may start a literal or a set run, the next occurrence of a literal, and
// the next line break. They only skip work whose outcome is already known;
// every candidate they return is still checked by the ordinary comparison.
#pragma once

#include <cstdint>
#include <string_view>

#include "TextView.h"

// 1 (the default): the searcher and the matcher skip positions where no match
// can start. 0: every position is tried one by one. Results are the same
// either way; tests compare the two.
extern int32_t g_bFastScan;

// Up to this many distinct units can be looked for at once.
inline constexpr int kMaxScanUnits = 8;

// A set of units to look for; with `high`, every unit from 0x80 on is a
// candidate too (for case-insensitive matching, where such units may fold
// to the unit wanted).
struct CScanUnits {
  char16_t units[kMaxScanUnits] = {};
  int count = 0;
  bool high = false;

  // Adds u (and, when folding, the other case of an ASCII letter, and every
  // unit from 0x80 on); false when there is no room left.
  bool Add(char16_t u, bool fold);
  bool operator==(const CScanUnits& other) const;
};

// The first index in [from, to) whose unit (the view's virtual line feed
// included) is a candidate of `what`; `to` when there is none.
int32_t ScanForUnits(const CTextView& view, int32_t from, int32_t to, const CScanUnits& what);

// The line breaks among the units [from, to): a line feed, or a carriage
// return that no line feed follows (the unit after `to` is looked at too).
// Returns how many there are; *last = the index of the last one, or -1.
int32_t CountLineBreaks(const CTextView& view, int32_t from, int32_t to, int32_t* last);

// ScanForUnits remembers its last answers only inside such a scope, which the
// searcher opens for one Search: the buffer cannot change there. Opening and
// closing a scope forgets everything (a nested Search scans another text).
// Nonzero inside a scope; it changes when the outermost scope opens and
// closes, not with nested ones. Expressions stay as they are while a search
// runs, so what was worked out from one under a stamp holds while it lasts.
uint32_t ScanScopeStamp();

class CScanMemoScope {
public:
  CScanMemoScope();
  ~CScanMemoScope();
  CScanMemoScope(const CScanMemoScope&) = delete;
  CScanMemoScope& operator=(const CScanMemoScope&) = delete;

private:
  bool m_saved;
};
