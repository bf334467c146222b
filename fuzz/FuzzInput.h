// Shared by the fuzz targets: turns libFuzzer's bytes into the fields of one
// case. Fields are separated by zero bytes; each field is read as lenient
// UTF-8 so that the dictionaries and seeds stay readable while every 16-bit
// unit, lone surrogates and U+0000 included, can still be reached.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// Lenient UTF-8: well-formed two- and three-byte sequences give their unit
// (overlong forms and encoded surrogates included, so C0 80 is U+0000 and
// ED A0 80 is a lone U+D800); four-byte sequences give a surrogate pair; any
// other byte b gives the unit b.
inline std::u16string DecodeField(const uint8_t* p, size_t n) {
  std::u16string out;
  out.reserve(n);
  size_t i = 0;
  auto cont = [&](size_t k) { return i + k < n && (p[i + k] & 0xC0) == 0x80; };
  while (i < n) {
    const uint8_t b = p[i];
    if ((b & 0xE0) == 0xC0 && cont(1)) {
      out.push_back(static_cast<char16_t>(((b & 0x1F) << 6) | (p[i + 1] & 0x3F)));
      i += 2;
    } else if ((b & 0xF0) == 0xE0 && cont(1) && cont(2)) {
      out.push_back(static_cast<char16_t>(((b & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F)));
      i += 3;
    } else if ((b & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
      uint32_t cp = ((b & 0x07u) << 18) | ((p[i + 1] & 0x3Fu) << 12) | ((p[i + 2] & 0x3Fu) << 6) | (p[i + 3] & 0x3Fu);
      cp = 0x10000 + (cp & 0xFFFFF);
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
      i += 4;
    } else {
      out.push_back(static_cast<char16_t>(b));
      i += 1;
    }
  }
  return out;
}

// One case: a flag byte, then up to `count` fields separated by zero bytes
// (missing fields are empty; the last field takes everything that is left,
// zero bytes included).
struct CFuzzCase {
  uint8_t flags = 0;
  std::vector<std::u16string> fields;
};

inline CFuzzCase SplitCase(const uint8_t* data, size_t size, size_t count) {
  CFuzzCase c;
  c.fields.resize(count);
  if (size == 0) return c;
  c.flags = data[0];
  size_t i = 1;
  for (size_t f = 0; f < count && i <= size; ++f) {
    size_t j = i;
    if (f + 1 < count) {
      while (j < size && data[j] != 0) ++j;
    } else {
      j = size;
    }
    c.fields[f] = DecodeField(data + i, j - i);
    i = j + 1;
  }
  return c;
}

}  // namespace fuzz
