// Set membership of the units below 256 as a bit table, so that the matcher
// tests a set run's units without folding each one or searching the members.
#pragma once

#include <cstdint>
#include <string>

#include "TextScan.h"
#include "UnicodeExpression.h"

class CMemberTable {
public:
  // The table of p's members (chars, with the fold g_bCaseSensitive asks for)
  // among the units 0 .. 255. Built once per node and remembered while the
  // node's chars and the case flag stay as they were.
  static const CMemberTable& For(const CUnicodeExpression* p);

  bool Has(char16_t u) const { return ((m_bits[u >> 6] >> (u & 63)) & 1) != 0; }

  uint64_t m_bits[4] = {0, 0, 0, 0};

private:
  struct CRemembered;
  static CRemembered& Slot(const CUnicodeExpression* p);
  static const CMemberTable& Rebuild(CRemembered& slot, const CUnicodeExpression* p, uint32_t stamp);
};

struct CMemberTable::CRemembered {
  const CUnicodeExpression* node = nullptr;
  int32_t caseSensitive = 0;
  uint32_t stamp = 0;    // inside one search the node alone names the table
  std::u16string chars;  // otherwise: what the table was built from, compared in full
  CMemberTable table;
};

inline const CMemberTable& CMemberTable::For(const CUnicodeExpression* p) {
  CRemembered& slot = Slot(p);
  const uint32_t stamp = ScanScopeStamp();
  if (stamp != 0 && slot.stamp == stamp && slot.node == p && slot.caseSensitive == g_bCaseSensitive)
    return slot.table;
  return Rebuild(slot, p, stamp);
}
