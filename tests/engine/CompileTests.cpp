// Compiling expressions: whole chains as golden dumps, sets, the one error,
// sources that give back the compiled text, and the helpers around them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Match.h"
#include "engine/TextUtil.h"
#include "engine/UnicodeExpression.h"

namespace {

// Compiling reads the case flag; these tests compile case-sensitively unless told.
class Compile : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = g_bCaseSensitive;
    g_bCaseSensitive = 1;
  }
  void TearDown() override { g_bCaseSensitive = saved_; }

  static std::string DumpOf(const std::u16string& text) {
    const CUnicodeExpression head(&text);
    return Dump(&head);
  }

private:
  int32_t saved_ = 0;
};

struct GoldenCase {
  const char16_t* text;
  const char* dump;
};

TEST_F(Compile, GoldenChains) {
  const GoldenCase cases[] = {
      {u"", "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"\" source=\"\"\n"},
      {u"abc*def",
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"abc\" source=\"abc\"\n"
       "op=* orig=* 0..32767 set=1 any=1 stop=1 chars=\"\" source=\"*\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"def\" source=\"def\"\n"},
      {u"+3-5[0-9]x",
       "op=+ orig=+ 3..5 set=1 any=0 stop=0 chars=\"0123456789\" source=\"+3-5[0-9]\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"x\" source=\"x\"\n"},
      {u"*(cat|dog)s",
       "op=* orig=* 0..32767 set=0 any=0 stop=0 chars=\"cat\" source=\"*(cat|dog)\"\n"
       "  | op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"dog\" source=\"dog\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"s\" source=\"s\"\n"},
      {u"(a*b)", "op=? orig=? 1..1 set=0 any=0 stop=0 chars=\"a*b\" source=\"(a*b)\"\n"},
      {u"^^Title",
       "op=? orig=^ 1..2 set=1 any=0 stop=0 chars=\"\\r\\n\" source=\"^^\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"Title\" source=\"Title\"\n"},
      {u"a\\*b", "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"a*b\" source=\"a\\\\*b\"\n"},
      {u"a\\\\*b",
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"a\\\\\" source=\"a\\\\\\\\\"\n"
       "op=* orig=* 0..32767 set=1 any=1 stop=1 chars=\"\" source=\"*\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"b\" source=\"b\"\n"},
      {u"[a]*",
       "op=? orig=? 1..1 set=1 any=0 stop=0 chars=\"a\" source=\"[a]\"\n"
       "op=* orig=* 0..32767 set=1 any=1 stop=1 chars=\"\" source=\"*\"\n"},
      {u"*3[0-9]",
       "op=* orig=* 0..32767 set=1 any=1 stop=1 chars=\"\" source=\"*\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"3\" source=\"3\"\n"
       "op=? orig=? 1..1 set=1 any=0 stop=0 chars=\"0123456789\" source=\"[0-9]\"\n"},
      {u"+ 3[a]", "op=+ orig=+ 3..3 set=1 any=0 stop=0 chars=\"a\" source=\"+ 3[a]\"\n"},
      {u"(a|)", "op=? orig=? 1..1 set=0 any=0 stop=0 chars=\"a\" source=\"(a|)\"\n"},
      {u"(a||b)",
       "op=? orig=? 1..1 set=0 any=0 stop=0 chars=\"a\" source=\"(a||b)\"\n"
       "  | op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"\" source=\"\"\n"
       "  | op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"b\" source=\"b\"\n"},
      {u"(|a)",
       "op=? orig=? 1..1 set=0 any=0 stop=0 chars=\"\" source=\"(|a)\"\n"
       "  | op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"a\" source=\"a\"\n"},
      {u"(a\\|b)",
       "op=? orig=? 1..1 set=0 any=0 stop=0 chars=\"a\" source=\"(a\\\\|b)\"\n"
       "  | op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"b\" source=\"b\"\n"},
      {u"(x[y)+z",
       "op=? orig=? 1..1 set=0 any=0 stop=0 chars=\"x[y\" source=\"(x[y)\"\n"
       "op=+ orig=+ 1..32767 set=1 any=1 stop=1 chars=\"\" source=\"+\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"z\" source=\"z\"\n"},
      // Unclosed brackets take the whole remaining text, and keep it as their source.
      {u"(abc", "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"(abc\" source=\"(abc\"\n"},
      {u"[abca", "op=0 orig=0 1..1 set=1 any=0 stop=0 chars=\"[abc\" source=\"[abca\"\n"},
      {u"*[abc", "op=* orig=* 0..32767 set=1 any=0 stop=0 chars=\"[abc\" source=\"*[abc\"\n"},
      {u"+2(ab", "op=+ orig=+ 2..2 set=0 any=0 stop=0 chars=\"(ab\" source=\"+2(ab\"\n"},
      {u"x$$",
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"x\" source=\"x\"\n"
       "op=? orig=$ 1..2 set=1 any=0 stop=0 chars=\"\\r\\n\" source=\"$$\"\n"},
      {u"$x^", 
       "op=? orig=$ 1..2 set=1 any=0 stop=0 chars=\"\\r\\n\" source=\"$\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"x\" source=\"x\"\n"
       "op=? orig=^ 1..2 set=1 any=0 stop=0 chars=\"\\r\\n\" source=\"^\"\n"},
      // '+' counts.
      {u"++[a]", "op=+ orig=+ 1..32767 set=1 any=0 stop=0 chars=\"a\" source=\"++[a]\"\n"},
      {u"+-[a]", "op=+ orig=+ 1..1 set=1 any=0 stop=0 chars=\"a\" source=\"+-[a]\"\n"},
      {u"+-4[a]", "op=+ orig=+ 1..4 set=1 any=0 stop=0 chars=\"a\" source=\"+-4[a]\"\n"},
      {u"+2-[a]", "op=+ orig=+ 2..2 set=1 any=0 stop=0 chars=\"a\" source=\"+2-[a]\"\n"},
      {u"+5-2[a]", "op=+ orig=+ 5..5 set=1 any=0 stop=0 chars=\"a\" source=\"+5-2[a]\"\n"},
      {u"+4+[a]", "op=+ orig=+ 4..32767 set=1 any=0 stop=0 chars=\"a\" source=\"+4+[a]\"\n"},
      {u"+0[a]", "op=+ orig=+ 1..1 set=1 any=0 stop=0 chars=\"a\" source=\"+0[a]\"\n"},
      {u"+99999[a]", "op=+ orig=+ 32767..32767 set=1 any=0 stop=0 chars=\"a\" source=\"+99999[a]\"\n"},
      {u"+ [a]",
       "op=+ orig=+ 1..32767 set=1 any=1 stop=1 chars=\"\" source=\"+\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\" \" source=\" \"\n"
       "op=? orig=? 1..1 set=1 any=0 stop=0 chars=\"a\" source=\"[a]\"\n"},
      // A wildcard keeps only the count's maximum, but its source keeps the count.
      {u"+3", "op=+ orig=+ 1..3 set=1 any=1 stop=1 chars=\"\" source=\"+3\"\n"},
      {u"+3+", "op=+ orig=+ 1..32767 set=1 any=1 stop=1 chars=\"\" source=\"+3+\"\n"},
      {u"+2-4x",
       "op=+ orig=+ 1..4 set=1 any=1 stop=1 chars=\"\" source=\"+2-4\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"x\" source=\"x\"\n"},
      {u"+3(ab)", "op=+ orig=+ 3..3 set=0 any=0 stop=0 chars=\"ab\" source=\"+3(ab)\"\n"},
      {u"?(a)", "op=? orig=? 1..1 set=0 any=0 stop=0 chars=\"a\" source=\"?(a)\"\n"},
      {u"[(a)]",
       "op=? orig=? 1..1 set=1 any=0 stop=0 chars=\"(a\" source=\"[(a)\"\n"
       "op=0 orig=0 1..1 set=0 any=0 stop=0 chars=\"]\" source=\"]\"\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(DumpOf(c.text), c.dump) << "expression: " << ToUtf8(c.text);
}

TEST_F(Compile, AbsentTextLeavesTheNodeUntouched) {
  const CUnicodeExpression node;
  EXPECT_EQ(Dump(&node), "op=0 orig=0 1..32767 set=0 any=0 stop=0 chars=\"\" source=\"\"\n");
  EXPECT_EQ(node.counterValue, static_cast<int32_t>(0xf409c550u));
  EXPECT_EQ(node.counterStart, static_cast<int32_t>(0xf409c550u));
  EXPECT_EQ(node.counterEnabled, 1);
  EXPECT_EQ(node.matchStart, -1);
  EXPECT_EQ(node.matchEnd, -1);
}

struct SetCase {
  const char16_t* text;
  std::u16string members;
  int anyChar;
  int numeric;
};

TEST_F(Compile, SetMembers) {
  const SetCase cases[] = {
      {u"[a-cx]", u"abcx", 0, 0},
      {u"[ab-d]", u"bcda", 0, 0},
      {u"[a-]", u"a-", 0, 0},
      {u"[-]", u"-", 0, 1},
      {u"[a\\-z]", u"abcdefghijklmnopqrstuvwxyz", 0, 0},
      {u"[z-a]", u"", 1, 0},
      {u"[z-ab]", u"b", 1, 0},
      {u"[\\\\a-c]", u"abc\\", 0, 0},
      {u"[a-\\0x7a]", u"abcdefghijklmnopqrstuvwxyz", 0, 0},
      {u"[]", u"", 1, 0},
      {u"[\\0]", u"", 1, 0},
      {u"[0-9.]", u"0123456789.", 0, 1},
      {u"[+-]", u"+-", 0, 1},
      {u"[0-9a]", u"0123456789a", 0, 0},
      {u"[aab]", u"ab", 0, 0},
      {u"[a-\\tb]", u"b", 1, 0},                // the range ends at TAB, below 'a'
      {u"[\\0x2da-c]", u"abc-", 0, 0},          // the decoded part before the range is not decoded again
      {u"[a-\\0xgh]", u"0xgh", 1, 0},           // no number: the text goes on after the backslash
  };
  for (const auto& c : cases) {
    const std::u16string text = c.text;
    const CUnicodeExpression node(&text);
    EXPECT_EQ(ToUtf8(node.chars), ToUtf8(c.members)) << ToUtf8(c.text);
    EXPECT_EQ(node.anyChar, c.anyChar) << ToUtf8(c.text);
    EXPECT_EQ(node.isNumeric, c.numeric) << ToUtf8(c.text);
    EXPECT_EQ(node.isSet, 1) << ToUtf8(c.text);
  }
  // A range may end at U+FFFF and stops there.
  const std::u16string top = std::u16string(u"[") + char16_t{0xFFFD} + u"-" + char16_t{0xFFFF} + u"]";
  const CUnicodeExpression node(&top);
  EXPECT_EQ(node.chars, (std::u16string{char16_t{0xFFFD}, char16_t{0xFFFE}, char16_t{0xFFFF}}));
}

TEST_F(Compile, RangeWithoutStartIsTheOneError) {
  for (const char16_t* text : {u"[-a]", u"[\\0-a]", u"x*[-a]y", u"(a|b)[b-c-d]"}) {
    const std::u16string t = text;
    try {
      const CUnicodeExpression head(&t);
      ADD_FAILURE() << "compiled: " << ToUtf8(t);
    } catch (const CExpressionError& e) {
      EXPECT_EQ(e.Code(), 0x80070057u);
      const std::string message = e.what();
      EXPECT_NE(message.find("has no start"), std::string::npos) << message;
    }
  }
  const std::u16string t = u"[-a]";
  EXPECT_THROW(CUnicodeExpression{&t}, std::invalid_argument);
  try {
    const CUnicodeExpression head(&t);
  } catch (const CExpressionError& e) {
    EXPECT_STREQ(e.what(), "the character range in '[-a]' has no start");
  }
}

TEST_F(Compile, SourcesGiveBackTheText) {
  const char16_t* texts[] = {
      u"(abc",    u"*[abc",     u"+3",        u"+3-5x",    u"+ [a]",    u"++[a]",     u"x$$",
      u"^^",      u"$$$",       u"^$^",       u"(a|b",     u"[a-c]*",   u"\\",        u"a\\",
      u"+-",      u"+",         u"*",         u"?",        u"+3+x",     u"(a)(b)",    u"])|",
      u"+2-9(ab)c*d", u"a(b[c", u"[(x)]y",    u"*3[0-9]",  u"+ 7",      u"+-3-",      u"\\(\\[",
      u"(|)",     u"+()",       u"[]?[]",     u"+0x10[a]", u"+\t3(q)",  u"x+99999999999y",
  };
  for (const char16_t* text : texts) {
    const std::u16string t = text;
    const CUnicodeExpression head(&t);
    std::u16string joined;
    for (const CUnicodeExpression* n = &head; n != nullptr; n = n->next) joined += n->source;
    EXPECT_EQ(ToUtf8(joined), ToUtf8(t));
  }
}

TEST_F(Compile, CaseInsensitiveFoldsEveryNode) {
  g_bCaseSensitive = 0;
  const std::u16string t = u"ab*[x-z\u00e9](cd|\u00e9f)";
  const CUnicodeExpression head(&t);
  EXPECT_EQ(head.chars, u"AB");
  ASSERT_NE(head.next, nullptr);
  EXPECT_EQ(head.next->chars, u"XYZ\u00c9");  // '*' repeats the set
  const CUnicodeExpression* group = head.next->next;
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->chars, u"CD");
  ASSERT_NE(group->alternative, nullptr);
  EXPECT_EQ(group->alternative->chars, u"\u00c9F");
}

TEST_F(Compile, OperatorLast) {
  struct Case {
    const char16_t* text;
    const char16_t* out;
    bool moved;
  };
  const Case cases[] = {
      {u"+3[0-9]", u"3[0-9]+", true}, {u"*[0-9]", u"[0-9]*", true}, {u"?(a|b)", u"(a|b)?", true},
      {u"abc", u"abc", false},        {u"[0-9]", u"[0-9]", false},  {u"^^", u"^^", false},
  };
  for (const auto& c : cases) {
    const std::u16string t = c.text;
    const CUnicodeExpression node(&t);
    std::u16string out;
    EXPECT_EQ(node.OperatorLast(out), c.moved) << ToUtf8(c.text);
    EXPECT_EQ(ToUtf8(out), ToUtf8(c.out));
  }
}

TEST_F(Compile, LinkAlternativesGivesEachAlternativeTheGroupsNeighbours) {
  const std::u16string t = u"x(a|b|c)y(d|e)";
  CUnicodeExpression head(&t);
  CUnicodeExpression* group = head.next;
  CUnicodeExpression* y = group->next;
  CUnicodeExpression::LinkAlternatives(&head, false);
  for (CUnicodeExpression* a = group->alternative; a != nullptr; a = a->alternative) {
    EXPECT_EQ(a->prev, &head);
    EXPECT_EQ(a->next, y);
  }
  EXPECT_EQ(y->next->alternative->prev, y);
  EXPECT_EQ(y->next->alternative->next, nullptr);
  CUnicodeExpression::LinkAlternatives(&head, true);
  for (CUnicodeExpression* a = group->alternative; a != nullptr; a = a->alternative) {
    EXPECT_EQ(a->prev, nullptr);
    EXPECT_EQ(a->next, nullptr);
  }
  // Linked again and destroyed linked: alternatives never delete their group's neighbours (ASan).
  CUnicodeExpression::LinkAlternatives(&head, false);
}

TEST_F(Compile, SubExpressionNumbers) {
  struct Case {
    const char16_t* text;
    std::vector<std::string> sources;  // number 1, 2, ...
  };
  const Case cases[] = {
      {u"abc*[0-9](x|y)def", {"*[0-9]", "(x|y)"}},
      {u"abc*x[0-9](x|y)def", {"*", "[0-9]", "(x|y)"}},
      {u"x[ab", {"[ab"}},  // an unclosed set without an operator still counts
      {u"^a(b)$$", {"^", "(b)", "$$"}},
      {u"plain", {}},
  };
  for (const auto& c : cases) {
    const std::u16string t = c.text;
    CUnicodeExpression head(&t);
    for (size_t k = 0; k < c.sources.size(); ++k) {
      const CUnicodeExpression* n = SubExpression(&head, static_cast<int32_t>(k + 1));
      ASSERT_NE(n, nullptr) << ToUtf8(t) << " #" << k + 1;
      EXPECT_EQ(ToUtf8(n->source), c.sources[k]) << ToUtf8(t) << " #" << k + 1;
    }
    EXPECT_EQ(SubExpression(&head, static_cast<int32_t>(c.sources.size() + 1)), nullptr) << ToUtf8(t);
    EXPECT_EQ(SubExpression(&head, 0), nullptr);
  }
}

}  // namespace
