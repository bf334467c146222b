// A read-only window of 16-bit text as the matcher sees it: the units of the
// buffer, optionally followed by one line feed that exists only here (the
// searcher's end-of-text line feed), and nothing before or after.
#pragma once

#include <cstdint>
#include <string_view>

struct CTextView {
  const char16_t* data = nullptr;
  int32_t units = 0;           // real units in data
  bool extraLineFeed = false;  // a virtual LF at index `units`

  CTextView() = default;
  CTextView(const char16_t* d, int32_t n, bool lf = false) : data(d), units(n), extraLineFeed(lf) {}
  explicit CTextView(std::u16string_view s, bool lf = false)
      : data(s.data()), units(static_cast<int32_t>(s.size())), extraLineFeed(lf) {}

  int32_t Size() const { return units + (extraLineFeed ? 1 : 0); }

  // The unit at index i, or -1 where there is none (before the start, past the end).
  int32_t Unit(int32_t i) const {
    if (i >= 0 && i < units) return data[i];
    if (extraLineFeed && i == units) return 0x000A;
    return -1;
  }
  // The unit that holds byte position q (q / 2, truncated toward zero).
  int32_t UnitAt(int32_t q) const { return Unit(q / 2); }
};
