// The engines the benchmark compares: Tandrel's evaluation road, PCRE2 with
// JIT on the same UTF-16 text, std::wregex on a unit-for-unit copy of it, and
// a plain find of a literal as the limit. Each finds every hit and builds the
// replaced text; compiling happens before the timed part.
#pragma once

#include <cstdint>
#include <memory>
#include <regex>
#include <string>
#include <string_view>

#include "BenchCases.h"
#include "search/EvalModel.h"

// What a run found, to check that the engines agree.
struct CRunResult {
  size_t hits = 0;
  size_t foundUnits = 0;   // sum of the hits' lengths
  uint64_t replacedHash = 0;  // FNV-1a over the units of the replaced text
  size_t replacedUnits = 0;
  bool operator==(const CRunResult&) const = default;
};

uint64_t HashUnits(std::u16string_view s);
uint64_t HashUnits(std::wstring_view s);

// The whole evaluation road: FindHits and BuildReplacedText over the sample.
class CTandrelEngine {
public:
  CTandrelEngine(const CBenchCase& c, const std::u16string& text);
  void Run();
  CRunResult Result() const;
  const CEvalModel& Model() const { return m_model; }

private:
  bool m_caseSensitive;
  CEvalModel m_model;
};

class CPcreEngine {
public:
  CPcreEngine(const CBenchCase& c, const std::u16string& text);
  ~CPcreEngine();
  CPcreEngine(const CPcreEngine&) = delete;
  CPcreEngine& operator=(const CPcreEngine&) = delete;
  void Run();
  CRunResult Result() const { return m_result; }

private:
  struct CImpl;
  std::unique_ptr<CImpl> m_impl;
  CRunResult m_result;
};

class CStdRegexEngine {
public:
  CStdRegexEngine(const CBenchCase& c, const std::u16string& text);
  void Run();
  CRunResult Result() const { return m_result; }

private:
  const CBenchCase& m_case;
  std::wstring m_text;
  std::wregex m_regex;
  std::wstring m_replaced;
  CRunResult m_result;
};

// Counts the occurrences of a literal with std::u16string_view::find.
size_t CountLiteral(std::u16string_view text, std::u16string_view literal);
