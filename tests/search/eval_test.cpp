// The evaluation model: the hit records, the continuation rules of FindHits,
// the replaced text with the shift of the current hit, counters over several
// hits, compile errors, and a sample text that a search leaves untouched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SearchTestUtil.h"
#include "search/EvalModel.h"

namespace {

class EvalModelTest : public SearchFixture {};

TEST_F(EvalModelTest, AbcabcWithXY) {
  CEvalModel model;
  Evaluate(model, u"b", u"XY", u"abcabc");
  ASSERT_EQ(model.m_aHits.size(), 2u);
  EXPECT_EQ(Hits(model), (std::vector<SimpleHit>{{2, u"b"}, {8, u"b"}}));
  for (const CZyHit& h : model.m_aHits) {
    EXPECT_EQ(h.m_strReplacement, u"XY");
    EXPECT_EQ(h.m_aItemFound, std::vector<std::u16string>{u"b"});
    EXPECT_EQ(h.m_aItemReplace, std::vector<std::u16string>{u"XY"});
  }
  struct ShiftCase {
    int32_t curHit;
    int32_t shift;
  };
  for (const ShiftCase c : {ShiftCase{0, 0}, {1, 1}, {2, 2}, {7, 2}, {-1, 0}}) {
    model.m_nCurHit = c.curHit;
    EXPECT_EQ(model.BuildReplacedText(), c.shift) << "current hit " << c.curHit;
    EXPECT_EQ(model.m_strReplaced, u"aXYcaXYc");
    EXPECT_EQ(model.m_nCurHit, c.curHit);
  }
  // With hit 1 current: character 5 of the replaced text, character 4 of the sample.
  model.m_nCurHit = 1;
  const int32_t shift = model.BuildReplacedText();
  EXPECT_EQ(model.m_aHits[1].m_nPos / 2 + shift, 5);
  EXPECT_EQ(model.m_strReplaced.substr(5, 2), u"XY");
}

TEST_F(EvalModelTest, AdjacentHitsFollowEachOther) {
  CEvalModel model;
  Evaluate(model, u"b", u"XY", u"bb");
  EXPECT_EQ(Hits(model), (std::vector<SimpleHit>{{0, u"b"}, {2, u"b"}}));
  model.BuildReplacedText();
  EXPECT_EQ(model.m_strReplaced, u"XYXY");
}

TEST_F(EvalModelTest, EmptySampleGivesNoHitsAndAnEmptyText) {
  CEvalModel model;
  Evaluate(model, u"b", u"XY", u"");
  EXPECT_TRUE(model.m_aHits.empty());
  EXPECT_EQ(model.BuildReplacedText(), 0);
  EXPECT_EQ(model.m_strReplaced, u"");
}

TEST_F(EvalModelTest, FewerHitsThanTheCurrentHitGiveTheTotalShift) {
  CEvalModel model;
  Evaluate(model, u"b", u"XYZ", u"abcabcabc", 2);
  model.BuildReplacedText();
  Evaluate(model, u"b", u"XYZ", u"abcabc", 2);  // the current hit stays where it was
  ASSERT_EQ(model.m_aHits.size(), 2u);
  EXPECT_EQ(model.BuildReplacedText(), 4);
  EXPECT_EQ(model.m_nCurHit, 2);
}

TEST_F(EvalModelTest, HitRecordsEveryNodeAndElement) {
  CEvalModel model;
  Evaluate(model, u"ab*cd", u"[%1]", u"xxab12cdyy");
  ASSERT_EQ(model.m_aHits.size(), 1u);
  const CZyHit& h = model.m_aHits[0];
  EXPECT_EQ(h.m_nPos, 4);
  EXPECT_EQ(h.m_strFound, u"ab12cd");
  EXPECT_EQ(h.m_nLine, 0);
  EXPECT_EQ(h.m_aItemFound, (std::vector<std::u16string>{u"ab", u"12", u"cd"}));
  EXPECT_EQ(h.m_strReplacement, u"[12]");
  EXPECT_EQ(h.m_aItemReplace, (std::vector<std::u16string>{u"[", u"12", u"]"}));
  model.BuildReplacedText();
  EXPECT_EQ(model.m_strReplaced, u"xx[12]yy");
}

struct ReplaceCase {
  const char* name;
  std::u16string search;
  std::u16string replace;
  std::u16string sample;
  std::u16string replaced;
};

class EvalReplaced : public SearchFixture, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(EvalReplaced, GivesTheReplacedText) {
  const ReplaceCase& c = GetParam();
  CEvalModel model;
  Evaluate(model, c.search, c.replace, c.sample);
  model.BuildReplacedText();
  EXPECT_EQ(Show(model.m_strReplaced), Show(c.replaced)) << ShowHits(Hits(model));
}

const ReplaceCase kReplaceCases[] = {
    // The end anchor's hit lies on the line feed after the text: recorded, then the scan stops.
    {"LoneLineEndAfterText", u"$", u"Z", u"ab", u"abZ"},
    {"LoneFileEndAfterText", u"$$", u"E", u"ab", u"abE"},
    {"LoneFileEndAfterFinalBreak", u"$$", u"E", u"ab\n", u"ab\nE"},
    {"LoneLineStartAfterLeadingBreak", u"^", u"Z", u"\nab", u"\nZab"},
    {"LoneLineStartAfterCrLf", u"^", u"Z", u"a\r\nb", u"a\r\nZb"},
    {"LoneLineStartNeedsABreak", u"^", u"Z", u"ab", u"ab"},
    {"LoneLineEndAtBreakAndAfterText", u"$", u"Z", u"a\r\nb", u"a\r\nZbZ"},
    {"LoneFileStartOnlyNearTheStart", u"^^", u"Z", u"ab\n", u"ab\n"},
    {"LoneFileStartAtLeadingBreak", u"^^", u"Z", u"\nab", u"\nZab"},
    {"LoneFileEndOnlyAtTheEnd", u"$$", u"Z", u"a\r\nb", u"a\r\nbZ"},
    {"LineEndKeepsTheBreak", u"x$", u"y", u"ax\nbx", u"ay\nby"},
    {"LineStartKeepsTheBreak", u"^b", u"B", u"b\r\nab\r\nb", u"B\r\nab\r\nB"},
    {"ReferenceCases", u"+[a-z]", u"%1>-%1<", u"Ab cD", u"AB-ab CD-cd"},
    {"FillForm", u"+[0-9]", u"%1%%ZYFILL#%%", u"a123b45", u"a###b##"},
    {"CountUp", u"+[0-9]", u"%1>", u"a41 b7 c100", u"a42 b43 c44"},
    {"CountDown", u"+[0-9]", u"%1<", u"a41 b7 c100", u"a40 b39 c38"},
    {"CountFromStartPadded", u"+[0-9]", u"#%1>007>", u"a41 b7 c100", u"a#008 b#009 c#010"},
    {"CountFromStart", u"+[0-9]", u"%1>5>", u"1 1 1", u"6 7 8"},
    {"NoHitKeepsTheText", u"q", u"Z", u"abc", u"abc"},
};

INSTANTIATE_TEST_SUITE_P(Table, EvalReplaced, ::testing::ValuesIn(kReplaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EvalModelTest, CounterPreviewShowsTheCurrentValueUnpadded) {
  CEvalModel model;
  Evaluate(model, u"+[0-9]", u"#%1>007>", u"a41 b7");
  ASSERT_EQ(model.m_aHits.size(), 2u);
  EXPECT_EQ(model.m_aHits[0].m_strReplacement, u"#008");
  EXPECT_EQ(model.m_aHits[0].m_aItemReplace, (std::vector<std::u16string>{u"#", u"8"}));
  EXPECT_EQ(model.m_aHits[1].m_aItemReplace, (std::vector<std::u16string>{u"#", u"9"}));
}

TEST_F(EvalModelTest, EachEvaluationNumbersFromTheStart) {
  CEvalModel model;
  Evaluate(model, u"+[0-9]", u"%1>", u"a1 b1");
  Evaluate(model, u"+[0-9]", u"%1>", u"a1 b1");
  ASSERT_EQ(model.m_aHits.size(), 2u);
  EXPECT_EQ(model.m_aHits[0].m_strReplacement, u"2");
  EXPECT_EQ(model.m_aHits[1].m_strReplacement, u"3");
}

// One model evaluated again and again keeps the memory of its earlier hits;
// each result must still be what a fresh model gives, whether the new run has
// more or fewer hits, nodes or elements than the one before.
TEST_F(EvalModelTest, RepeatedEvaluationsGiveWhatAFreshModelGives) {
  struct Step {
    const char16_t* search;
    const char16_t* replace;
    const char16_t* sample;
  };
  const Step steps[] = {
      {u"a+[0-9]*[b-c]", u"<%1|%2>x%3<", u"a12bc a3 a44cb\nA5b"},
      {u"?", u"%1>", u"xYz\r\nw"},
      {u"+[0-9]", u"#%1>09>", u"1 22 333 4444 55555 666666 7777777 88888888"},
      {u"qq", u"Q", u"no hit here"},
      {u"(ab|c)+[x]", u"[%1][%2]%1<", u"abxx cx ABX ab"},
      {u"+[a-z]!(e)", u"%1%%ZYFILL-%%", u"the lazy dog sleeps"},
      {u"b", u"", u"b"},
  };
  CEvalModel reused;
  for (const Step& step : steps) {
    CEvalModel fresh;
    Evaluate(fresh, step.search, step.replace, step.sample, 1);
    Evaluate(reused, step.search, step.replace, step.sample, 1);
    const std::string what = "expression '" + Show(step.search) + "'";
    ASSERT_EQ(reused.m_aHits.size(), fresh.m_aHits.size()) << what;
    for (size_t i = 0; i < fresh.m_aHits.size(); ++i) {
      const CZyHit& a = reused.m_aHits[i];
      const CZyHit& b = fresh.m_aHits[i];
      EXPECT_EQ(a.m_nPos, b.m_nPos) << what << ", hit " << i;
      EXPECT_EQ(a.m_nLine, b.m_nLine) << what << ", hit " << i;
      EXPECT_EQ(a.m_strFound, b.m_strFound) << what << ", hit " << i;
      EXPECT_EQ(a.m_strReplacement, b.m_strReplacement) << what << ", hit " << i;
      EXPECT_EQ(a.m_aItemFound, b.m_aItemFound) << what << ", hit " << i;
      EXPECT_EQ(a.m_aItemReplace, b.m_aItemReplace) << what << ", hit " << i;
    }
    EXPECT_EQ(reused.BuildReplacedText(), fresh.BuildReplacedText()) << what;
    EXPECT_EQ(reused.m_strReplaced, fresh.m_strReplaced) << what;
  }
  // A compile error after many hits leaves none.
  Evaluate(reused, u"?", u"", u"abcdef");
  EXPECT_EQ(reused.m_aHits.size(), 6u);
  EXPECT_THROW(Evaluate(reused, u"x[-a]", u"", u"abcdef"), CExpressionError);
  EXPECT_TRUE(reused.m_aHits.empty());
}

TEST_F(EvalModelTest, HitEndingAtZeroMovesOnByOneCharacter) {
  // '*$' over a text that begins with a line break: the first hit is only the
  // anchor's break at the scan start, so Search returns 0.
  CEvalModel model;
  Evaluate(model, u"*$", u"Z", u"\nb");
  // Then 'b' before the supplied line feed, then that line feed alone: its end
  // is 0 again with nothing left, and the scan stops.
  EXPECT_EQ(Hits(model), (std::vector<SimpleHit>{{0, u""}, {2, u"b"}, {4, u""}})) << ShowHits(Hits(model));
  model.BuildReplacedText();
  EXPECT_EQ(Show(model.m_strReplaced), Show(u"Z\nZZ"));
}

TEST_F(EvalModelTest, SampleTextIsUnchangedAfterFindHits) {
  // End anchors see a line feed after the text; it must never be stored there.
  for (const std::u16string expr : {u"$", u"x$", u"$$", u"ab$$", u"*$", u"b"}) {
    CEvalModel model;
    model.m_strSample = u"ab\r\nx";
    const std::u16string copy = model.m_strSample;
    model.m_strSearch = expr;
    model.FindHits();
    EXPECT_EQ(model.m_strSample, copy) << Show(expr);
    EXPECT_EQ(model.m_strSample.c_str()[model.m_strSample.size()], u'\0') << Show(expr);
    model.BuildReplacedText();
    EXPECT_EQ(model.m_strSample, copy) << Show(expr);
  }
}

TEST_F(EvalModelTest, CompileErrorLeavesNoSearcherAndNoHits) {
  CEvalModel model;
  Evaluate(model, u"b", u"", u"abcabc");
  ASSERT_EQ(model.m_aHits.size(), 2u);
  ASSERT_NE(model.m_pSearcher, nullptr);
  model.m_strSearch = u"x[-a]";
  try {
    model.FindHits();
    FAIL() << "no CExpressionError";
  } catch (const CExpressionError& e) {
    EXPECT_EQ(e.Code(), 0x80070057u);
  }
  EXPECT_EQ(model.m_pSearcher, nullptr);
  EXPECT_TRUE(model.m_aHits.empty());

  model.m_strSearch = u"a!([-b])";
  EXPECT_THROW(model.CreateSearcher(), CExpressionError);
  EXPECT_EQ(model.m_pSearcher, nullptr);
}

TEST_F(EvalModelTest, CreateSearcherReplacesTheSearcher) {
  CEvalModel model;
  model.m_strSearch = u"ab";
  model.m_strReplace = u"%1";
  model.CreateSearcher();
  ASSERT_NE(model.m_pSearcher, nullptr);
  EXPECT_EQ(model.m_pSearcher->expressionText, u"ab");
  model.m_strSearch = u"cd";
  model.CreateSearcher();
  ASSERT_NE(model.m_pSearcher, nullptr);
  EXPECT_EQ(model.m_pSearcher->expressionText, u"cd");
}

}  // namespace
