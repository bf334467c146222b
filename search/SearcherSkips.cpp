// The searcher's fast scans for its first node: the next place of a literal
// and the next unit a set accepts, passing over blocks of units that cannot
// be either. They return exactly what a unit-by-unit comparison returns.
#include "search/SearcherSkips.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/Escape.h"
#include "engine/TextScan.h"
#include "search/UnicodeSearcher.h"

namespace {

bool SameUnit(char16_t expected, int32_t unit) {
  if (unit < 0) return false;
  auto u = static_cast<char16_t>(unit);
  if (!g_bCaseSensitive) u = FoldCase(u);
  return u == expected;
}

#if defined(__SSE2__)
// The units of one block that may be `expected` as SameUnit compares: the
// unit itself and, when folding, the lower-case ASCII letter and every unit
// from 0x80 on (only those can fold to a unit from 0x80 on, and some fold to
// ASCII letters). A superset: each candidate is still compared.
class CUnitFilter {
public:
  CUnitFilter(char16_t expected, bool fold) : m_fold(fold) {
    const bool high = expected >= 0x80;
    m_exact = _mm_set1_epi16(static_cast<int16_t>(high && fold ? 0 : expected));
    const bool letter = fold && expected >= u'A' && expected <= u'Z';
    m_other = _mm_set1_epi16(static_cast<int16_t>(letter ? expected + (u'a' - u'A') : (high && fold ? 0 : expected)));
  }
  __m128i Candidates(__m128i block) const {
    if (!m_fold) return _mm_cmpeq_epi16(block, m_exact);
    const __m128i m = _mm_or_si128(_mm_cmpeq_epi16(block, m_exact), _mm_cmpeq_epi16(block, m_other));
    const __m128i ascii = _mm_cmpeq_epi16(_mm_srli_epi16(block, 7), _mm_setzero_si128());
    return _mm_or_si128(m, _mm_andnot_si128(ascii, _mm_cmpeq_epi16(block, block)));
  }

private:
  __m128i m_exact;
  __m128i m_other;
  bool m_fold;
};
#endif

}  // namespace

// The first unit index at or after `from` where the whole literal matches
// (compared as the matcher compares), or INT32_MAX.
int32_t NextLiteralUnit(const CTextView& view, const std::u16string& chars, int32_t from) {
  CScanUnits first;
  first.Add(chars[0], !g_bCaseSensitive);
  const auto n = static_cast<int32_t>(chars.size());
  const int32_t size = view.Size();
  int32_t c = std::max(from, 0);
#if defined(__SSE2__)
  // Blocks of eight start positions over real units: a start is a candidate
  // only where the literal's first and last units may be there.
  const bool fold = !g_bCaseSensitive;
  const CUnitFilter head(chars[0], fold);
  const CUnitFilter tail(chars[static_cast<size_t>(n - 1)], fold);
  auto candidates = [&](int32_t at) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(view.data + at));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(view.data + at + n - 1));
    return _mm_and_si128(head.Candidates(a), tail.Candidates(b));
  };
  for (; int64_t{c} + 8 + n - 1 <= view.units; c += 8) {
    // Two blocks at a time where both fit: one test for sixteen starts.
    if (int64_t{c} + 16 + n - 1 <= view.units &&
        _mm_movemask_epi8(_mm_or_si128(candidates(c), candidates(c + 8))) == 0) {
      c += 8;
      continue;
    }
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(candidates(c)));
    while (mask != 0) {
      const int32_t at = c + __builtin_ctz(mask) / 2;
      int32_t k = 0;
      while (k < n && SameUnit(chars[static_cast<size_t>(k)], view.Unit(at + k))) ++k;
      if (k == n) return at;
      mask &= ~(3u << (2 * (at - c)));
    }
  }
#endif
  for (; c + n <= size; ++c) {
    c = ScanForUnits(view, c, size - n + 1, first);
    if (c + n > size) break;
    int32_t k = 0;
    while (k < n && SameUnit(chars[static_cast<size_t>(k)], view.Unit(c + k))) ++k;
    if (k == n) return c;
  }
  return INT32_MAX;
}

void CUnicodeSearcher::PrepareSetTables(const CUnicodeExpression* p, bool fold) {
  CScanCache& cache = scanCache;
  cache.setNode = nullptr;  // until complete
  cache.setFirst = CScanUnits();
  bool scan = p->chars.size() <= static_cast<size_t>(kMaxScanUnits);
  for (size_t k = 0; scan && k < p->chars.size(); ++k) scan = cache.setFirst.Add(p->chars[k], fold);
  cache.setScan = scan;
  cache.setMembers.assign(65536 / 64, 0);
  for (char16_t u : p->chars) cache.setMembers[u / 64] |= uint64_t{1} << (u % 64);
  cache.setLow[0] = 0;  // unit 0 is never taken
  for (int32_t unit = 1; unit < 256; ++unit) {
    auto u = static_cast<char16_t>(unit);
    if (fold) u = FoldCase(u);
    cache.setLow[static_cast<size_t>(unit)] = static_cast<uint8_t>(cache.setMembers[u / 64] >> (u % 64) & 1);
  }
  cache.setRangeCount = 0;
  cache.setVector = true;
  for (int32_t unit = 1; unit < 256;) {
    if (cache.setLow[static_cast<size_t>(unit)] == 0) {
      ++unit;
      continue;
    }
    int32_t last = unit;
    while (last + 1 < 256 && cache.setLow[static_cast<size_t>(last + 1)] != 0) ++last;
    if (cache.setRangeCount == CScanCache::kSetRanges) {
      cache.setVector = false;  // too many runs
      break;
    }
    cache.setRangeFirst[static_cast<size_t>(cache.setRangeCount)] = static_cast<char16_t>(unit);
    cache.setRangeLast[static_cast<size_t>(cache.setRangeCount)] = static_cast<char16_t>(last);
    ++cache.setRangeCount;
    unit = last + 1;
  }
  // Folded, a unit from 256 on may become a member; unfolded, only a member can.
  cache.setHighCandidates = fold || std::any_of(p->chars.begin(), p->chars.end(), [](char16_t u) { return u >= 256; });
  cache.setFold = fold;
  cache.setNode = p;
}

// The first index at or after c whose unit may be accepted by the set of
// `cache`: whole blocks of real units that lie outside its runs below 256
// (and below 256 where units from 256 on are never taken) are passed over.
// Any index it returns is still checked one unit at a time.
int32_t CUnicodeSearcher::SkipRejectedUnits(const CTextView& view, int32_t c, const CScanCache& cache) {
#if defined(__SSE2__)
  __m128i first[CScanCache::kSetRanges];
  __m128i span[CScanCache::kSetRanges];
  for (int r = 0; r < cache.setRangeCount; ++r) {
    first[r] = _mm_set1_epi16(static_cast<int16_t>(cache.setRangeFirst[static_cast<size_t>(r)]));
    span[r] = _mm_set1_epi16(static_cast<int16_t>(cache.setRangeLast[static_cast<size_t>(r)] -
                                                  cache.setRangeFirst[static_cast<size_t>(r)]));
  }
  const __m128i zero = _mm_setzero_si128();
  for (; c + 8 <= view.units; c += 8) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(view.data + c));
    __m128i hit = cache.setHighCandidates ? _mm_andnot_si128(_mm_cmpeq_epi16(_mm_srli_epi16(block, 8), zero),
                                                             _mm_cmpeq_epi16(zero, zero))
                                          : zero;
    for (int r = 0; r < cache.setRangeCount; ++r) {
      // unit - first <= last - first, unsigned: zero after a saturating subtraction.
      const __m128i offset = _mm_sub_epi16(block, first[r]);
      hit = _mm_or_si128(hit, _mm_cmpeq_epi16(_mm_subs_epu16(offset, span[r]), zero));
    }
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
    if (mask != 0) return c + __builtin_ctz(mask) / 2;
  }
#else
  (void)view;
  (void)cache;
#endif
  return c;
}

int32_t CUnicodeSearcher::NextSetUnit(const CTextView& view, const CUnicodeExpression* p, int32_t from) {
  const int32_t size = view.Size();
  if (p->chars.empty()) return INT32_MAX;
  const bool fold = !g_bCaseSensitive;
  CScanCache& cache = scanCache;
  if (cache.setNode != p || cache.setFold != fold) PrepareSetTables(p, fold);
  const std::vector<uint64_t>& members = cache.setMembers;
  for (int32_t c = std::max(from, 0); c < size; ++c) {
    if (cache.setScan) {
      c = ScanForUnits(view, c, size, cache.setFirst);
      if (c >= size) break;
    } else if (cache.setVector) {
      c = SkipRejectedUnits(view, c, cache);
      if (c >= size) break;
    }
    const int32_t unit = view.Unit(c);
    if (unit < 256) {
      if (unit >= 0 && cache.setLow[static_cast<size_t>(unit)] != 0) return c;
      continue;
    }
    auto u = static_cast<char16_t>(unit);
    if (fold) u = FoldCase(u);
    if (members[u / 64] >> (u % 64) & 1) return c;
  }
  return INT32_MAX;
}
