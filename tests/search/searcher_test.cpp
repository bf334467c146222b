// The searcher: hits over whole texts (anchors at both ends, conditions, the
// window rules), line counting, splitting off conditions, the accessors, and
// that a scan never writes to or reads outside the buffer it is given.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SearchTestUtil.h"
#include "engine/UnicodeExpression.h"
#include "search/Profile.h"
#include "search/UnicodeSearcher.h"

namespace {

struct HitCase {
  const char* name;
  std::u16string search;
  std::u16string sample;
  std::vector<SearchFixture::SimpleHit> hits;
  int32_t caseSensitive = 0;
};

class SearcherHits : public SearchFixture, public ::testing::WithParamInterface<HitCase> {};

TEST_P(SearcherHits, FindsExactlyTheseHits) {
  const HitCase& c = GetParam();
  g_bCaseSensitive = c.caseSensitive;
  CEvalModel model;
  Evaluate(model, c.search, u"", c.sample);
  EXPECT_EQ(Hits(model), c.hits) << "got " << ShowHits(Hits(model));
}

const HitCase kHitCases[] = {
    {"EmptySearchFindsNothing", u"", u"abc", {}},
    {"LiteralEveryOccurrence", u"b", u"abcabc", {{2, u"b"}, {8, u"b"}}},
    {"WildcardBetweenLiterals", u"ab*cd", u"xxab12cdyy", {{4, u"ab12cd"}}},
    {"WildcardStopsAtLineBreak", u"ab*cd", u"ab\n12cd", {}},
    {"SetOneUnit", u"[0-9]", u"x5y", {{2, u"5"}}},
    {"SetRunTakesAtMostItsMaximum", u"+2[0-9]", u"12345", {{0, u"12"}, {4, u"34"}}},
    {"LineEndAtTextEndWithoutBreak", u"x$", u"ax", {{2, u"x"}}},
    {"LineEndNeedsABreakOrTheEnd", u"x$", u"xa", {}},
    {"LineEndBreakNotPartOfHit", u"x$", u"x\r\nx", {{0, u"x"}, {6, u"x"}}},
    {"LineEndBeforeBreakAndAtEnd", u"b$", u"ab\ncb", {{2, u"b"}, {8, u"b"}}},
    {"LineStartAtOffsetZero", u"^ab", u"ab", {{0, u"ab"}}},
    {"LineStartAcceptsStartWithinTwoBytes", u"^ab", u"xab", {{2, u"ab"}}},
    {"LineStartAfterCountedLoneLfNeedsMore", u"^ab", u"ab\nxab\nab", {{0, u"ab"}}},
    {"LineStartAfterCrLf", u"^ab", u"ab\r\nab", {{0, u"ab"}, {8, u"ab"}}},
    {"FileStartEveryContinuation", u"^^a", u"aaa", {{0, u"a"}, {2, u"a"}, {4, u"a"}}},
    {"FileStartRefusesLaterLine", u"^^ab", u"xy\nab", {}},
    {"FileEndAtTextEnd", u"ab$$", u"xab", {{2, u"ab"}}},
    {"FileEndRefusesEarlierLine", u"ab$$", u"ab\nx", {}},
    {"PlusGroupTakesTheLastFullRun", u"+3(ab)", u"abababab", {{4, u"ababab"}}},
    {"BackwardWildcardRefusesLineBreak", u"?ab", u"\nab", {}},
    {"ForwardWildcardShortcutTakesLineBreak", u"x?ab", u"x\nab", {{0, u"x\nab"}}},
    {"CaseFoldAccented", u"\u00e9", u"\u00e9\u00c9", {{0, u"\u00e9"}, {2, u"\u00c9"}}},
    {"CaseFoldAccentedUpper", u"\u00c9", u"\u00e9\u00c9", {{0, u"\u00e9"}, {2, u"\u00c9"}}},
    {"CaseSensitiveAccented", u"\u00e9", u"\u00e9\u00c9", {{0, u"\u00e9"}}, 1},
    {"CaseSensitiveAscii", u"a", u"AaA", {{2, u"a"}}, 1},
    {"CaseInsensitiveAscii", u"a", u"AaA", {{0, u"A"}, {2, u"a"}, {4, u"A"}}},
    {"ConditionMustNotMatch", u"+[a-z]!(x)", u"abc box def", {{0, u"abc"}, {16, u"def"}}},
    {"ConditionsMustNotAndMust", u"+[a-z]!(x)e", u"abc one box exe ten", {{8, u"one"}, {32, u"ten"}}},
    {"LeadingConditionCompiledAsWritten", u"!(x)abc", u"abc !xabc", {{8, u"!xabc"}}},
    {"LeadingConditionDroppedBeforeMain", u"!(b)+[a-z]!(c)", u"abc abd", {{8, u"abd"}}},
    {"AdvanceLeavesWindowAfterLoneDot", u"+ 2[.]$", u"Total 8.\r\n", {}},
    {"AdvanceThenFindsDoubleDot", u"+ 2[.]$", u"Total 8.\r\nNext 9..\r\n", {{32, u".."}}},
};

INSTANTIATE_TEST_SUITE_P(Table, SearcherHits, ::testing::ValuesIn(kHitCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------

struct LineCase {
  const char* name;
  std::u16string sample;
  std::vector<int32_t> lines;  // m_nLine of each hit of 'x'
};

class SearcherLines : public SearchFixture, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SearcherLines, CountsLineBreaksBeforeEachHit) {
  const LineCase& c = GetParam();
  CEvalModel model;
  Evaluate(model, u"x", u"", c.sample);
  std::vector<int32_t> lines;
  for (const CZyHit& h : model.m_aHits) lines.push_back(h.m_nLine);
  EXPECT_EQ(lines, c.lines);
}

const LineCase kLineCases[] = {
    {"FirstLine", u"ax", {0}},
    {"Lf", u"a\nx", {1}},
    {"CrLfCountsOnce", u"a\r\nx", {1}},
    {"LoneCr", u"a\rx", {1}},
    {"Mixed", u"a\n\r\nb\rx", {3}},
    {"CarriesOverHitsLf", u"x\nx\nx", {0, 1, 2}},
    {"CarriesOverHitsCrLf", u"x\r\nx\r\nx", {0, 1, 2}},
    // A break at a continuation's offset 0 is counted only when a different,
    // non-LF unit follows it.
    {"BreakAtContinuationStart", u"x\n\nx", {0, 1}},
    {"TextStartsWithLfThenText", u"\nax", {1}},
    {"TextStartsWithCrLf", u"\r\nx", {1}},
    {"CrBeforeEndCounts", u"a\r\rx", {2}},
};

INSTANTIATE_TEST_SUITE_P(Table, SearcherLines, ::testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchFixture, OddWindowStartsCountEachLineBreakOnce) {
  // A window start moved on by one byte lies inside a unit; the line break in
  // that unit was already counted at the unit's even position.
  struct Case {
    std::u16string search;
    std::u16string sample;
    int32_t pos;
    int32_t line;
  };
  const Case cases[] = {
      {u"+ 2[.]$", u"8.\n\n\nx..\n", 12, 3},
      {u"+2[.]$", u"8.\n.\n\nx..\nx", 14, 3},
  };
  for (const Case& c : cases) {
    CEvalModel model;
    Evaluate(model, c.search, u"", c.sample);
    ASSERT_EQ(model.m_aHits.size(), 1u) << Show(c.sample);
    EXPECT_EQ(model.m_aHits[0].m_nPos, c.pos) << Show(c.sample);
    EXPECT_EQ(model.m_aHits[0].m_nLine, c.line) << Show(c.sample);
  }
}

// ---------------------------------------------------------------------------

struct SplitCase {
  const char* name;
  std::u16string expression;
  std::u16string mainText;
  std::vector<std::pair<std::u16string, bool>> constraints;  // expressionText, mustMatch
};

class SearcherSplit : public SearchFixture, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(SearcherSplit, SplitsOffConditions) {
  const SplitCase& c = GetParam();
  CUnicodeSearcher s(&c.expression, nullptr);
  EXPECT_EQ(Show(s.expressionText), Show(c.mainText));
  std::vector<std::pair<std::u16string, bool>> got;
  for (CUnicodeSearcher* k : s.constraints) got.emplace_back(k->expressionText, k->IsMustMatch());
  EXPECT_EQ(got, c.constraints);
  EXPECT_TRUE(s.IsMustMatch());
}

const SplitCase kSplitCases[] = {
    {"None", u"abc", u"abc", {}},
    {"MustNot", u"A!(B)", u"A", {{u"B", false}}},
    {"MustNotThenMust", u"A!(B)C", u"A", {{u"B", false}, {u"C", true}}},
    {"LeadingOnlyKeepsWholeText", u"!(B)A", u"!(B)A", {}},
    {"LeadingDropped", u"!(B)A!(C)", u"A", {{u"C", false}}},
    {"UnclosedNegatesTheRest", u"A!(B", u"A", {{u"B", false}}},
    {"Alternating", u"A!(B)C!(D)E", u"A", {{u"B", false}, {u"C", true}, {u"D", false}, {u"E", true}}},
    {"EmptyCondition", u"A!()", u"A", {{u"", false}}},
    {"EscapedCloseInside", u"A!(\\)B)", u"A", {{u"\\)B", false}}},
    {"BackslashNotConsideredForBang", u"A\\!(B)", u"A\\", {{u"B", false}}},
};

INSTANTIATE_TEST_SUITE_P(Table, SearcherSplit, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------

class SearcherDirect : public SearchFixture {};

TEST_F(SearcherDirect, AbsentSearchTextHasNoExpressionAndFindsNothing) {
  CUnicodeSearcher s(nullptr, nullptr);
  EXPECT_EQ(s.head, nullptr);
  EXPECT_EQ(s.GetSearchNode(0), nullptr);
  EXPECT_EQ(s.GetReplaceNode(0), nullptr);
  const std::u16string text = u"abc";
  int32_t lastLineEnd = 0, lineCount = 0;
  EXPECT_EQ(s.Search(text.data(), 6, 6, 0, 0, &lastLineEnd, &lineCount), -1);
  std::u16string found = u"junk", repl = u"junk";
  s.GetFoundText(found);
  s.GetReplacement(repl);
  EXPECT_EQ(found, u"");
  EXPECT_EQ(repl, u"");
}

TEST_F(SearcherDirect, ReturnsEndOfHitAndHitStart) {
  const std::u16string expr = u"cd";
  CUnicodeSearcher s(&expr, nullptr);
  const std::u16string text = u"abcdef";
  int32_t lastLineEnd = 0, lineCount = 0;
  EXPECT_EQ(s.Search(text.data(), 12, 12, 0, 0, &lastLineEnd, &lineCount), 8);
  EXPECT_EQ(s.hitStart, 4);
  std::u16string found;
  s.GetFoundText(found);
  EXPECT_EQ(found, u"cd");
}

TEST_F(SearcherDirect, LineStartAwayFromTextStartNeedsTwoToFourBreakUnits) {
  const std::u16string expr = u"^ab";
  const std::u16string crlf = u"x\r\nab";
  const std::u16string lf = u"x\nab";
  int32_t lastLineEnd = 0, lineCount = 0;
  {
    CUnicodeSearcher s(&expr, nullptr);
    EXPECT_EQ(s.Search(crlf.data(), 10, 10, 10, 0, &lastLineEnd, &lineCount), 10);
    EXPECT_EQ(s.hitStart, 6);
  }
  {
    CUnicodeSearcher s(&expr, nullptr);
    EXPECT_EQ(s.Search(lf.data(), 8, 8, 10, 0, &lastLineEnd, &lineCount), -1);
  }
}

TEST_F(SearcherDirect, FileStartOnlyWhenBothOffsetsAreZero) {
  const std::u16string expr = u"^^ab";
  const std::u16string text = u"ab";
  int32_t lastLineEnd = 0, lineCount = 0;
  CUnicodeSearcher atStart(&expr, nullptr);
  EXPECT_EQ(atStart.Search(text.data(), 4, 4, 0, 0, &lastLineEnd, &lineCount), 4);
  // A line start after a byte-order mark (offset 2) is a text start, a file start is not.
  CUnicodeSearcher afterMark(&expr, nullptr);
  EXPECT_EQ(afterMark.Search(text.data(), 4, 4, 0, 2, &lastLineEnd, &lineCount), -1);
  const std::u16string lineStart = u"^ab";
  CUnicodeSearcher lineAfterMark(&lineStart, nullptr);
  EXPECT_EQ(lineAfterMark.Search(text.data(), 4, 4, 0, 2, &lastLineEnd, &lineCount), 4);
  CUnicodeSearcher later(&expr, nullptr);
  EXPECT_EQ(later.Search(text.data(), 4, 4, 6, 0, &lastLineEnd, &lineCount), -1);
}

TEST_F(SearcherDirect, LastLineEndKeepsBreaksFromBeingCountedTwice) {
  const std::u16string expr = u"x";
  const std::u16string text = u"a\nb\nx";
  CUnicodeSearcher s(&expr, nullptr);
  int32_t lastLineEnd = 2, lineCount = 0;
  EXPECT_EQ(s.Search(text.data(), 10, 10, 0, 0, &lastLineEnd, &lineCount), 10);
  EXPECT_EQ(lineCount, 1);
  EXPECT_EQ(lastLineEnd, 6);
}

TEST_F(SearcherDirect, EndOfTextLineFeedOnlyBelow102400Bytes) {
  const std::u16string expr = u"x$";
  // 51200 units are 102400 bytes: no line feed is supplied, so the final x has no line end.
  const std::u16string atLimit = std::u16string(51199, u'a') + u"x";
  const std::u16string belowLimit = std::u16string(51198, u'a') + u"x";
  CEvalModel model;
  Evaluate(model, expr, u"", atLimit);
  EXPECT_TRUE(model.m_aHits.empty());
  Evaluate(model, expr, u"", belowLimit);
  ASSERT_EQ(model.m_aHits.size(), 1u);
  EXPECT_EQ(model.m_aHits[0].m_nPos, 2 * 51198);
}

TEST_F(SearcherDirect, VirtualLineFeedHidesTheUnitAfterAWindowAndWritesNothing) {
  // The buffer is a window into a longer text: the supplied line feed stands
  // after the window, in place of the 'b' that the scan must not see or change.
  const std::u16string text = u"aaXbb";
  const std::u16string copy = text;
  const std::u16string expr = u"X$";
  CUnicodeSearcher s(&expr, nullptr);
  int32_t lastLineEnd = 0, lineCount = 0;
  EXPECT_EQ(s.Search(text.data() + 2, 2, 2, 0, 0, &lastLineEnd, &lineCount), 2);
  EXPECT_EQ(text, copy);
}

TEST_F(SearcherDirect, ExactSizeBuffersAreNeverReadOutside) {
  // Heap buffers without a terminator slot: a read past either end is an
  // AddressSanitizer report.
  struct Case {
    std::u16string expr;
    std::u16string text;
    int32_t end;
  };
  const Case cases[] = {
      {u"x$", u"ax", 4}, {u"?ab", u"ab", -1}, {u"*ab", u"ab", 4}, {u"$", u"ab", 6}, {u"ab$$", u"ab", 4},
      {u"a\r", u"a\r", 4}, {u"x", u"\r", -1},
  };
  for (const Case& c : cases) {
    auto buf = std::make_unique<char16_t[]>(c.text.size());
    std::copy(c.text.begin(), c.text.end(), buf.get());
    CUnicodeSearcher s(&c.expr, nullptr);
    int32_t lastLineEnd = 0, lineCount = 0;
    const auto bytes = static_cast<int32_t>(2 * c.text.size());
    EXPECT_EQ(s.Search(buf.get(), bytes, bytes, 0, 0, &lastLineEnd, &lineCount), c.end) << Show(c.expr);
    EXPECT_EQ(std::u16string(buf.get(), c.text.size()), c.text);
  }
}

TEST_F(SearcherDirect, MaxMatchLengthIsCapped) {
  struct Case {
    std::u16string expr;
    int32_t length;
  };
  const Case cases[] = {{u"ab", 8}, {u"a?", 8}, {u"+[a]", 10240}, {u"*", 10240}};
  for (const Case& c : cases) {
    CUnicodeSearcher s(&c.expr, nullptr);
    EXPECT_EQ(s.GetMaxMatchLength(), c.length) << Show(c.expr);
  }
}

TEST_F(SearcherDirect, NodesAndElementsByIndex) {
  const std::u16string expr = u"ab*cd";
  const std::u16string repl = u"a%1b";
  CUnicodeSearcher s(&expr, &repl);
  ASSERT_NE(s.GetSearchNode(2), nullptr);
  EXPECT_EQ(s.GetSearchNode(0)->source, u"ab");
  EXPECT_EQ(s.GetSearchNode(1)->source, u"*");
  EXPECT_EQ(s.GetSearchNode(2)->source, u"cd");
  EXPECT_EQ(s.GetSearchNode(3), nullptr);
  EXPECT_EQ(s.GetSearchNode(-1), nullptr);
  EXPECT_EQ(s.lastNode, s.GetSearchNode(2));
  ASSERT_NE(s.GetReplaceNode(2), nullptr);
  EXPECT_EQ(s.GetReplaceNode(1)->source, u"%1");
  EXPECT_EQ(s.GetReplaceNode(1)->Referenced(), s.GetSearchNode(1));
  EXPECT_EQ(s.GetReplaceNode(3), nullptr);
  EXPECT_EQ(s.GetReplaceNode(-1), nullptr);
}

TEST_F(SearcherDirect, ByteFormsAreTheUnitsLowByteFirst) {
  const std::u16string expr = u"\u00e9\u20ac";
  const std::u16string repl = u"\u0141";
  const std::u16string text = u"x\u00e9\u20ac";
  g_bCaseSensitive = 1;
  CUnicodeSearcher s(&expr, &repl);
  int32_t lastLineEnd = 0, lineCount = 0;
  ASSERT_EQ(s.Search(text.data(), 6, 6, 0, 0, &lastLineEnd, &lineCount), 6);
  std::string bytes;
  s.GetFoundTextA(bytes);
  EXPECT_EQ(bytes, std::string("\xE9\x00\xAC\x20", 4));
  s.GetReplacementA(bytes);
  EXPECT_EQ(bytes, std::string("\x41\x01", 2));
}

TEST_F(SearcherDirect, ResetRestartsCountersOnlyWhenAsked) {
  const std::u16string expr = u"+[0-9]";
  const std::u16string repl = u"%1>5>";
  const std::u16string text = u"1";
  CUnicodeSearcher s(&expr, &repl);
  auto next = [&] {
    int32_t lastLineEnd = 0, lineCount = 0;
    EXPECT_EQ(s.Search(text.data(), 2, 2, 0, 0, &lastLineEnd, &lineCount), 2);
    std::u16string out;
    s.GetReplacement(out);
    return out;
  };
  EXPECT_EQ(next(), u"6");
  EXPECT_EQ(next(), u"7");
  s.Reset(false);
  EXPECT_EQ(next(), u"8");
  s.Reset(true);
  EXPECT_EQ(next(), u"6");
}

TEST_F(SearcherDirect, ResetMakesALineStartHeadOptional) {
  const std::u16string expr = u"^a";
  CUnicodeSearcher s(&expr, nullptr);
  s.head->op = u'?';
  s.Reset(false);
  EXPECT_EQ(s.head->op, u'*');
}

TEST_F(SearcherDirect, CompileErrorsReachTheCallerFromMainPartAndConditions) {
  // Conditions are built before the main part fails or after it; nothing leaks either way.
  for (const std::u16string expr : {u"[-a]", u"[-a]!(b)", u"a!([-b])", u"a!(b)[-c]", u"a!(b)c!([-d])"}) {
    EXPECT_THROW(CUnicodeSearcher(&expr, nullptr), CExpressionError) << Show(expr);
  }
}

class UnixProfile : public CSearchProfile {
public:
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const override {
    return section == u"Flags" && entry == u"UNIX RegExp" ? 1 : defaultValue;
  }
};

TEST_F(SearcherDirect, UnixProfileTranslatesMainPartAndConditions) {
  const UnixProfile profile;
  SetSearchProfile(&profile);
  CEvalModel model;
  Evaluate(model, u"[0-9]+(5)!", u"", u"a123b456c");
  ASSERT_NE(model.m_pSearcher, nullptr);
  EXPECT_EQ(Show(model.m_pSearcher->expressionText), "+[0-9]");
  EXPECT_EQ(Hits(model), (std::vector<SimpleHit>{{2, u"123"}})) << ShowHits(Hits(model));
  SetSearchProfile(nullptr);
  Evaluate(model, u"[0-9]+", u"", u"a123b");
  EXPECT_EQ(Show(model.m_pSearcher->expressionText), "[0-9]+");
}

}  // namespace
