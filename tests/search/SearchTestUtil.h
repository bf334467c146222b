// Helpers shared by the searcher and evaluation tests: readable 16-bit text in
// failure messages, and running a whole evaluation in one call.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/UnicodeExpression.h"
#include "search/EvalModel.h"
#include "search/Profile.h"

// Shows control units and non-ASCII units as \uXXXX so failures are readable.
inline std::string Show(const std::u16string& s) {
  std::string out;
  for (char16_t u : s) {
    if (u >= 0x20 && u < 0x7F) {
      out += static_cast<char>(u);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(u));
      out += buf;
    }
  }
  return out;
}

// Keeps the process-wide case flag and profile as each test found them.
class SearchFixture : public ::testing::Test {
public:
  struct SimpleHit {
    int32_t pos;
    std::u16string found;
    bool operator==(const SimpleHit&) const = default;
  };

protected:
  void SetUp() override {
    m_savedCase = g_bCaseSensitive;
    g_bCaseSensitive = 0;
    SetSearchProfile(nullptr);
  }
  void TearDown() override {
    g_bCaseSensitive = m_savedCase;
    SetSearchProfile(nullptr);
  }

  // FindHits and BuildReplacedText as the wizard runs them.
  static void Evaluate(CEvalModel& model, const std::u16string& search, const std::u16string& replace,
                       const std::u16string& sample, int32_t curHit = 0) {
    model.m_strSearch = search;
    model.m_strReplace = replace;
    model.m_strSample = sample;
    model.m_nCurHit = curHit;
    model.FindHits();
  }

  static std::vector<SimpleHit> Hits(const CEvalModel& model) {
    std::vector<SimpleHit> out;
    for (const CZyHit& h : model.m_aHits) out.push_back({h.m_nPos, h.m_strFound});
    return out;
  }

  static std::string ShowHits(const std::vector<SimpleHit>& hits) {
    std::string out;
    for (const SimpleHit& h : hits) out += "(" + std::to_string(h.pos) + ",'" + Show(h.found) + "') ";
    return out;
  }

private:
  int32_t m_savedCase = 0;
};
