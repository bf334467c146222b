// Fast scans over a text view; see TextScan.h. SSE2 compares eight units at a
// time where it is available; a plain loop elsewhere.
#include "engine/TextScan.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

int32_t g_bFastScan = 1;

namespace {

bool IsCandidate(char16_t u, const CScanUnits& what) {
  if (what.high && u >= 0x80) return true;
  for (int k = 0; k < what.count; ++k)
    if (what.units[k] == u) return true;
  return false;
}

// The first index in [from, to) of data whose unit is a candidate.
int32_t ScanReal(const char16_t* data, int32_t from, int32_t to, const CScanUnits& what) {
  int32_t i = from;
#if defined(__SSE2__)
  __m128i wanted[kMaxScanUnits];
  for (int k = 0; k < what.count; ++k) wanted[k] = _mm_set1_epi16(static_cast<short>(what.units[k]));
  const __m128i highMask = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  for (; i + 8 <= to; i += 8) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    __m128i hit = zero;
    for (int k = 0; k < what.count; ++k) hit = _mm_or_si128(hit, _mm_cmpeq_epi16(block, wanted[k]));
    if (what.high) {
      // Units with a bit set in 0xFF80 are 0x80 or more.
      const __m128i low = _mm_cmpeq_epi16(_mm_and_si128(block, highMask), zero);
      hit = _mm_or_si128(hit, _mm_andnot_si128(low, _mm_set1_epi16(-1)));
    }
    const int mask = _mm_movemask_epi8(hit);
    if (mask != 0) return i + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
  }
#endif
  for (; i < to; ++i)
    if (IsCandidate(data[i], what)) return i;
  return to;
}

// One remembered scan: no candidate in [from, found) and one at found, or,
// with found = -1, none in [from, scannedTo).
struct CRememberedScan {
  const char16_t* data = nullptr;
  int32_t units = 0;
  bool extraLineFeed = false;
  CScanUnits what;
  int32_t from = 0;
  int32_t found = -1;
  int32_t scannedTo = 0;
  bool valid = false;
};

constexpr int kRemembered = 4;
CRememberedScan g_remembered[kRemembered];
int g_nextSlot = 0;
bool g_memoActive = false;
uint32_t g_memoStamp = 0;

void NextStamp() {
  if (++g_memoStamp == 0) g_memoStamp = 1;
}

void ForgetScans() {
  for (CRememberedScan& r : g_remembered) r.valid = false;
}

}  // namespace

bool CScanUnits::Add(char16_t u, bool fold) {
  auto put = [this](char16_t v) {
    for (int k = 0; k < count; ++k)
      if (units[k] == v) return true;
    if (count == kMaxScanUnits) return false;
    units[count++] = v;
    return true;
  };
  if (!fold) return put(u);
  // A unit folds to u when it is u, the small letter of a capital u, or any
  // unit from 0x80 on (the fold of those goes through the platform's table).
  high = true;
  if (!put(u)) return false;
  if (u >= u'A' && u <= u'Z') return put(static_cast<char16_t>(u + (u'a' - u'A')));
  return true;
}

bool CScanUnits::operator==(const CScanUnits& other) const {
  return count == other.count && high == other.high && std::equal(units, units + count, other.units);
}

static int32_t ScanForUnitsUnremembered(const CTextView& view, int32_t from, int32_t to, const CScanUnits& what) {
  const int32_t realTo = std::min(to, view.units);
  int32_t found = from < realTo ? ScanReal(view.data, from, realTo, what) : realTo;
  if (found == realTo && realTo < to) {
    // Only the virtual line feed is left.
    found = IsCandidate(0x000A, what) ? realTo : to;
  }
  return found;
}

int32_t ScanForUnits(const CTextView& view, int32_t from, int32_t to, const CScanUnits& what) {
  from = std::max(from, 0);
  to = std::min(to, view.Size());
  if (from >= to) return to;

  for (CRememberedScan& r : g_remembered) {
    if (!g_memoActive) break;
    if (!r.valid || r.data != view.data || r.units != view.units || r.extraLineFeed != view.extraLineFeed ||
        !(r.what == what) || from < r.from)
      continue;
    if (r.found >= 0 && from <= r.found) return std::min(r.found, to);
    if (r.found < 0 && to <= r.scannedTo) return to;
    if (r.found < 0 && from <= r.scannedTo) {
      // Known to be empty up to scannedTo: only the rest is new.
      const int32_t rest = ScanForUnitsUnremembered(view, r.scannedTo, to, what);
      r.found = rest < to ? rest : -1;
      r.scannedTo = to;
      return rest;
    }
  }

  const int32_t found = ScanForUnitsUnremembered(view, from, to, what);
  if (!g_memoActive) return found;
  // One slot per set of units: a frequent unit must not push out a rare one.
  CRememberedScan* slot = nullptr;
  for (CRememberedScan& r : g_remembered) {
    if (r.valid && r.data == view.data && r.units == view.units && r.extraLineFeed == view.extraLineFeed &&
        r.what == what)
      slot = &r;
  }
  if (slot == nullptr) {
    slot = &g_remembered[g_nextSlot];
    g_nextSlot = (g_nextSlot + 1) % kRemembered;
  }
  *slot = {view.data, view.units, view.extraLineFeed, what, from, found < to ? found : -1, to, true};
  return found;
}

int32_t CountLineBreaks(const CTextView& view, int32_t from, int32_t to, int32_t* last) {
  *last = -1;
  from = std::max(from, 0);
  to = std::min(to, view.Size());
  int32_t count = 0;
  int32_t i = from;
  auto isBreak = [&view](int32_t k) {
    const int32_t u = view.Unit(k);
    return u == 0x000A || (u == 0x000D && view.Unit(k + 1) != 0x000A);
  };
#if defined(__SSE2__)
  // Blocks whose following unit is a real one, so the CR test can load it.
  const __m128i lf = _mm_set1_epi16(0x000A);
  const __m128i cr = _mm_set1_epi16(0x000D);
  for (; i + 8 < view.units && i + 8 <= to; i += 8) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(view.data + i));
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(view.data + i + 1));
    const __m128i breaks =
        _mm_or_si128(_mm_cmpeq_epi16(block, lf), _mm_andnot_si128(_mm_cmpeq_epi16(after, lf), _mm_cmpeq_epi16(block, cr)));
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(breaks));
    if (mask != 0) {
      count += __builtin_popcount(mask) / 2;
      *last = i + (31 - __builtin_clz(mask)) / 2;
    }
  }
#endif
  for (; i < to; ++i) {
    if (isBreak(i)) {
      ++count;
      *last = i;
    }
  }
  return count;
}

uint32_t ScanScopeStamp() { return g_memoActive ? g_memoStamp : 0; }

CScanMemoScope::CScanMemoScope() : m_saved(g_memoActive) {
  ForgetScans();
  if (!m_saved) NextStamp();
  g_memoActive = true;
}

CScanMemoScope::~CScanMemoScope() {
  ForgetScans();
  if (!m_saved) NextStamp();
  g_memoActive = m_saved;
}
