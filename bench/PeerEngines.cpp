// The compared engines; see PeerEngines.h.
#define PCRE2_CODE_UNIT_WIDTH 16
#include "PeerEngines.h"

#include <pcre2.h>

#include <climits>
#include <cstdio>
#include <stdexcept>

#include "engine/UnicodeExpression.h"

namespace {

template <typename String>
uint64_t Fnv(const String& s) {
  uint64_t h = 1469598103934665603ull;
  for (auto u : s) {
    h ^= static_cast<uint64_t>(static_cast<uint32_t>(u));
    h *= 1099511628211ull;
  }
  return h;
}

// The peers' side of the counting template: the first hit numbers from its
// own value (zero padding to its width when it begins with '0'), each later
// hit one higher, as Tandrel's '%1>' does.
class CPeerCounter {
public:
  template <typename It>
  void Append(It first, It last, auto& out) {
    if (!m_started) {
      long long v = 0;
      for (It i = first; i != last && v <= INT32_MAX; ++i) v = v * 10 + (*i - '0');
      m_value = static_cast<int32_t>(v > INT32_MAX ? INT32_MAX : v);
      if (first != last && *first == '0') m_pad = static_cast<int>(last - first);
      m_started = true;
    }
    ++m_value;
    char buf[32];
    const int n = m_pad > 1 ? std::snprintf(buf, sizeof buf, "%0*d", m_pad, m_value)
                            : std::snprintf(buf, sizeof buf, "%d", m_value);
    for (int i = 0; i < n; ++i) out.push_back(static_cast<typename std::decay_t<decltype(out)>::value_type>(buf[i]));
  }

private:
  bool m_started = false;
  int32_t m_value = 0;
  int m_pad = 0;
};

// prefix + transform(group) + suffix, appended to out.
template <typename It, typename Out>
void AppendReplacement(const CPeerReplacement& r, It groupFirst, It groupLast, CPeerCounter& counter, Out& out) {
  using Unit = typename Out::value_type;
  for (char16_t u : r.prefix) out.push_back(static_cast<Unit>(u));
  if (r.group >= 0) {
    switch (r.transform) {
      case EPeerTransform::None:
        out.append(groupFirst, groupLast);
        break;
      case EPeerTransform::Upper:
        for (It i = groupFirst; i != groupLast; ++i) out.push_back(*i >= 'a' && *i <= 'z' ? static_cast<Unit>(*i - 32) : *i);
        break;
      case EPeerTransform::Lower:
        for (It i = groupFirst; i != groupLast; ++i) out.push_back(*i >= 'A' && *i <= 'Z' ? static_cast<Unit>(*i + 32) : *i);
        break;
      case EPeerTransform::Counter:
        counter.Append(groupFirst, groupLast, out);
        break;
    }
  }
  for (char16_t u : r.suffix) out.push_back(static_cast<Unit>(u));
}

}  // namespace

uint64_t HashUnits(std::u16string_view s) { return Fnv(s); }
uint64_t HashUnits(std::wstring_view s) { return Fnv(s); }

// ---- Tandrel ----

CTandrelEngine::CTandrelEngine(const CBenchCase& c, const std::u16string& text) : m_caseSensitive(c.caseSensitive) {
  m_model.m_strSearch = c.search;
  m_model.m_strReplace = c.replace;
  m_model.m_bCaseSensitive = c.caseSensitive ? 1 : 0;
  m_model.m_strSample = text;
}

void CTandrelEngine::Run() {
  g_bCaseSensitive = m_caseSensitive ? 1 : 0;  // as the Sample Text page sets it before evaluating
  m_model.FindHits();
  m_model.BuildReplacedText();
}

CRunResult CTandrelEngine::Result() const {
  CRunResult r;
  r.hits = m_model.m_aHits.size();
  for (const CZyHit& h : m_model.m_aHits) r.foundUnits += h.m_strFound.size();
  r.replacedHash = HashUnits(m_model.m_strReplaced);
  r.replacedUnits = m_model.m_strReplaced.size();
  return r;
}

// ---- PCRE2, 16-bit, JIT ----

struct CPcreEngine::CImpl {
  const CBenchCase& benchCase;
  const std::u16string& text;
  pcre2_code* code = nullptr;
  pcre2_match_data* matchData = nullptr;
  std::u16string replaced;

  CImpl(const CBenchCase& c, const std::u16string& t) : benchCase(c), text(t) {}
  ~CImpl() {
    pcre2_match_data_free(matchData);
    pcre2_code_free(code);
  }
};

CPcreEngine::CPcreEngine(const CBenchCase& c, const std::u16string& text) : m_impl(std::make_unique<CImpl>(c, text)) {
  int error = 0;
  PCRE2_SIZE errorOffset = 0;
  m_impl->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(c.pcrePattern.data()), c.pcrePattern.size(), c.pcreOptions,
                               &error, &errorOffset, nullptr);
  if (m_impl->code == nullptr) throw std::runtime_error("PCRE2 cannot compile the pattern of " + c.name);
  if (pcre2_jit_compile(m_impl->code, PCRE2_JIT_COMPLETE) != 0) throw std::runtime_error("PCRE2 JIT is not available");
  m_impl->matchData = pcre2_match_data_create_from_pattern(m_impl->code, nullptr);
}

CPcreEngine::~CPcreEngine() = default;

void CPcreEngine::Run() {
  CImpl& m = *m_impl;
  const auto* subject = reinterpret_cast<PCRE2_SPTR>(m.text.data());
  const PCRE2_SIZE length = m.text.size();
  m.replaced.clear();
  CPeerCounter counter;
  CRunResult r;
  PCRE2_SIZE from = 0;
  PCRE2_SIZE copied = 0;
  while (from <= length) {
    const int rc = pcre2_jit_match(m.code, subject, length, from, 0, m.matchData, nullptr);
    if (rc < 0) break;
    const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(m.matchData);
    ++r.hits;
    r.foundUnits += ov[1] - ov[0];
    m.replaced.append(m.text, copied, ov[0] - copied);
    const int g = m.benchCase.peer.group < 0 ? 0 : m.benchCase.peer.group;
    AppendReplacement(m.benchCase.peer, m.text.begin() + static_cast<ptrdiff_t>(ov[2 * g]),
                      m.text.begin() + static_cast<ptrdiff_t>(ov[2 * g + 1]), counter, m.replaced);
    copied = ov[1];
    from = ov[1] > ov[0] ? ov[1] : ov[1] + 1;  // none of the patterns matches empty text
  }
  m.replaced.append(m.text, copied);
  r.replacedHash = HashUnits(m.replaced);
  r.replacedUnits = m.replaced.size();
  m_result = r;
}

// ---- std::wregex ----

namespace {

std::wregex MakeStdRegex(const CBenchCase& c) {
  std::wstring pattern(c.stdPattern.begin(), c.stdPattern.end());
  auto flags = std::regex_constants::ECMAScript;
  if (c.stdIcase) flags |= std::regex_constants::icase;
  if (c.stdMultiline) flags |= std::regex_constants::multiline;
  return std::wregex(pattern, flags);
}

}  // namespace

CStdRegexEngine::CStdRegexEngine(const CBenchCase& c, const std::u16string& text)
    : m_case(c), m_text(text.begin(), text.end()), m_regex(MakeStdRegex(c)) {}

void CStdRegexEngine::Run() {
  m_replaced.clear();
  CPeerCounter counter;
  CRunResult r;
  size_t copied = 0;
  const wchar_t reject = static_cast<wchar_t>(m_case.stdRejectUnit);
  const wchar_t rejectUpper = reject >= L'a' && reject <= L'z' ? static_cast<wchar_t>(reject - 32) : reject;
  for (std::wsregex_iterator it(m_text.begin(), m_text.end(), m_regex), end; it != end; ++it) {
    const std::wsmatch& match = *it;
    if (reject != 0) {
      const std::wstring_view found(&*match[0].first, static_cast<size_t>(match[0].length()));
      if (found.find(reject) != std::wstring_view::npos || found.find(rejectUpper) != std::wstring_view::npos) continue;
    }
    const auto start = static_cast<size_t>(match.position(0));
    ++r.hits;
    r.foundUnits += static_cast<size_t>(match.length(0));
    m_replaced.append(m_text, copied, start - copied);
    const int g = m_case.peer.group < 0 ? 0 : m_case.peer.group;
    AppendReplacement(m_case.peer, match[g].first, match[g].second, counter, m_replaced);
    copied = start + static_cast<size_t>(match.length(0));
  }
  m_replaced.append(m_text, copied);
  r.replacedHash = HashUnits(m_replaced);
  r.replacedUnits = m_replaced.size();
  m_result = r;
}

size_t CountLiteral(std::u16string_view text, std::u16string_view literal) {
  size_t count = 0;
  for (size_t at = text.find(literal); at != std::u16string_view::npos; at = text.find(literal, at + literal.size())) {
    ++count;
  }
  return count;
}
