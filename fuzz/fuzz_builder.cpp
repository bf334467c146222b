// Fuzz target: the expression builder's logic. A search expression and a
// template are evaluated as on leaving the sample page, then both builder
// pages are shown: the rows are listed and the first activation's Apply runs.
// Showing the pages must not change what the expressions do (the same hits and
// replacements on the sample), must list the template as it is, and must put
// the case flag back. Then every row of both pages is read back into the form
// and regenerated with Apply, and the rows must still make up the expression.
//
// Input: a flag byte, then expression, template and sample text separated by
// zero bytes (see FuzzInput.h). Flags: bit 0 case-sensitive, bit 1 UNIX-style.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "builder/ReplaceItemModel.h"
#include "builder/SearchItemModel.h"
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

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_builder: %s\n", what);
    std::abort();
  }
}

// The hits (position, found text, replacement) and the replaced text, or
// nothing but the error mark when the expression does not compile.
struct COutcome {
  bool error = false;
  std::vector<std::u16string> hits;
  std::u16string replaced;
  bool operator==(const COutcome&) const = default;
};

COutcome Evaluate(const std::u16string& search, const std::u16string& replace, const std::u16string& sample) {
  COutcome out;
  CEvalModel model;
  model.m_strSearch = search;
  model.m_strReplace = replace;
  model.m_strSample = sample;
  try {
    model.FindHits();
  } catch (const CExpressionError&) {
    out.error = true;
    return out;
  }
  for (const CZyHit& hit : model.m_aHits) {
    out.hits.push_back(std::u16string(1, static_cast<char16_t>(hit.m_nPos & 0xFFFF)) +
                       std::u16string(1, static_cast<char16_t>(hit.m_nPos >> 16)) + hit.m_strFound + u'\0' +
                       hit.m_strReplacement);
  }
  model.BuildReplacedText();
  out.replaced = model.m_strReplaced;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::CFuzzCase in = fuzz::SplitCase(data, size, 3);
  static CFuzzProfile profile;
  profile.unixSyntax = (in.flags & 2) != 0;
  SetSearchProfile(&profile);
  const int32_t caseFlag = in.flags & 1;
  g_bCaseSensitive = caseFlag;
  const std::u16string& search = in.fields[0];
  const std::u16string& replace = in.fields[1];
  const std::u16string& sample = in.fields[2];
  // The builder pages show expressions a user typed: keep them to a size a
  // user types, so that each input runs in a moment.
  if (search.size() > 200 || replace.size() > 200 || sample.size() > 400) {
    SetSearchProfile(nullptr);
    return 0;
  }

  CEvalModel model;
  model.m_strSearch = search;
  model.m_strReplace = replace;
  model.m_strSample = sample;
  model.m_bCaseSensitive = caseFlag;
  try {
    model.FindHits();
  } catch (const CExpressionError&) {
  }

  CSearchItemModel searchItems(model, profile.unixSyntax);
  searchItems.Activate();
  Check(g_bCaseSensitive == caseFlag, "the search page left the case flag changed");
  searchItems.FirstActivationApply();
  CReplaceItemModel replaceItems(model);
  replaceItems.Activate();
  Check(replaceItems.Expression() == replace || replaceItems.Rows().empty(),
        "the replace page lists the template changed");
  replaceItems.FirstActivationApply();
  Check(g_bCaseSensitive == caseFlag, "a page left the case flag changed");
  Check(Evaluate(search, replace, sample) == Evaluate(model.m_strSearch, model.m_strReplace, sample),
        "showing the pages changed what the expressions do");

  // Read back and regenerate every row of both pages.
  for (int32_t i = 0; i < static_cast<int32_t>(searchItems.Rows().size()); ++i) {
    searchItems.Select(i);
    searchItems.Apply();
    Check(g_bCaseSensitive == caseFlag, "a search row left the case flag changed");
    Check(searchItems.Rows().empty() || searchItems.Expression() == model.m_strSearch,
          "the search rows are not the search expression");
  }
  for (int32_t i = 0; i < static_cast<int32_t>(replaceItems.Rows().size()); ++i) {
    replaceItems.Select(i);
    replaceItems.Apply();
    Check(replaceItems.Rows().empty() || replaceItems.Expression() == model.m_strReplace,
          "the replace rows are not the template");
  }
  SetSearchProfile(nullptr);
  return 0;
}
