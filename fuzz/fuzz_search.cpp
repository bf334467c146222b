// Fuzz target: the whole evaluation road. A search expression, a replace
// template and a sample text are compiled and searched as the wizard does it
// (FindHits, then BuildReplacedText), in either case mode and optionally in
// the UNIX-style reading, and every hit is read and checked against what the
// evaluation promises: found texts lie in the sample, hits follow each other
// without overlapping, the sample is never changed, and a second evaluation
// gives the same result (no state leaks from one evaluation into the next).
//
// Input: a flag byte, then expression, template and text separated by zero
// bytes (see FuzzInput.h). Flags: bit 0 case-sensitive, bit 1 UNIX-style
// reading, bit 2 repeat the text up to 64 KB (long enough that an expression
// that makes one evaluation slow shows up as a timeout), bits 4-7 the current
// hit for BuildReplacedText.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "engine/UnicodeExpression.h"
#include "search/EvalModel.h"
#include "search/Profile.h"

namespace {

class CFuzzProfile : public CSearchProfile {
public:
  bool unixSyntax = false;
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const override {
    if (section == u"Flags" && entry == u"UNIX RegExp") return unixSyntax ? 1 : 0;
    return defaultValue;
  }
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_search: %s\n", what);
  std::abort();
}

void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

constexpr size_t kLongTextUnits = 32768;  // 64 KB of 16-bit text

// Runs one evaluation; false when the expression does not compile.
bool Evaluate(CEvalModel& model, int32_t& shift) {
  try {
    model.FindHits();
  } catch (const CExpressionError&) {
    Check(model.m_pSearcher == nullptr, "a compile error left a searcher");
    Check(model.m_aHits.empty(), "a compile error left hits");
    return false;
  }
  shift = model.BuildReplacedText();
  return true;
}

void CheckHits(const CEvalModel& model, int32_t shift) {
  const std::u16string& sample = model.m_strSample;
  // The searcher may see one line feed after the text; a hit may end on it.
  const std::u16string extended = sample + u'\n';
  int64_t prevEnd = 0;  // bytes
  int64_t total = 0;
  int64_t shiftBefore = 0;
  bool allInside = true;
  int32_t nodes = 0;
  while (model.m_pSearcher->GetSearchNode(nodes) != nullptr) ++nodes;
  for (size_t i = 0; i < model.m_aHits.size(); ++i) {
    const CZyHit& hit = model.m_aHits[i];
    Check(hit.m_nPos >= 0, "a hit starts before the text");
    Check(hit.m_nPos >= prevEnd, "hits overlap or go backwards");
    Check(hit.m_nLine >= 0, "a negative line count");
    Check(static_cast<int32_t>(hit.m_aItemFound.size()) == nodes, "one item text per node is missing");
    std::u16string joined;
    for (const std::u16string& part : hit.m_aItemFound) joined += part;
    Check(joined == hit.m_strFound, "the found text is not the concatenation of the item texts");
    const size_t start = static_cast<size_t>(hit.m_nPos / 2);
    Check(start <= extended.size() && hit.m_strFound.size() <= extended.size() - start,
          "the found text runs past the text");
    Check(extended.compare(start, hit.m_strFound.size(), hit.m_strFound) == 0,
          "the found text is not the text at the hit's position");
    if (start + hit.m_strFound.size() > sample.size()) allInside = false;
    prevEnd = hit.m_nPos + 2 * static_cast<int64_t>(hit.m_strFound.size());
    const int64_t delta = static_cast<int64_t>(hit.m_strReplacement.size()) - static_cast<int64_t>(hit.m_strFound.size());
    total += delta;
    if (static_cast<int64_t>(i) < model.m_nCurHit) shiftBefore += delta;
  }
  Check(shift == shiftBefore, "the shift is not the sum over the hits before the current one");
  if (allInside) {
    Check(static_cast<int64_t>(model.m_strReplaced.size()) == static_cast<int64_t>(sample.size()) + total,
          "the replaced text has the wrong length");
  }
}

bool SameHits(const CEvalModel& a, const CEvalModel& b) {
  if (a.m_aHits.size() != b.m_aHits.size()) return false;
  for (size_t i = 0; i < a.m_aHits.size(); ++i) {
    const CZyHit& x = a.m_aHits[i];
    const CZyHit& y = b.m_aHits[i];
    if (x.m_nPos != y.m_nPos || x.m_nLine != y.m_nLine || x.m_strFound != y.m_strFound ||
        x.m_strReplacement != y.m_strReplacement || x.m_aItemFound != y.m_aItemFound ||
        x.m_aItemReplace != y.m_aItemReplace) {
      return false;
    }
  }
  return a.m_strReplaced == b.m_strReplaced;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::CFuzzCase in = fuzz::SplitCase(data, size, 3);
  static CFuzzProfile profile;
  profile.unixSyntax = (in.flags & 2) != 0;
  SetSearchProfile(&profile);
  g_bCaseSensitive = in.flags & 1;

  std::u16string sample = in.fields[2];
  if ((in.flags & 4) != 0 && !sample.empty()) {
    const std::u16string unit = sample;
    while (sample.size() < kLongTextUnits) sample += unit;
    sample.resize(kLongTextUnits);
  }

  CEvalModel first;
  first.m_strSearch = in.fields[0];
  first.m_strReplace = in.fields[1];
  first.m_strSample = sample;
  first.m_nCurHit = in.flags >> 4;
  int32_t shift = 0;
  const bool compiled = Evaluate(first, shift);
  Check(first.m_strSample == sample, "the evaluation changed the sample text");
  Check(first.m_strSearch == in.fields[0] && first.m_strReplace == in.fields[1],
        "the evaluation changed an expression");
  if (compiled) CheckHits(first, shift);
  if (compiled && (in.flags & 4) == 0) {
    // The same evaluation again, as the wizard repeats it after every change
    // (not for the long text, where one evaluation is what is timed).
    CEvalModel second;
    second.m_strSearch = in.fields[0];
    second.m_strReplace = in.fields[1];
    second.m_strSample = sample;
    second.m_nCurHit = first.m_nCurHit;
    int32_t shift2 = 0;
    Check(Evaluate(second, shift2), "the expression compiled only once");
    Check(shift2 == shift && SameHits(first, second), "a second evaluation gave other hits");
  }
  SetSearchProfile(nullptr);
  return 0;
}
