// The evaluation road: a new searcher from the two expressions, every hit of it
// in the sample text, and the sample text with every hit replaced.
#include "search/EvalModel.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

namespace {

// The searcher works with int32 byte lengths; keep two spare units for the
// end-of-text line feed and the one-character step after an empty hit.
constexpr size_t kMaxSampleUnits = (static_cast<size_t>(INT32_MAX) - 4) / 2;

}  // namespace

CEvalModel::~CEvalModel() { delete m_pSearcher; }

void CEvalModel::CreateSearcher() {
  delete m_pSearcher;
  m_pSearcher = nullptr;  // a failed construction leaves no searcher behind
  m_pSearcher = new CUnicodeSearcher(&m_strSearch, &m_strReplace);
}

void CEvalModel::FindHits() {
  try {
    CreateSearcher();
    if (m_strSample.size() > kMaxSampleUnits) throw std::length_error("the sample text is too long to search");
  } catch (...) {
    m_aHits.clear();
    throw;
  }

  // The hits of the previous run are overwritten in place: their strings and
  // arrays keep their memory, so that a repeated evaluation allocates next to
  // nothing per hit. Those beyond the new count go at the end.
  size_t used = 0;
  try {
    FindHitsInto(used);
  } catch (...) {
    m_aHits.erase(m_aHits.begin() + static_cast<std::ptrdiff_t>(used), m_aHits.end());
    throw;
  }
  m_aHits.erase(m_aHits.begin() + static_cast<std::ptrdiff_t>(used), m_aHits.end());
}

void CEvalModel::FindHitsInto(size_t& used) {
  int32_t base = 0;
  int32_t remaining = static_cast<int32_t>(2 * m_strSample.size());
  int32_t lastLineEnd = 0;
  int32_t lineCount = 0;
  const char16_t* text = m_strSample.data();

  // The buffer is read only: the searcher supplies the end-of-text line feed
  // itself, so the sample is never written to.
  auto search = [&] { return m_pSearcher->Search(text + base / 2, remaining, remaining, 0, 0, &lastLineEnd, &lineCount); };

  // The two per-hit arrays have one entry per node and per element.
  size_t nodeCount = 0;
  for (const CUnicodeExpression* node = m_pSearcher->GetSearchNode(0); node != nullptr; node = node->next) ++nodeCount;
  size_t elementCount = 0;
  for (const CUnicodeReplaceExpression* e = m_pSearcher->replaceHead; e != nullptr; e = e->Next()) ++elementCount;

  int32_t end = search();
  m_pSearcher->Reset(false);
  while (end >= 0) {
    if (used == m_aHits.size()) m_aHits.emplace_back();
    // Counted only once complete: a hit that cannot be completed (out of
    // memory) is taken out again with the old ones.
    CZyHit& hit = m_aHits[used];
    m_pSearcher->GetFoundText(hit.m_strFound);
    hit.m_nPos = base + end - 2 * static_cast<int32_t>(hit.m_strFound.size());
    m_pSearcher->GetReplacement(hit.m_strReplacement);  // advances the counters, once per hit
    hit.m_nLine = lineCount;
    hit.m_aItemFound.resize(nodeCount);
    size_t k = 0;
    for (const CUnicodeExpression* node = m_pSearcher->GetSearchNode(0); node != nullptr; node = node->next) {
      hit.m_aItemFound[k++] = node->matchText;
    }
    hit.m_aItemReplace.resize(elementCount);
    k = 0;
    for (CUnicodeReplaceExpression* e = m_pSearcher->replaceHead; e != nullptr; e = e->Next()) {
      std::u16string& shown = hit.m_aItemReplace[k++];
      if (const CUnicodeExpression* referenced = e->Referenced()) {
        shown = referenced->matchText;
        e->ApplyTransform(shown, false);  // the preview, without advancing a counter
      } else {
        shown = e->chars;
      }
    }
    ++used;

    // Move on without ever searching twice at one place or with a negative length.
    if (end > remaining) break;  // the hit lies on the line feed after the text
    if (end == 0) {
      // Only an anchor's line break at the scan start: step over one character.
      if (remaining < 2) break;
      base += 2;
      remaining -= 2;
    } else {
      base += end;
      remaining -= end;
      if (base % 2 != 0) {
        // An end inside a unit: go on after that unit, searching whole units only.
        if (remaining < 1) break;
        ++base;
        --remaining;
      }
    }
    lastLineEnd = 0;  // the line count carries on
    end = search();
  }
}

int32_t CEvalModel::BuildReplacedText() {
  m_strReplaced.clear();
  int64_t shift = 0;
  int64_t prevEnd = 0;
  const auto sampleSize = static_cast<int64_t>(m_strSample.size());
  for (size_t i = 0; i < m_aHits.size(); ++i) {
    const CZyHit& hit = m_aHits[i];
    const int64_t start = hit.m_nPos / 2;
    const int64_t from = std::max<int64_t>(prevEnd, 0);
    const int64_t count = std::max<int64_t>(start - prevEnd, 0);
    if (from < sampleSize) {
      m_strReplaced.append(m_strSample, static_cast<size_t>(from), static_cast<size_t>(std::min(count, sampleSize - from)));
    }
    m_strReplaced += hit.m_strReplacement;
    prevEnd = start + static_cast<int64_t>(hit.m_strFound.size());
    if (static_cast<int64_t>(i) < m_nCurHit) {
      shift += static_cast<int64_t>(hit.m_strReplacement.size()) - static_cast<int64_t>(hit.m_strFound.size());
    }
  }
  const int64_t from = std::max<int64_t>(prevEnd, 0);
  if (from < sampleSize) m_strReplaced.append(m_strSample, static_cast<size_t>(from));
  return static_cast<int32_t>(std::clamp<int64_t>(shift, INT32_MIN, INT32_MAX));
}
