// Deterministic benchmark text; see BenchText.h. A small fixed PRNG keeps the
// text identical on every platform and standard library.
#include "BenchText.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace {

class CSplitMix {
public:
  explicit CSplitMix(uint64_t seed) : m_state(seed) {}
  uint64_t Next() {
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }

private:
  uint64_t m_state;
};

// Common words first (picked more often), so the text reads like prose with
// a skewed word frequency. No word holds ':' or ';' and none is "quetzal".
constexpr std::array<std::string_view, 96> kWords = {
    "the",     "of",      "and",    "to",      "in",     "a",       "is",      "that",   "for",     "it",
    "as",      "was",     "with",   "be",      "by",     "on",      "not",     "he",     "this",    "are",
    "or",      "his",     "from",   "at",      "which",  "but",     "have",    "an",     "had",     "they",
    "you",     "were",    "their",  "one",     "all",    "we",      "can",     "her",    "has",     "there",
    "been",    "if",      "more",   "when",    "will",   "would",   "who",     "so",     "no",      "other",
    "river",   "mountain", "forest", "valley", "stone",  "bridge",  "winter",  "summer", "harbour", "village",
    "morning", "evening", "letter", "station", "market", "garden",  "window",  "silver", "lantern", "ledger",
    "quickly", "slowly",  "beneath", "across", "within", "without", "through", "toward", "number",  "record",
    "marble",  "copper",  "thunder", "meadow", "orchard", "parcel", "journey", "candle", "weather", "shadow",
    "ribbon",  "pepper",  "anchor", "basket",  "cellar", "drizzle"};

constexpr std::array<std::string_view, 8> kNames = {"alice", "bruno", "chen", "dara", "emil", "farah", "goran", "hana"};

class CTextBuilder {
public:
  CTextBuilder(size_t units, uint64_t seed) : m_rng(seed), m_units(units) { m_text.reserve(units + 128); }

  std::u16string Build() {
    while (m_text.size() < m_units) Line();
    m_text.resize(m_units);
    return std::move(m_text);
  }

private:
  void Put(std::string_view s) {
    for (char c : s) m_text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  }
  void PutNumber(uint32_t v) { Put(std::to_string(v)); }

  std::string_view Word() {
    // Zipf-like: the lower half of the list is drawn three times as often.
    const uint32_t r = m_rng.Below(4);
    return r < 3 ? kWords[m_rng.Below(kWords.size() / 2)] : kWords[kWords.size() / 2 + m_rng.Below(kWords.size() / 2)];
  }

  void Token(bool sentenceStart) {
    const uint32_t r = m_rng.Below(1000);
    if (r < 60) {
      // Numbers of one to six digits, some with leading zeros.
      const uint32_t digits = 1 + m_rng.Below(6);
      for (uint32_t i = 0; i < digits; ++i) m_text.push_back(static_cast<char16_t>(u'0' + m_rng.Below(10)));
      return;
    }
    if (r < 75) {
      Put("id=");
      PutNumber(m_rng.Below(100000));
      return;
    }
    if (m_rng.Below(20000) == 0) {
      Put("quetzal");
      return;
    }
    std::string_view w = Word();
    if (sentenceStart) {
      m_text.push_back(static_cast<char16_t>(w[0] - 'a' + 'A'));
      w.remove_prefix(1);
    }
    Put(w);
  }

  void Line() {
    // One line in 24 is a header line; every other line is prose.
    if (m_rng.Below(24) == 0) {
      Put("From: ");
      Put(kNames[m_rng.Below(kNames.size())]);
      Put("@example.org (");
      Put(Word());
      Put(")\r\n");
      return;
    }
    const uint32_t width = 50 + m_rng.Below(50);
    const size_t lineStart = m_text.size();
    bool sentenceStart = true;
    while (m_text.size() - lineStart < width) {
      Token(sentenceStart);
      sentenceStart = false;
      const uint32_t p = m_rng.Below(100);
      if (p < 6) {
        Put(".");
        sentenceStart = true;
      } else if (p < 11) {
        Put(",");
      } else if (p < 12) {
        Put("!");
        sentenceStart = true;
      } else if (p < 13) {
        Put("?");
        sentenceStart = true;
      } else if (p < 14) {
        Put(" -");
      } else if (m_rng.Below(3000) == 0) {
        Put(";");  // the rare second literal of the wildcard case
      }
      Put(" ");
    }
    // An empty line now and then, as between paragraphs.
    Put(m_rng.Below(12) == 0 ? "\r\n\r\n" : "\r\n");
  }

  CSplitMix m_rng;
  size_t m_units;
  std::u16string m_text;
};

}  // namespace

std::u16string MakeBenchText(size_t units, unsigned long long seed) { return CTextBuilder(units, seed).Build(); }
