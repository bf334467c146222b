// The evaluation road from two expressions, the case flag and a sample text to
// the hit list, the replaced text and the current hit. The wizard's sheet
// derives from it; the command-line tool uses it as it is.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "search/UnicodeSearcher.h"

class CZyHit {
public:
  int32_t m_nPos = 0;
  int32_t m_nLine = 0;
  std::u16string m_strFound;
  std::u16string m_strReplacement;
  std::vector<std::u16string> m_aItemFound;
  std::vector<std::u16string> m_aItemReplace;
};

class CEvalModel {
public:
  CEvalModel() = default;
  CEvalModel(const CEvalModel&) = delete;
  CEvalModel& operator=(const CEvalModel&) = delete;
  virtual ~CEvalModel();

  // Replaces m_pSearcher; on a compile error there is no searcher and the
  // CExpressionError reaches the caller.
  void CreateSearcher();
  // Rebuilds m_aHits (also empties it when CreateSearcher throws, then rethrows).
  void FindHits();
  // Rebuilds m_strReplaced; returns the shift of the current hit in characters.
  int32_t BuildReplacedText();

  CUnicodeSearcher* m_pSearcher = nullptr;  // owned
  std::vector<CZyHit> m_aHits;
  std::u16string m_strSample;
  std::u16string m_strReplaced;
  int32_t m_nCurHit = 0;

  // The expressions and the case flag (the Sample Text page's fields in the wizard).
  std::u16string m_strSearch;
  std::u16string m_strReplace;
  int32_t m_bCaseSensitive = 0;

private:
  // The search loop of FindHits; used = how many entries of m_aHits hold hits
  // of this run so far.
  void FindHitsInto(size_t& used);
};
