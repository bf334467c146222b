// Seeded generator of evaluation cases for the golden results: search
// expressions built from every kind of element (sets, groups, counts, anchors
// at both ends, conditions, escapes, wildcards), templates with references,
// case marks, counters and fill, and short texts drawn from units that those
// expressions look for. Used only when the golden file is written again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace golden {

struct CCase {
  std::u16string search;
  std::u16string replace;
  std::u16string text;
  int32_t caseSensitive = 0;
  int32_t unix = 0;
  int32_t curHit = 0;
};

// splitmix64: fixed, so the cases never depend on the standard library.
class CRandom {
public:
  explicit CRandom(uint64_t seed) : m_state(seed) {}
  uint64_t Next() {
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
  bool Chance(uint32_t percent) { return Below(100) < percent; }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

private:
  uint64_t m_state;
};

inline std::u16string U(std::string_view s) {
  std::u16string out;
  for (unsigned char c : s) out.push_back(c);
  return out;
}

class CCaseGenerator {
public:
  explicit CCaseGenerator(uint64_t seed) : m_rng(seed) {}

  CCase Make() {
    CCase c;
    c.caseSensitive = m_rng.Chance(50) ? 1 : 0;
    c.unix = m_rng.Chance(8) ? 1 : 0;
    const CPiece e = c.unix ? UnixExpression() : Expression();
    c.search = e.source;
    c.replace = Template();
    c.text = Text(e.witness);
    c.curHit = static_cast<int32_t>(m_rng.Below(6)) - 1;
    return c;
  }

private:
  // An element's text and a piece of text that it matches (its witness), so
  // that texts can be made to hold hits.
  struct CPiece {
    std::u16string source;
    std::u16string witness;
  };
  struct CEntry {
    const char* source;
    const char16_t* witness;
  };
  template <size_t N>
  CPiece PickPiece(const CEntry (&entries)[N]) {
    const CEntry& e = entries[m_rng.Below(N)];
    return {U(e.source), e.witness};
  }

  // Literal text, escapes included; never an operator character.
  CPiece Literal() {
    static const CEntry pieces[] = {
        {"a", u"a"},       {"b", u"b"},         {"ab", u"ab"},     {"ba", u"ba"},     {"abc", u"abc"},   {"x", u"x"},
        {"A", u"A"},       {"B", u"b"},         {"1", u"1"},       {"12", u"12"},     {" ", u" "},       {".", u"."},
        {"-", u"-"},       {"]", u"]"},         {")", u")"},       {"|", u"|"},       {"!", u"!"},       {"a b", u"A b"},
        {";", u";"},       {"\\t", u"\t"},      {"\\n", u"\n"},    {"\\r\\n", u"\r\n"}, {"\\*", u"*"},   {"\\?", u"?"},
        {"\\[", u"["},     {"\\(", u"("},       {"\\\\", u"\\"},   {"\\65", u"A"},    {"\\0x62", u"b"},  {"\\0", u""},
        {"\\x", u"x"},     {"\\$", u"$"},       {"\\^", u"^"},     {"\\+", u"+"}};
    CPiece p = PickPiece(pieces);
    if (m_rng.Chance(10)) {
      p.source += u"\u00E9";  // é, which folds to É
      p.witness += m_rng.Chance(50) ? u"\u00E9" : u"\u00C9";
    }
    return p;
  }

  CPiece Set() {
    static const CEntry sets[] = {
        {"[abc]", u"c"},     {"[a-c]", u"b"},    {"[0-9]", u"7"},      {"[a-cx]", u"x"},    {"[]", u"\n"},
        {"[^a]", u"^"},      {"[a-]", u"-"},     {"[-]", u"-"},        {"[z-a]", u"q"},     {"[0-9.]", u"."},
        {"[ \\t]", u"\t"},   {"[\\r\\n]", u"\r"}, {"[ab-d]", u"d"},    {"[a\\-c]", u"k"},   {"[\\\\a-c]", u"\\"},
        {"[\\0]", u"z"},     {"[A-C]", u"B"},    {"[b]", u"B"},        {"[.,;]", u";"},     {"[0-9+-]", u"+"},
        {"[a-\\0x63]", u"c"}, {"[1-3a]", u"2"},  {"[\\]]", u"]"},      {"[\xC9]", u"\u00E9"}};
    return PickPiece(sets);
  }

  CPiece Group() {
    static const CEntry groups[] = {{"(ab|c)", u"c"},   {"(a|)", u"a"},     {"(|b)", u"b"},     {"(abc)", u"abc"},
                                    {"(a||b)", u"b"},   {"(x*y)", u"x*y"},  {"(b|a|c)", u"a"},  {"(12|1)", u"12"},
                                    {"(a\\|b)", u"a"},  {"(ab|ba)", u"ba"}, {"()", u""},        {"(\\n|x)", u"\n"},
                                    {"(A|b)", u"a"},    {"(c)", u"c"}};
    return PickPiece(groups);
  }

  CPiece Operator() {
    static const CEntry ops[] = {{"?", u"1"},    {"*", u""},    {"+", u"2"},   {"+2", u"22"},  {"+1-2", u"2"},
                                 {"+2+", u"222"}, {"+-2", u"2"}, {"+ 2", u"22"}, {"+3", u"333"}, {"+0", u"0"},
                                 {"+2-1", u"22"}, {"+-", u"-"}};
    return PickPiece(ops);
  }

  // A repeated set or group: the operator's witness says how many repetitions.
  CPiece Repeated(CPiece op, const CPiece& inner) {
    CPiece p{op.source + inner.source, {}};
    const size_t times = op.witness.empty() ? m_rng.Below(3) : op.witness.size();
    for (size_t i = 0; i < times; ++i) p.witness += inner.witness;
    return p;
  }

  CPiece Element() {
    switch (m_rng.Below(10)) {
      case 0:
      case 1:
      case 2:
        return Literal();
      case 3:
        return Set();
      case 4:
        return Repeated(Operator(), Set());
      case 5:
        return Group();
      case 6:
        return Repeated(Operator(), Group());
      case 7:
        return Operator();  // a wildcard
      case 8:
        return m_rng.Chance(50) ? CPiece{u"?", u"q"} : CPiece{u"*", u"xy"};
      default:
        if (m_rng.Chance(15)) return m_rng.Chance(50) ? CPiece{u"(ab", u"(ab"} : CPiece{u"[ab", u"b"};  // unclosed
        if (m_rng.Chance(10)) return m_rng.Chance(50) ? CPiece{u"^", u"\r\n"} : CPiece{u"$", u"\n"};  // inside
        return Literal();
    }
  }

  CPiece Expression() {
    CPiece e;
    const uint32_t start = m_rng.Below(10);
    if (start == 0) e = {u"^", u"\r\n"};
    if (start == 1) e = {u"^^", u""};
    const uint32_t n = 1 + m_rng.Below(3) * m_rng.Below(2) + m_rng.Below(2);  // mostly one or two
    for (uint32_t i = 0; i < n; ++i) {
      const CPiece p = Element();
      e.source += p.source;
      e.witness += p.witness;
    }
    const uint32_t end = m_rng.Below(10);
    if (end == 0) e.source += u"$", e.witness += u"\r\n";
    if (end == 1) e.source += u"$$";
    if (m_rng.Chance(12)) {
      static const char* const conditions[] = {"!(a)", "!(b)", "!(1)", "!([0-9])", "!(a)b", "!(x", "!(ab)!(c)", "!(\\))"};
      e.source += U(m_rng.Pick(conditions));
    }
    if (m_rng.Chance(2)) e.source = U("!(a)") + e.source;
    if (m_rng.Chance(1)) e.source += u"[-a]";  // the one compile error
    if (m_rng.Chance(2)) e.source.clear();     // the empty expression
    return e;
  }

  // Postfix forms for the UNIX-style reading, mixed with native text.
  CPiece UnixExpression() {
    static const CEntry pieces[] = {{"[0-9]+", u"42"}, {"(ab|c)*", u"abc"}, {"x", u"x"},     {"[a-c]?", u"a"},
                                    {"(a)!", u""},     {"ab", u"ab"},       {"[ab]+3", u"ab3"}, {"(b|a)+", u"ba"},
                                    {"?", u"q"},       {"\\[", u"["},       {"[a-", u"a"},   {"(c)", u"c"},
                                    {" ", u" "},       {"*", u"zz"}};
    CPiece e;
    const uint32_t n = 1 + m_rng.Below(3);
    for (uint32_t i = 0; i < n; ++i) {
      const CPiece p = PickPiece(pieces);
      e.source += p.source;
      e.witness += p.witness;
    }
    return e;
  }

  std::u16string Template() {
    static const char* const pieces[] = {"X",    "%1",   "%2",      "%1>",    "%1<",           "%1>5>", "%1>007>",
                                         "%1<<", "%2<-3<", "%1%%ZYFILL-%%", "%2%%ZYFILL%%", "%0",  "\\%1",  "%",
                                         "50%%1", "%3",  "\\t",     "%q",     "<",             ">",     "%1%%ZYFILL*"};
    if (m_rng.Chance(15)) return {};
    std::u16string t;
    const uint32_t n = 1 + m_rng.Below(3);
    for (uint32_t i = 0; i < n; ++i) t += U(m_rng.Pick(pieces));
    return t;
  }

  // Random units, mixed with the expression's witness and pieces of it, so
  // that many cases have hits (and near misses).
  std::u16string Text(const std::u16string& witness) {
    static const char16_t units[] = {u'a', u'b', u'c', u'A', u'B', u'C', u'x', u'0', u'1', u'2', u'7', u' ', u'.',
                                     u'-', u';', u'!', u'|', u')', u']', u'\t', u'\u00E9', u'\u00C9', u'+'};
    const std::u16string& plain = witness;
    const uint32_t kind = m_rng.Below(20);
    const uint32_t length = kind == 0 ? 0 : kind < 17 ? m_rng.Below(40) : 100 + m_rng.Below(300);
    std::u16string t;
    while (t.size() < length) {
      const uint32_t r = m_rng.Below(100);
      if (r < 6) {
        t += u"\r\n";
      } else if (r < 9) {
        t += u'\n';
      } else if (r < 10) {
        t += u'\r';
      } else if (r < 11) {
        t += static_cast<char16_t>(m_rng.Below(9));  // control units the wildcard refuses
      } else if (r < 22 && !plain.empty()) {
        t += plain;
      } else if (r < 40 && !plain.empty()) {
        const uint32_t at = m_rng.Below(static_cast<uint32_t>(plain.size()));
        t += plain.substr(at, 1 + m_rng.Below(4));
      } else {
        t += m_rng.Pick(units);
      }
    }
    return t;
  }

  CRandom m_rng;
};

// The cases of the golden file, in order.
inline std::vector<CCase> GenerateCases(size_t count, uint64_t seed = 0x7A4D3E1ull) {
  CCaseGenerator gen(seed);
  std::vector<CCase> cases;
  cases.reserve(count);
  for (size_t i = 0; i < count; ++i) cases.push_back(gen.Make());
  return cases;
}

}  // namespace golden
