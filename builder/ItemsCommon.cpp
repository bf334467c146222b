// Helpers shared by the search and replace item models.
#include "builder/ItemsCommon.h"

#include <string>

#include "engine/UnicodeExpression.h"

CItemSpan ItemSpan(const std::vector<std::u16string>& parts, int32_t s) {
  CItemSpan span;
  const int32_t n = static_cast<int32_t>(parts.size());
  const int32_t upto = (s < 0 || s >= n) ? n : s;
  for (int32_t i = 0; i < upto; ++i) span.b += static_cast<int32_t>(parts[static_cast<size_t>(i)].size());
  span.e = span.b;
  if (s >= 0 && s < n) span.e += static_cast<int32_t>(parts[static_cast<size_t>(s)].size());
  return span;
}

std::u16string FormatNumber(const std::u16string& format, int32_t n) {
  std::u16string out;
  bool done = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size()) {
      if (format[i + 1] == u'%') {
        out += u'%';
        ++i;
        continue;
      }
      if (format[i + 1] == u'd' && !done) {
        for (char c : std::to_string(n)) out += static_cast<char16_t>(c);
        done = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

CCaseFlagGuard::CCaseFlagGuard(int32_t value) : m_nSaved(g_bCaseSensitive) { g_bCaseSensitive = value; }
CCaseFlagGuard::~CCaseFlagGuard() { g_bCaseSensitive = m_nSaved; }
