// Showing the builder pages never changes what the expressions do: over a large
// generated set of search expressions and templates, the rows the pages list
// plus their first-activation Apply give expressions with the same hits and the
// same replacements as the originals, on several sample texts, in both syntaxes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "BuilderTestUtil.h"
#include "builder/ReplaceItemModel.h"
#include "builder/SearchItemModel.h"
#include "engine/TextUtil.h"
#include "search/EvalModel.h"

namespace {

using Pick = std::vector<std::u16string>;

class CGenerator {
public:
  explicit CGenerator(uint32_t seed) : m_rng(seed) {}

  const std::u16string& From(const Pick& pick) { return pick[Below(pick.size())]; }
  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_rng); }
  bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }

  std::u16string Literal() {
    return From({u"a", u"b", u"ab", u"x", u"1", u"cd", u"\\+", u"\\\\", u"\\t", u"\\0x41", u"!", u"a)", u"]", u"-",
                 u"|", u"A", u" ", u"\\(", u"\\!", u"\\[x"});
  }
  std::u16string Bracket() {
    if (Chance(55))
      return u"[" +
             From({u"a-c", u"0-9", u"ab", u"0-9.", u"x\\-z", u"a-", u"", u"z-ab", u"\u0141", u"A-C", u"\\t ", u"b]",
                   u"\\]a"}) +
             u"]";
    return u"(" + From({u"ab", u"cat|dog", u"a|", u"|b", u"a*b", u"12|3", u"", u"x\\|y"}) + u")";
  }
  std::u16string NativeElement() {
    switch (Below(5)) {
      case 0: return Literal();
      case 1: return From({u"?", u"*", u"+", u"+2", u"+1-3", u"+2+"});
      case 2: return From({u"^", u"^^", u"$", u"$$"});
      default:
        return From({u"", u"", u"?", u"*", u"+", u"+2", u"+1-3", u"+2+", u"+-2", u"+ 2"}) + Bracket();
    }
  }
  std::u16string UnixElement() {
    switch (Below(6)) {
      case 0: return Literal();
      case 1: return From({u"?", u"*", u"+", u"+2", u"+1-3"});
      case 2: return From({u"^", u"^^", u"$", u"$$"});
      case 3: return From({u"+2", u"+1-3", u"+2+", u"+-2"}) + Bracket();  // counts are written in front
      default: return Bracket() + From({u"", u"", u"?", u"*", u"+", u"+", u"*+"});
    }
  }
  std::u16string Expression(bool unixMode) {
    std::u16string text;
    const size_t n = 1 + Below(4);
    for (size_t i = 0; i < n; ++i) text += unixMode ? UnixElement() : NativeElement();
    if (Chance(15)) text += From({u"[ab", u"(ab", u"*[ab", u"+2(x"});
    if (Chance(25)) {
      std::u16string inner = unixMode ? UnixElement() : NativeElement();
      if (Chance(20)) inner += u"!(" + Literal() + u")";
      text += unixMode && Chance(50) ? u"(" + inner + u")!" : u"!(" + inner + u")";
      if (Chance(40)) text += unixMode ? UnixElement() : NativeElement();
    }
    return text;
  }
  std::u16string Template() {
    std::u16string text;
    const size_t n = Below(4);
    for (size_t i = 0; i < n; ++i) {
      if (Chance(40)) {
        text += From({u"x", u"-", u"\\t", u"\\<", u">", u"a\\%b", u"<", u"[", u"5"});
      } else {
        text += From({u"%1", u"%2", u"%3"}) +
                From({u"", u"", u"<", u">", u">5>", u"<9<", u">007>", u"%%ZYFILL*%%", u"%%ZYFILL%%", u"<<"});
      }
    }
    if (Chance(15)) text += From({u"%0", u"%", u"50%%1", u"%1%%ZYFILL-", u"x%0%1"});
    return text;
  }

private:
  std::mt19937 m_rng;
};

const Pick kSamples = {
    u"ab cat dog 12\r\nx+y 345 cd\r\n",
    u"Cat dogs 1.5 AB\nab a)b] -|!x",
    u"",
    u"^$ \t 007 41 A\r\nxyz ab12cd\r\n\r\nend",
};

struct COutcome {
  bool error = false;
  std::vector<std::u16string> hits;  // position, found text and replacement of every hit
  std::u16string replaced;
  bool operator==(const COutcome&) const = default;
};

COutcome Evaluate(const std::u16string& search, const std::u16string& replace, const std::u16string& sample) {
  COutcome out;
  CEvalModel model;
  model.m_strSearch = search;
  model.m_strReplace = replace;
  model.m_strSample = sample;
  model.m_bCaseSensitive = g_bCaseSensitive;
  try {
    model.FindHits();
  } catch (const CExpressionError&) {
    out.error = true;
    return out;
  }
  for (const CZyHit& hit : model.m_aHits)
    out.hits.push_back(FromUtf8(std::to_string(hit.m_nPos)) + u"|" + hit.m_strFound + u"|" + hit.m_strReplacement);
  model.BuildReplacedText();
  out.replaced = model.m_strReplaced;
  return out;
}

struct CShown {
  std::u16string listedSearch, listedReplace;  // the rows as listed
  std::u16string search, replace;              // after both pages' first activation
};

// What the wizard does: evaluates on leaving the sample page, then shows the
// search page and the replace page for the first time.
CShown ShowPages(const std::u16string& search, const std::u16string& replace, bool unixMode) {
  CEvalModel model;
  model.m_strSearch = search;
  model.m_strReplace = replace;
  model.m_strSample = kSamples[0];
  try {
    model.FindHits();
  } catch (const CExpressionError&) {
  }
  CShown shown;
  CSearchItemModel searchItems(model, unixMode);
  searchItems.Activate();
  shown.listedSearch = searchItems.Expression();
  searchItems.FirstActivationApply();
  CReplaceItemModel replaceItems(model);
  replaceItems.Activate();
  shown.listedReplace = replaceItems.Expression();
  replaceItems.FirstActivationApply();
  shown.search = model.m_strSearch;
  shown.replace = model.m_strReplace;
  return shown;
}

std::string Narrow(const std::u16string& s) { return ToUtf8(s); }

class RoundTripProperty : public ::testing::TestWithParam<bool> {};

TEST_P(RoundTripProperty, PagesKeepHitsAndReplacements) {
  const bool unixMode = GetParam();
  CUnixProfileScope profile(unixMode);
  CGenerator gen(unixMode ? 20240611u : 7u);
  int compared = 0, rewritten = 0;
  for (int i = 0; i < 2500; ++i) {
    const std::u16string search = gen.Expression(unixMode);
    const std::u16string replace = gen.Template();
    g_bCaseSensitive = gen.Chance(50) ? 1 : 0;
    const int32_t flag = g_bCaseSensitive;
    const CShown shown = ShowPages(search, replace, unixMode);
    ASSERT_EQ(g_bCaseSensitive, flag) << "the case flag is put back";
    EXPECT_EQ(shown.listedReplace, replace) << Narrow(replace);
    if (!unixMode) {
      // A condition that does not close is listed closed.
      EXPECT_TRUE(shown.listedSearch == search || shown.listedSearch == search + u")") << Narrow(search);
    }
    if (shown.search != search || shown.replace != replace) ++rewritten;
    for (const std::u16string& sample : kSamples) {
      const COutcome before = Evaluate(search, replace, sample);
      const COutcome after = Evaluate(shown.search, shown.replace, sample);
      if (!before.error) ++compared;
      ASSERT_EQ(before, after) << "search '" << Narrow(search) << "' -> '" << Narrow(shown.search) << "', replace '"
                               << Narrow(replace) << "' -> '" << Narrow(shown.replace) << "', sample '"
                               << Narrow(sample) << "', case " << flag;
    }
  }
  g_bCaseSensitive = 0;
  // The generated set must exercise both outcomes of the first-activation Apply.
  EXPECT_GT(compared, 5000);
  EXPECT_GT(rewritten, 100);
}

INSTANTIATE_TEST_SUITE_P(BothSyntaxes, RoundTripProperty, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? std::string("Unix") : std::string("Native"); });

}  // namespace
