// The remembered member tables; see MemberTable.h.
#include "engine/MemberTable.h"

#include "engine/Escape.h"

namespace {

constexpr size_t kSlots = 16;

void Build(const std::u16string& chars, bool caseSensitive, CMemberTable& table) {
  uint64_t present[4] = {0, 0, 0, 0};
  for (char16_t c : chars)
    if (c < 256) present[c >> 6] |= uint64_t{1} << (c & 63);
  auto member = [&](char16_t v) {
    if (v < 256) return ((present[v >> 6] >> (v & 63)) & 1) != 0;
    return chars.find(v) != std::u16string::npos;
  };
  for (unsigned u = 1; u < 256; ++u) {  // unit 0 is never a member
    const auto unit = static_cast<char16_t>(u);
    if (member(caseSensitive ? unit : FoldCase(unit))) table.m_bits[u >> 6] |= uint64_t{1} << (u & 63);
  }
}

}  // namespace

CMemberTable::CRemembered& CMemberTable::Slot(const CUnicodeExpression* p) {
  static CRemembered s_tables[kSlots];
  return s_tables[(reinterpret_cast<uintptr_t>(p) >> 4) % kSlots];
}

const CMemberTable& CMemberTable::Rebuild(CRemembered& slot, const CUnicodeExpression* p, uint32_t stamp) {
  if (slot.node == p && slot.caseSensitive == g_bCaseSensitive && slot.chars == p->chars) {
    slot.stamp = stamp;
    return slot.table;
  }
  slot.node = p;
  slot.caseSensitive = g_bCaseSensitive;
  slot.stamp = stamp;
  slot.chars = p->chars;
  slot.table = CMemberTable{};
  Build(p->chars, g_bCaseSensitive != 0, slot.table);
  return slot.table;
}
