// Hostile expressions for the compiler and the matcher: very long chains of
// every element kind, groups with very many alternatives, deeply repeated
// brackets and backslashes, every 16-bit unit in every position, and counts
// and escapes beyond the 32-bit range. Each must compile (or raise the one
// compile error), keep its text in the nodes' sources, match a text without
// reading outside it, and be destroyed without exhausting the stack.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "engine/Match.h"
#include "engine/TextUtil.h"
#include "engine/UnicodeExpression.h"

namespace {

std::u16string Repeat(std::u16string_view piece, size_t times) {
  std::u16string s;
  s.reserve(piece.size() * times);
  for (size_t i = 0; i < times; ++i) s += piece;
  return s;
}

std::u16string JoinedSources(const CUnicodeExpression* head) {
  std::u16string s;
  for (const CUnicodeExpression* n = head; n != nullptr; n = n->next) s += n->source;
  return s;
}

size_t CountNodes(const CUnicodeExpression* head) {
  size_t n = 0;
  for (; head != nullptr; head = head->next) ++n;
  return n;
}

// Keeps the case flag and the scan window as each test found them.
class HostileExpression : public ::testing::Test {
protected:
  void SetUp() override {
    savedCase_ = g_bCaseSensitive;
    g_bCaseSensitive = 0;
  }
  void TearDown() override {
    g_bCaseSensitive = savedCase_;
    g_nScanStart = g_nScanEnd = -1;
  }

  // Compiles as the searcher does, orders the chain, makes one attempt over the
  // whole of text and destroys the chain; returns the node count.
  static size_t CompileAndMatch(const std::u16string& expression, const std::u16string& text) {
    auto* head = new CUnicodeExpression(&expression);
    CUnicodeExpression::LinkAlternatives(head, false);
    const size_t nodes = CountNodes(head);
    EXPECT_EQ(JoinedSources(head), expression) << "the sources must give back the expression";
    CUnicodeExpression* first = BuildMatchOrder(head);
    const int32_t count = static_cast<int32_t>(2 * text.size());
    const int32_t longest = MaxMatchLength(head);
    EXPECT_GE(longest, 0) << "lengths saturate instead of overflowing";
    EXPECT_GE(LongestPossible(head, true), 0);
    g_nScanStart = 0;
    g_nScanEnd = count;
    if (first != nullptr) {
      MatchNode(first, CTextView(text), count, -1, -1);
      for (const CUnicodeExpression* n = head; n != nullptr; n = n->next) {
        EXPECT_LE(n->matchText.size(), text.size() + 1) << "a node matched more than the text holds";
      }
    }
    ResetMatch(head, true);
    delete head;
    return nodes;
  }

private:
  int32_t savedCase_ = 0;
};

constexpr size_t kElements = 200000;

struct LongCase {
  const char* name;
  std::u16string piece;   // one element (or a few), repeated
  size_t repeats;
  size_t nodes;           // nodes expected in the chain
};

class LongChains : public HostileExpression, public ::testing::WithParamInterface<LongCase> {};

TEST_P(LongChains, CompileMatchAndDestroy) {
  const LongCase& c = GetParam();
  const std::u16string expression = Repeat(c.piece, c.repeats);
  EXPECT_EQ(CompileAndMatch(expression, u"ab\r\nab[a]1x\n"), c.nodes);
}

INSTANTIATE_TEST_SUITE_P(
    TwoHundredThousandElements, LongChains,
    ::testing::Values(LongCase{"literal_and_wildcard", u"a?", kElements / 2, kElements},
                      LongCase{"sets", u"[ab]", kElements, kElements},
                      LongCase{"groups", u"(a|b)", kElements, kElements},
                      LongCase{"counted_sets", u"+2-3[a]", kElements, kElements},
                      LongCase{"counted_wildcards", u"+99999999999x", kElements / 2, kElements},
                      LongCase{"anchors", u"^$", kElements / 2, kElements},
                      LongCase{"file_anchors", u"^^$$", kElements / 2, kElements}),
    [](const auto& info) { return std::string(info.param.name); });

// Elements that may match nothing are never placed: their rooms were once
// found by walking all of their followers, which made one attempt cost the
// square of the chain's length (16,000 '*' took seconds, 200,000 hung).
INSTANTIATE_TEST_SUITE_P(
    ZeroMinimumElements, LongChains,
    ::testing::Values(LongCase{"stars", u"*", kElements, kElements},
                      LongCase{"empty_groups", u"*()", kElements, kElements},
                      LongCase{"starred_sets", u"*[a]", kElements, kElements}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostileExpression, GroupWithAHundredThousandAlternatives) {
  const std::u16string expression = u"(" + Repeat(u"a|", 100000) + u"b)";
  auto* head = new CUnicodeExpression(&expression);
  CUnicodeExpression::LinkAlternatives(head, false);
  size_t alternatives = 0;
  for (const CUnicodeExpression* a = head->alternative; a != nullptr; a = a->alternative) ++alternatives;
  EXPECT_EQ(alternatives, 100000u);
  EXPECT_EQ(head->source, expression);
  EXPECT_GE(MaxMatchLength(head), 2);
  EXPECT_GE(LongestPossible(head, true), 2);
  // Every alternative is tried in turn; the last one matches.
  const std::u16string text = u"xb";
  CUnicodeExpression* first = BuildMatchOrder(head);
  g_nScanStart = 0;
  g_nScanEnd = 4;
  EXPECT_TRUE(MatchNode(first, CTextView(text), 4, -1, -1));
  EXPECT_EQ(head->matchText, u"b");  // the text's own unit, compared folded
  EXPECT_EQ(head->matchStart, 2);
  ResetMatch(head, true);
  delete head;
}

struct BracketCase {
  const char* name;
  std::function<std::u16string()> make;
};

class DeepBrackets : public HostileExpression, public ::testing::WithParamInterface<BracketCase> {};

TEST_P(DeepBrackets, CompileMatchAndDestroy) {
  const std::u16string expression = GetParam().make();
  EXPECT_GE(CompileAndMatch(expression, u"((([[[a]]])))\\\\"), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Repeated, DeepBrackets,
    ::testing::Values(
        BracketCase{"open_parens", [] { return Repeat(u"(", kElements); }},
        BracketCase{"open_brackets", [] { return Repeat(u"[", kElements); }},
        BracketCase{"close_parens", [] { return Repeat(u")", kElements); }},
        BracketCase{"close_brackets", [] { return Repeat(u"]", kElements); }},
        BracketCase{"nested_parens", [] { return Repeat(u"(", kElements / 2) + Repeat(u")", kElements / 2); }},
        BracketCase{"nested_brackets", [] { return Repeat(u"[", kElements / 2) + Repeat(u"]", kElements / 2); }},
        BracketCase{"starred_open_parens", [] { return Repeat(u"*(", kElements / 2); }},
        BracketCase{"mixed_open", [] { return Repeat(u"[(", kElements / 2); }},
        BracketCase{"backslashes_then_star", [] { return Repeat(u"\\", kElements) + u"*a"; }},
        BracketCase{"escaped_stars", [] { return u"a" + Repeat(u"\\*", kElements / 2); }},
        BracketCase{"numeric_escapes", [] { return Repeat(u"\\0x41", kElements / 5); }},
        BracketCase{"set_of_ranges", [] { return u"[" + Repeat(u"a-z", kElements / 3) + u"]"; }},
        BracketCase{"bars_in_group", [] { return u"(" + Repeat(u"|", kElements) + u")"; }}),
    [](const auto& info) { return std::string(info.param.name); });

// Every 16-bit unit, lone surrogates, U+0000 and U+FFFF included, as a literal,
// inside a set, inside a group and after an operator: each compiles, keeps
// its text in the sources and matches a small text without reading outside it.
TEST_F(HostileExpression, EveryUnitInEveryPosition) {
  const std::u16string text = u"a\u0000\r\n\xD800\xDFFF\xFFFF";
  for (uint32_t v = 0; v <= 0xFFFF; ++v) {
    const char16_t u = static_cast<char16_t>(v);
    const std::u16string forms[] = {std::u16string(1, u), u"a" + std::u16string(1, u) + u"b",
                                    u"[" + std::u16string(1, u) + u"]", u"(" + std::u16string(1, u) + u"|x)",
                                    u"+" + std::u16string(1, u), u"*[a" + std::u16string(1, u)};
    for (const std::u16string& expression : forms) {
      auto* head = new CUnicodeExpression(&expression);
      CUnicodeExpression::LinkAlternatives(head, false);
      ASSERT_EQ(JoinedSources(head), expression) << "unit " << v;
      CUnicodeExpression* first = BuildMatchOrder(head);
      g_nScanStart = 0;
      g_nScanEnd = static_cast<int32_t>(2 * text.size());
      MatchNode(first, CTextView(text), g_nScanEnd, -1, -1);
      delete head;
    }
  }
}

// A set listing one unit matches that unit and no other; U+0000 never.
TEST_F(HostileExpression, EverySingleUnitSetMatchesItsUnit) {
  g_bCaseSensitive = 1;
  for (uint32_t v = 0; v <= 0xFFFF; ++v) {
    const char16_t u = static_cast<char16_t>(v);
    if (u == u']' || u == u'\\' || u == u'[' || u == u'(') continue;  // need escaping; covered above
    const std::u16string expression = u"[" + std::u16string(1, u) + u"]";
    const std::u16string text = std::u16string(1, u);
    CUnicodeExpression head(&expression);
    CUnicodeExpression* first = BuildMatchOrder(&head);
    g_nScanStart = 0;
    g_nScanEnd = 2;
    const bool matched = MatchNode(first, CTextView(text), 2, -1, -1);
    ASSERT_EQ(matched, v != 0) << "unit " << v;
  }
}

struct CountCase {
  const char* name;
  std::u16string expression;
  int32_t minCount;
  int32_t maxCount;
  std::u16string firstSource;
};

class CountsBeyond32Bits : public HostileExpression, public ::testing::WithParamInterface<CountCase> {};

TEST_P(CountsBeyond32Bits, ClampToTheRepetitionRange) {
  const CountCase& c = GetParam();
  CUnicodeExpression head(&c.expression);
  EXPECT_EQ(head.minCount, c.minCount);
  EXPECT_EQ(head.maxCount, c.maxCount);
  EXPECT_EQ(head.source, c.firstSource);
  EXPECT_EQ(JoinedSources(&head), c.expression);
  EXPECT_GE(MaxMatchLength(&head), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CountsBeyond32Bits,
    ::testing::Values(
        CountCase{"exact_2pow32", u"+4294967296[a]", 32767, 32767, u"+4294967296[a]"},
        CountCase{"exact_huge", u"+99999999999999999999(ab)", 32767, 32767, u"+99999999999999999999(ab)"},
        CountCase{"exact_negative_huge", u"+ -99999999999[a]", 1, 1, u"+ -99999999999[a]"},
        CountCase{"at_least_2pow31", u"+2147483648+[a]", 32767, 32767, u"+2147483648+[a]"},
        CountCase{"range_huge_min", u"+99999999999-3[a]", 32767, 32767, u"+99999999999-3[a]"},
        CountCase{"range_huge_max", u"+3-99999999999[a]", 3, 32767, u"+3-99999999999[a]"},
        CountCase{"range_negative_max", u"+3--99999999999[a]", 3, 3, u"+3--99999999999[a]"},
        CountCase{"at_most_huge", u"+-4294967297[a]", 1, 32767, u"+-4294967297[a]"},
        CountCase{"at_most_negative_huge", u"+--4294967297[a]", 1, 1, u"+--4294967297[a]"},
        CountCase{"wildcard_huge", u"+4294967297x", 1, 32767, u"+4294967297"},
        CountCase{"wildcard_range_huge", u"+3000000000-4000000000x", 1, 32767, u"+3000000000-4000000000"},
        CountCase{"star_ignores_count", u"*4294967296", 0, 32767, u"*"}),
    [](const auto& info) { return std::string(info.param.name); });

struct EscapeCase {
  const char* name;
  std::u16string expression;
  std::u16string chars;
};

class EscapesBeyond32Bits : public HostileExpression, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(EscapesBeyond32Bits, ReadAtMostFourCharacters) {
  g_bCaseSensitive = 1;
  const EscapeCase& c = GetParam();
  CUnicodeExpression head(&c.expression);
  EXPECT_EQ(head.next, nullptr);
  EXPECT_EQ(head.chars, c.chars);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EscapesBeyond32Bits,
    ::testing::Values(EscapeCase{"decimal_2pow32", u"\\4294967296", u"\u10C6" u"967296"},
                      EscapeCase{"hex_beyond", u"\\0x7FFFFFFF", u"\u007F" u"FFFFFF"},
                      EscapeCase{"octal_beyond", u"\\077777777777", u"\u01FF" u"77777777"},
                      EscapeCase{"sign_is_not_a_digit", u"\\-2147483648", u"-2147483648"},
                      EscapeCase{"unit_of_9999", u"\\9999", u"\u270F"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
