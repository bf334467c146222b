// Golden results of the evaluation road: a few thousand generated cases
// (expression, template, text, case flag, UNIX-style flag, current hit) with
// every hit (position, line, found text, replacement, the text of each node
// and of each replace element), the replaced text and the shift, as recorded
// in golden/eval_golden.txt. Any change to matching, searching, templates or
// the evaluation model that alters one output fails here.
//
// To record the file again (only when a behaviour change is intended):
//   TANDREL_UPDATE_GOLDEN=1 ./search_tests --gtest_filter='Golden*'
// TANDREL_GOLDEN_OUT=path and TANDREL_GOLDEN_COUNT=n write n cases to another
// file instead, to compare two builds over more cases than the file holds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/UnicodeExpression.h"
#include "golden/GoldenGenerator.h"
#include "search/EvalModel.h"
#include "search/Profile.h"

#ifndef TANDREL_GOLDEN_DIR
#error "TANDREL_GOLDEN_DIR must name the folder of the golden files"
#endif

namespace {

constexpr size_t kGoldenCases = 3000;
const char* const kGoldenFile = TANDREL_GOLDEN_DIR "/eval_golden.txt";

// ---- The text form: printable ASCII as it is, '"' and '\' escaped, every
// other unit as \uXXXX, so that each 16-bit unit survives and a case reads
// on a few lines.

std::string Quote(const std::u16string& s) {
  std::string out = "\"";
  for (char16_t u : s) {
    if (u == u'"' || u == u'\\') {
      out += '\\';
      out += static_cast<char>(u);
    } else if (u >= 0x20 && u < 0x7F) {
      out += static_cast<char>(u);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(u));
      out += buf;
    }
  }
  return out + "\"";
}

// Reads a quoted string at line[pos]; pos ends after the closing quote.
bool Unquote(const std::string& line, size_t& pos, std::u16string& out) {
  out.clear();
  if (pos >= line.size() || line[pos] != '"') return false;
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c != '\\') {
      out += static_cast<char16_t>(static_cast<unsigned char>(c));
      continue;
    }
    if (++pos >= line.size()) return false;
    if (line[pos] == 'u') {
      if (pos + 4 >= line.size()) return false;
      out += static_cast<char16_t>(std::stoul(line.substr(pos + 1, 4), nullptr, 16));
      pos += 4;
    } else {
      out += static_cast<char16_t>(static_cast<unsigned char>(line[pos]));
    }
  }
  return false;
}

class CFlagProfile : public CSearchProfile {
public:
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const override {
    return section == u"Flags" && entry == u"UNIX RegExp" ? 1 : defaultValue;
  }
};

std::string Header(size_t index, const golden::CCase& c) {
  std::ostringstream out;
  out << "case " << index << " cs=" << c.caseSensitive << " unix=" << c.unix << " cur=" << c.curHit << "\n"
      << "s " << Quote(c.search) << "\n"
      << "r " << Quote(c.replace) << "\n"
      << "t " << Quote(c.text) << "\n";
  return out.str();
}

// Runs one case as the wizard would (flag set, FindHits, BuildReplacedText)
// and writes what it produced, one hit a line.
std::string Evaluate(const golden::CCase& c) {
  static const CFlagProfile unixProfile;
  g_bCaseSensitive = c.caseSensitive;
  SetSearchProfile(c.unix ? &unixProfile : nullptr);
  CEvalModel model;
  model.m_strSearch = c.search;
  model.m_strReplace = c.replace;
  model.m_bCaseSensitive = c.caseSensitive;
  model.m_strSample = c.text;
  model.m_nCurHit = c.curHit;
  std::ostringstream out;
  try {
    model.FindHits();
  } catch (const CExpressionError& e) {
    out << "error " << std::hex << e.Code() << std::dec << (model.m_pSearcher ? " searcher" : "") << "\n";
  }
  for (const CZyHit& h : model.m_aHits) {
    out << "h " << h.m_nPos << " " << h.m_nLine << " " << Quote(h.m_strFound) << " " << Quote(h.m_strReplacement)
        << " |";
    for (const std::u16string& s : h.m_aItemFound) out << " " << Quote(s);
    out << " |";
    for (const std::u16string& s : h.m_aItemReplace) out << " " << Quote(s);
    out << "\n";
  }
  const int32_t shift = model.BuildReplacedText();
  out << "x " << shift << " " << Quote(model.m_strReplaced) << "\n";
  SetSearchProfile(nullptr);
  return out.str();
}

struct CGoldenCase {
  size_t index = 0;
  golden::CCase input;
  std::string expected;  // everything after the header lines
};

// Reads the cases back: a header "case ..." line and its s/r/t lines, then
// the result lines up to the next case.
bool ReadGolden(std::istream& in, std::vector<CGoldenCase>& cases, std::string& problem) {
  std::string line;
  size_t lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("case ", 0) == 0) {
      CGoldenCase gc;
      if (std::sscanf(line.c_str(), "case %zu cs=%d unix=%d cur=%d", &gc.index, &gc.input.caseSensitive, &gc.input.unix,
                      &gc.input.curHit) != 4) {
        problem = "bad case line " + std::to_string(lineNo);
        return false;
      }
      std::u16string* fields[] = {&gc.input.search, &gc.input.replace, &gc.input.text};
      const char tags[] = {'s', 'r', 't'};
      for (int f = 0; f < 3; ++f) {
        const bool read = static_cast<bool>(std::getline(in, line));
        ++lineNo;
        size_t pos = 2;
        if (!read || line.size() < 2 || line[0] != tags[f] || line[1] != ' ' || !Unquote(line, pos, *fields[f]) ||
            pos != line.size()) {
          problem = "bad input line " + std::to_string(lineNo);
          return false;
        }
      }
      cases.push_back(std::move(gc));
      continue;
    }
    if (cases.empty()) {
      problem = "result line before the first case, line " + std::to_string(lineNo);
      return false;
    }
    cases.back().expected += line + "\n";
  }
  return true;
}

TEST(GoldenEvaluation, EveryCaseGivesItsRecordedResult) {
  if (const char* update = std::getenv("TANDREL_UPDATE_GOLDEN"); update != nullptr && *update == '1') {
    const char* path = std::getenv("TANDREL_GOLDEN_OUT");
    if (path == nullptr || *path == 0) path = kGoldenFile;
    const char* count = std::getenv("TANDREL_GOLDEN_COUNT");
    const size_t n = count != nullptr && *count != 0 ? std::strtoul(count, nullptr, 10) : kGoldenCases;
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(out) << "cannot write " << path;
    out << "# Golden results of the evaluation road, written by golden_test.cpp (TANDREL_UPDATE_GOLDEN=1).\n"
           "# case N cs=<case-sensitive> unix=<UNIX-style> cur=<current hit>; s/r/t: search, template, text;\n"
           "# h <m_nPos> <m_nLine> <found> <replacement> | <node texts> | <element texts>; x <shift> <replaced>;\n"
           "# error <code>: the search expression did not compile. Strings: \\uXXXX for units outside ASCII.\n";
    const std::vector<golden::CCase> cases = golden::GenerateCases(n);
    for (size_t i = 0; i < cases.size(); ++i) out << Header(i, cases[i]) << Evaluate(cases[i]);
    out.close();
    ASSERT_TRUE(out) << "writing " << path << " failed";
    GTEST_SKIP() << "recorded " << cases.size() << " cases in " << path;
  }

  std::ifstream in(kGoldenFile, std::ios::binary);
  ASSERT_TRUE(in) << "cannot read " << kGoldenFile;
  std::vector<CGoldenCase> cases;
  std::string problem;
  ASSERT_TRUE(ReadGolden(in, cases, problem)) << problem;
  ASSERT_EQ(cases.size(), kGoldenCases) << "the golden file is incomplete";

  const int32_t savedCase = g_bCaseSensitive;
  size_t failures = 0;
  for (const CGoldenCase& gc : cases) {
    const std::string actual = Evaluate(gc.input);
    if (actual == gc.expected) continue;
    if (++failures <= 20) {
      ADD_FAILURE() << Header(gc.index, gc.input) << "expected:\n" << gc.expected << "actual:\n" << actual;
    }
  }
  g_bCaseSensitive = savedCase;
  EXPECT_EQ(failures, 0u) << failures << " of " << cases.size() << " cases differ (the first 20 are shown)";
}

// The file's inputs are the generator's: a changed generator or a hand-edited
// input shows here rather than as a silent change of what is covered.
TEST(GoldenEvaluation, TheFileHoldsTheGeneratedInputs) {
  std::ifstream in(kGoldenFile, std::ios::binary);
  ASSERT_TRUE(in) << "cannot read " << kGoldenFile;
  std::vector<CGoldenCase> cases;
  std::string problem;
  ASSERT_TRUE(ReadGolden(in, cases, problem)) << problem;
  const std::vector<golden::CCase> generated = golden::GenerateCases(kGoldenCases);
  ASSERT_EQ(cases.size(), generated.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    ASSERT_EQ(Header(cases[i].index, cases[i].input), Header(i, generated[i])) << "case " << i;
  }
}

// The text form keeps every unit, line breaks, quotes and surrogates included.
TEST(GoldenEvaluation, QuotingRoundTrips) {
  const std::u16string loneSurrogate(1, static_cast<char16_t>(0xD800));
  const std::u16string samples[] = {u"", u"abc", u"a\"b\\c", std::u16string(u"\r\n\t\u0000x", 5),
                                    u"\u00E9\uFFFF" + loneSurrogate, u"\\u0041"};
  for (const std::u16string& s : samples) {
    const std::string line = Quote(s);
    size_t pos = 0;
    std::u16string back;
    ASSERT_TRUE(Unquote(line, pos, back)) << line;
    EXPECT_EQ(pos, line.size()) << line;
    EXPECT_EQ(back, s) << line;
  }
}

}  // namespace
