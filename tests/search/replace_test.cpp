// Tests of replace templates: how a template compiles into elements, the
// replacement of successive hits (case marks, counters, padding, fill), the
// preview form, restarting counters, long templates and ownership of the
// referenced search nodes.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/UnicodeExpression.h"
#include "search/EvalModel.h"
#include "search/UnicodeReplaceExpression.h"

namespace {

// ASCII as it is, anything else as \uXXXX, so that golden strings stay readable.
std::string Show(const std::u16string& s) {
  std::string out;
  for (char16_t u : s) {
    if (u >= 0x20 && u < 0x7F) {
      out.push_back(static_cast<char>(u));
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(u));
      out += buf;
    }
  }
  return out;
}

// One element per bracket: [source] then =chars for a literal or ->source of
// the referenced search node, then what differs from a fresh element.
std::string Describe(const CUnicodeReplaceExpression* head) {
  std::string out;
  for (const CUnicodeReplaceExpression* e = head; e != nullptr; e = e->Next()) {
    if (!out.empty()) out += " ";
    out += "[" + Show(e->source) + "]";
    if (e->Referenced() != nullptr) {
      out += "->" + Show(e->Referenced()->source);
    } else {
      out += "=" + Show(e->chars);
    }
    if (e->caseMode != 0) out += " case=" + std::to_string(e->caseMode);
    if (e->Direction() != 0) out += " dir=" + std::to_string(e->Direction());
    if (e->counterStart != kCounterUnset) out += " start=" + std::to_string(e->counterStart);
    if (e->padWidth != 0) out += " pad=" + std::to_string(e->padWidth);
    if (e->counterEnabled == 0) out += " off";
    if (!e->fillText.empty()) out += " fill=" + Show(e->fillText);
  }
  return out;
}

// A search chain and a template compiled against it, as the searcher builds them.
struct Compiled {
  std::unique_ptr<CUnicodeExpression> search;
  std::unique_ptr<CUnicodeReplaceExpression> replace;  // destroyed first
};

class ReplaceTest : public ::testing::Test {
protected:
  void SetUp() override {
    savedCase_ = g_bCaseSensitive;
    g_bCaseSensitive = 1;
  }
  void TearDown() override { g_bCaseSensitive = savedCase_; }

  static Compiled Compile(const std::u16string& search, const std::u16string& tmpl) {
    Compiled c;
    c.search = std::make_unique<CUnicodeExpression>(&search);
    CUnicodeExpression::LinkAlternatives(c.search.get(), false);
    c.replace = std::make_unique<CUnicodeReplaceExpression>(c.search.get(), &tmpl, nullptr);
    return c;
  }

  // The node at index i along next.
  static CUnicodeExpression* Node(const Compiled& c, int i) {
    CUnicodeExpression* n = c.search.get();
    while (n != nullptr && i-- > 0) n = n->next;
    return n;
  }

  int32_t savedCase_ = 1;
};

// ---------------------------------------------------------------------------
// Compiling

struct CompileCase {
  const char16_t* search;
  const char16_t* tmpl;
  const char* expected;
};

class ReplaceCompile : public ReplaceTest, public ::testing::WithParamInterface<CompileCase> {};

TEST_P(ReplaceCompile, GivesTheseElements) {
  const CompileCase& c = GetParam();
  const Compiled compiled = Compile(c.search, c.tmpl);
  EXPECT_EQ(Describe(compiled.replace.get()), c.expected) << "template " << Show(c.tmpl);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, ReplaceCompile,
    ::testing::Values(
        // Literals and references.
        CompileCase{u"+[a-z]", u"", "[]="},
        CompileCase{u"+[a-z]", u"a%1b", "[a]=a [%1]->+[a-z] [b]=b"},
        CompileCase{u"+[a-z]", u"%1%1", "[%1]->+[a-z] [%1]->+[a-z]"},
        CompileCase{u"+[a-z]", u"a\\tb", "[a\\tb]=a\\u0009b"},
        CompileCase{u"+[a-z]", u"\\%1", "[\\%1]=%1"},
        CompileCase{u"+[a-z]", u"a\\\\%1", "[a\\\\]=a\\ [%1]->+[a-z]"},
        CompileCase{u"+[a-z]", u"%1\\%2", "[%1]->+[a-z] [\\%2]=%2"},
        // A '%' that starts no reference makes the rest one literal without source.
        CompileCase{u"+[a-z]", u"%0%1", "[]=%0%1"},
        CompileCase{u"+[a-z]", u"50%%1", "[]=50%%1"},
        CompileCase{u"+[a-z]", u"%1x%0", "[%1]->+[a-z] []=x%0"},
        CompileCase{u"+[a-z]", u"%r", "[]=%r"},
        CompileCase{u"+[a-z]", u"abc%", "[abc%]=abc%"},
        CompileCase{u"+[a-z]", u"%", "[%]=%"},
        // A reference without a node contributes nothing.
        CompileCase{u"+[a-z]", u"%2", "[%2]="},
        CompileCase{u"abc", u"%1", "[%1]="},
        // Literal nodes are not counted (operators are prefixes: '*[0-9]' is one node).
        CompileCase{u"abc*[0-9](x|y)def", u"%1%2%3", "[%1]->*[0-9] [%2]->(x|y) [%3]="},
        CompileCase{u"abc*x[0-9](x|y)def", u"%1%2%3", "[%1]->* [%2]->[0-9] [%3]->(x|y)"},
        CompileCase{u"x[ab", u"%1", "[%1]->[ab"},
        // Case marks after a node that does not count only set the case.
        CompileCase{u"+[a-z]", u"%1>", "[%1>]->+[a-z] case=1"},
        CompileCase{u"+[a-z]", u"%1<abc", "[%1<]->+[a-z] case=2 [abc]=abc"},
        CompileCase{u"+[a-z]", u"%1<5<", "[%1<]->+[a-z] case=2 [5<]=5<"},
        CompileCase{u"+[a-z]", u"%2>", "[%2>]= case=1"},
        // Counters on a numeric node.
        CompileCase{u"+[0-9]", u"%1>", "[%1>]->+[0-9] case=1 dir=1"},
        CompileCase{u"+[0-9]", u"%1<", "[%1<]->+[0-9] case=2 dir=2"},
        CompileCase{u"+[0-9.]", u"%1>5>", "[%1>5>]->+[0-9.] case=1 dir=1 start=5"},
        CompileCase{u"+[0-9]", u"%1>007>", "[%1>007>]->+[0-9] case=1 dir=1 start=7 pad=3"},
        CompileCase{u"+[0-9]", u"%1<-05<", "[%1<-05<]->+[0-9] case=2 dir=2 start=-5 pad=3"},
        CompileCase{u"+[0-9]", u"%1>0>", "[%1>0>]->+[0-9] case=1 dir=1 start=0 pad=1"},
        CompileCase{u"+[0-9]", u"%1>-0>", "[%1>-0>]->+[0-9] case=1 dir=1 start=0 pad=2"},
        CompileCase{u"+[0-9]", u"%1< 5<x", "[%1< 5<]->+[0-9] case=2 dir=2 start=5 [x]=x"},
        CompileCase{u"+[0-9]", u"%1>99999999999>", "[%1>99999999999>]->+[0-9] case=1 dir=1 start=2147483647"},
        // No number before the second mark disables restarting.
        CompileCase{u"+[0-9]", u"%1<<", "[%1<<]->+[0-9] case=2 dir=2 off"},
        // Without the second mark the number is ordinary text.
        CompileCase{u"+[0-9]", u"%1>5", "[%1>]->+[0-9] case=1 dir=1 [5]=5"},
        CompileCase{u"+[0-9]", u"%1>5<", "[%1>]->+[0-9] case=1 dir=1 [5<]=5<"},
        CompileCase{u"+[0-9]", u"%1>%1<", "[%1>]->+[0-9] case=1 dir=1 [%1<]->+[0-9] case=2 dir=2"},
        // The fill form.
        CompileCase{u"+[a-z]", u"%1%%ZYFILL-%%", "[%1]->+[a-z] case=3 fill=-"},
        CompileCase{u"+[a-z]", u"%1%%ZYFILL%%x", "[%1]->+[a-z] case=3 [x]=x"},
        CompileCase{u"+[a-z]", u"%1%%ZYFILL\\t%%", "[%1]->+[a-z] case=3 fill=\\t"},
        CompileCase{u"+[a-z]", u"%1%%ZYFILLab", "[%1]->+[a-z] []=%%ZYFILLab"},
        CompileCase{u"+[a-z]", u"%1%%ZYFILL", "[%1]->+[a-z] []=%%ZYFILL"},
        CompileCase{u"+[a-z]", u"%1%%ZYFILLab%%%1", "[%1]->+[a-z] case=3 fill=ab [%1]->+[a-z]"}));

TEST_F(ReplaceTest, ReferencesReachSixtyFive) {
  // 66 wildcards: the reference units '1' .. 'q' reach the first 65.
  const Compiled c = Compile(std::u16string(66, u'?'), u"%1%:%A%a%q%r");
  std::vector<int> indexes;
  for (const CUnicodeReplaceExpression* e = c.replace.get(); e != nullptr; e = e->Next()) {
    int index = -1;
    for (int i = 0; Node(c, i) != nullptr; ++i)
      if (Node(c, i) == e->Referenced()) index = i;
    indexes.push_back(index);
  }
  // '%r' (66) is no reference: it and the rest become a literal.
  EXPECT_EQ(indexes, (std::vector<int>{0, 9, 16, 48, 64, -1}));
  EXPECT_EQ(c.replace->Next()->Next()->Next()->Next()->Next()->chars, u"%r");
}

TEST_F(ReplaceTest, LiteralsAreNotFoldedWhenMatchingIgnoresCase) {
  g_bCaseSensitive = 0;
  const Compiled c = Compile(u"+[a-z]", u"abc%1x\u00e9");
  EXPECT_EQ(c.replace->chars, u"abc");
  EXPECT_EQ(c.replace->Next()->Next()->chars, u"x\u00e9");
}

// ---------------------------------------------------------------------------
// Replacements over successive hits

struct HitsCase {
  const char16_t* search;
  const char16_t* tmpl;
  std::vector<std::u16string> matched;  // what sub-expression 1 (node 0) matched, per hit
  std::vector<std::u16string> expected;
};

class ReplaceHits : public ReplaceTest, public ::testing::WithParamInterface<HitsCase> {};

TEST_P(ReplaceHits, GivesTheseReplacements) {
  const HitsCase& c = GetParam();
  const Compiled compiled = Compile(c.search, c.tmpl);
  std::vector<std::u16string> got;
  for (const std::u16string& m : c.matched) {
    Node(compiled, 0)->matchText = m;
    std::u16string out = u"stale";
    compiled.replace->BuildReplacement(out);
    got.push_back(out);
  }
  std::vector<std::string> shownGot;
  std::vector<std::string> shownExpected;
  for (const auto& s : got) shownGot.push_back(Show(s));
  for (const auto& s : c.expected) shownExpected.push_back(Show(s));
  EXPECT_EQ(shownGot, shownExpected) << "template " << Show(c.tmpl);
}

INSTANTIATE_TEST_SUITE_P(
    Hits, ReplaceHits,
    ::testing::Values(
        // Counters continue from hit to hit, whatever later hits matched.
        HitsCase{u"+[0-9]", u"%1>", {u"41", u"7", u"100"}, {u"42", u"43", u"44"}},
        HitsCase{u"+[0-9]", u"%1<", {u"41", u"7", u"100"}, {u"40", u"39", u"38"}},
        HitsCase{u"+[0-9]", u"%1>5>", {u"41", u"7"}, {u"6", u"7"}},
        HitsCase{u"+[0-9]", u"%1<5<", {u"41", u"7"}, {u"4", u"3"}},
        HitsCase{u"+[0-9]", u"%1>007>", {u"1", u"1", u"1"}, {u"008", u"009", u"010"}},
        HitsCase{u"+[0-9]", u"%1>", {u"007", u"5"}, {u"008", u"009"}},
        HitsCase{u"+[0-9]", u"%1>", {u"0099", u"5"}, {u"0100", u"0101"}},
        HitsCase{u"+[0-9]", u"%1>", {u"98", u"5", u"1"}, {u"99", u"100", u"101"}},
        HitsCase{u"+[0-9]", u"%1<-05<", {u"1", u"1"}, {u"-06", u"-07"}},
        HitsCase{u"+[0-9]", u"%1<001<", {u"1", u"1"}, {u"000", u"-01"}},
        HitsCase{u"+[0-9-]", u"%1>", {u"-05", u"1"}, {u"-04", u"-03"}},
        HitsCase{u"+[0-9]", u"%1>", {u"", u"5"}, {u"2", u"3"}},
        HitsCase{u"+[0-9]", u"%1<<", {u"41", u"7"}, {u"40", u"39"}},
        HitsCase{u"+[0-9]", u"n=%1>;", {u"41", u"7"}, {u"n=42;", u"n=43;"}},
        HitsCase{u"+[0-9]", u"%1-%1>", {u"41", u"7"}, {u"41-42", u"7-43"}},
        HitsCase{u"+[0-9]", u"%1>%1>", {u"41", u"7"}, {u"4242", u"4343"}},
        HitsCase{u"+[0-9]", u"%1>0>", {u"9", u"9"}, {u"1", u"2"}},
        // Counting on past the end of the 32-bit range wraps, as 32-bit values do.
        HitsCase{u"+[0-9]", u"%1>2147483647>", {u"1", u"1"}, {u"-2147483648", u"-2147483647"}},
        HitsCase{u"+[0-9]", u"%1>", {u"99999999999", u"1"}, {u"-2147483648", u"-2147483647"}},
        // Case and fill; only ASCII letters change case.
        HitsCase{u"+[a-z]", u"%1>", {u"abc", u"xY"}, {u"ABC", u"XY"}},
        HitsCase{u"+[a-z]", u"%1<", {u"AbC", u"x1Y"}, {u"abc", u"x1y"}},
        HitsCase{u"+[a-z]", u"%1>", {u"\u00e9a\u0101"}, {u"\u00e9A\u0101"}},
        HitsCase{u"+[a-z]", u"%1<", {u"\u00c4B\u0100"}, {u"\u00c4b\u0100"}},
        HitsCase{u"+[a-z]", u"%1%%ZYFILL-%%", {u"hello", u""}, {u"-----", u""}},
        HitsCase{u"+[a-z]", u"%1%%ZYFILLab%%", {u"xyz"}, {u"ababab"}},
        HitsCase{u"+[a-z]", u"%1%%ZYFILL%%", {u"hello"}, {u""}},
        HitsCase{u"+[a-z]", u"<%1>|%2>", {u"ab"}, {u"<AB|"}},
        HitsCase{u"+[a-z]", u"", {u"ab"}, {u""}},
        // A '<' or '>' counter mark on a non-numeric node only changes case.
        HitsCase{u"+[a-z]", u"%1>5>", {u"ab"}, {u"AB5>"}}));

TEST_F(ReplaceTest, PreviewShowsTheCurrentCounterWithoutAdvancing) {
  const Compiled c = Compile(u"+[0-9]", u"%1>007>");
  CUnicodeReplaceExpression* counter = c.replace.get();
  Node(c, 0)->matchText = u"3";
  std::u16string out;
  c.replace->BuildReplacement(out);
  EXPECT_EQ(out, u"008");
  std::u16string preview = u"3";
  counter->ApplyTransform(preview, false);
  EXPECT_EQ(preview, u"8");  // no padding in the preview
  preview = u"3";
  counter->ApplyTransform(preview, false);
  EXPECT_EQ(preview, u"8");
  c.replace->BuildReplacement(out);
  EXPECT_EQ(out, u"009");
}

TEST_F(ReplaceTest, PreviewOfNonCountingElementsTransformsTheText) {
  const Compiled c = Compile(u"+[a-z]", u"%1>%1%%ZYFILL*%%");
  std::u16string upper = u"abc";
  c.replace->ApplyTransform(upper, false);
  EXPECT_EQ(upper, u"ABC");
  std::u16string fill = u"abc";
  c.replace->Next()->ApplyTransform(fill, false);
  EXPECT_EQ(fill, u"***");
}

struct RestartCase {
  const char16_t* tmpl;
  bool restart;
  std::vector<std::u16string> expected;  // hits 41, 7, then the restart, then 20
};

class ReplaceRestart : public ReplaceTest, public ::testing::WithParamInterface<RestartCase> {};

TEST_P(ReplaceRestart, RestartCountersSetsEnabledCountersBack) {
  const RestartCase& c = GetParam();
  const Compiled compiled = Compile(u"+[0-9]", c.tmpl);
  std::vector<std::u16string> got;
  const std::u16string matched[] = {u"41", u"7", u"20"};
  for (int i = 0; i < 3; ++i) {
    if (i == 2) compiled.replace->RestartCounters(c.restart);
    Node(compiled, 0)->matchText = matched[i];
    std::u16string out;
    compiled.replace->BuildReplacement(out);
    got.push_back(out);
  }
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Restart, ReplaceRestart,
    ::testing::Values(RestartCase{u"%1>5>", true, {u"6", u"7", u"6"}},
                      RestartCase{u"%1>5>", false, {u"6", u"7", u"8"}},
                      // Without a start value the next hit's own number starts again.
                      RestartCase{u"%1>", true, {u"42", u"43", u"21"}},
                      // '%1<<' has its restart switched off.
                      RestartCase{u"%1<<", true, {u"40", u"39", u"38"}},
                      RestartCase{u"a%1>5>b%1<9<", true, {u"a6b8", u"a7b7", u"a6b8"}}));

// ---------------------------------------------------------------------------
// Long templates and ownership

TEST_F(ReplaceTest, LongTemplateBuildsAndDestroysWithoutDeepStack) {
  std::u16string tmpl;
  for (int i = 0; i < 100000; ++i) tmpl += u"a%1";  // 200,000 elements
  Compiled c = Compile(u"+[0-9]", tmpl);
  int elements = 0;
  for (const CUnicodeReplaceExpression* e = c.replace.get(); e != nullptr; e = e->Next()) ++elements;
  EXPECT_EQ(elements, 200000);
  Node(c, 0)->matchText = u"7";
  std::u16string out;
  c.replace->BuildReplacement(out);
  std::u16string expected;
  for (int i = 0; i < 100000; ++i) expected += u"a7";
  EXPECT_EQ(out, expected);
  c.replace->RestartCounters(true);
  c.replace.reset();
}

TEST_F(ReplaceTest, DestroyingTheTemplateLeavesTheSearchChainAlone) {
  Compiled c = Compile(u"x(a|b)+[0-9]", u"%1%2%1");
  CUnicodeExpression* group = Node(c, 1);
  ASSERT_NE(group, nullptr);
  ASSERT_NE(group->alternative, nullptr);
  const std::string before = Dump(c.search.get());
  CUnicodeExpression* linkedNext = group->alternative->next;
  c.replace.reset();
  EXPECT_EQ(Dump(c.search.get()), before);
  // The group's alternative keeps its neighbours.
  EXPECT_EQ(group->alternative->next, linkedNext);
  EXPECT_EQ(group->alternative->prev, group->prev);
}

TEST_F(ReplaceTest, TemplateMayOutliveItsSearchChain) {
  // The searcher deletes its search chain before its template; the template
  // must not touch the nodes it referred to (the sanitizer run checks this).
  Compiled c = Compile(u"x(a|b)+[0-9]", u"%1<%2>%1%%ZYFILL-%%");
  c.search.reset();
  std::vector<std::u16string> sources;
  for (const CUnicodeReplaceExpression* e = c.replace.get(); e != nullptr; e = e->Next()) sources.push_back(e->source);
  EXPECT_EQ(sources, (std::vector<std::u16string>{u"%1<", u"%2>", u"%1"}));
  c.replace.reset();
}

TEST_F(ReplaceTest, PaddingWidthBeyondSixteenBitsIsCut) {
  // The width is kept in 16 bits; a wider request is cut to the widest, not
  // wrapped to a negative width that would drop the padding altogether.
  const std::u16string tmpl = u"%1>" + std::u16string(40000, u'0') + u">";
  const Compiled c = Compile(u"+[0-9]", tmpl);
  EXPECT_EQ(c.replace->padWidth, 32767);
  Node(c, 0)->matchText = u"1";
  std::u16string out;
  c.replace->BuildReplacement(out);
  EXPECT_EQ(out, std::u16string(32766, u'0') + u"1");
}

// ---------------------------------------------------------------------------
// Through the whole evaluation road

struct EvalCase {
  const char16_t* sample;
  const char16_t* search;
  const char16_t* replace;
  std::vector<std::u16string> replacements;
  std::vector<std::u16string> previews;  // m_aItemReplace of the last hit
  const char16_t* replaced;
};

class ReplaceEval : public ReplaceTest, public ::testing::WithParamInterface<EvalCase> {};

TEST_P(ReplaceEval, CountersRunOverTheHitsOfOneEvaluation) {
  const EvalCase& c = GetParam();
  CEvalModel model;
  model.m_bCaseSensitive = 1;
  model.m_strSample = c.sample;
  model.m_strSearch = c.search;
  model.m_strReplace = c.replace;
  model.FindHits();
  std::vector<std::u16string> replacements;
  for (const CZyHit& hit : model.m_aHits) replacements.push_back(hit.m_strReplacement);
  EXPECT_EQ(replacements, c.replacements);
  ASSERT_FALSE(model.m_aHits.empty());
  EXPECT_EQ(model.m_aHits.back().m_aItemReplace, c.previews);
  model.BuildReplacedText();
  EXPECT_EQ(model.m_strReplaced, c.replaced);
  // A new evaluation numbers from the start again.
  model.FindHits();
  ASSERT_FALSE(model.m_aHits.empty());
  EXPECT_EQ(model.m_aHits.front().m_strReplacement, c.replacements.front());
}

INSTANTIATE_TEST_SUITE_P(
    Eval, ReplaceEval,
    ::testing::Values(EvalCase{u"a41 b7 c100", u"+[0-9]", u"%1>", {u"42", u"43", u"44"}, {u"44"}, u"a42 b43 c44"},
                      EvalCase{u"a41 b7 c100", u"+[0-9]", u"<%1>007>>",
                               {u"<008>", u"<009>", u"<010>"},
                               {u"<", u"10", u">"},
                               u"a<008> b<009> c<010>"},
                      EvalCase{u"one two", u"+[a-z]", u"%1>%1%%ZYFILL.%%",
                               {u"ONE...", u"TWO..."},
                               {u"TWO", u"..."},
                               u"ONE... TWO..."}));

}  // namespace
