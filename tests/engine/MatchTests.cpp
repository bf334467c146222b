// Placing compiled chains over text: the worked example, the documented edge
// cases, repetitions of no width, buffer edges, the match order and lengths.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/Match.h"
#include "engine/TextUtil.h"
#include "engine/UnicodeExpression.h"

namespace {

// Spans and texts of every node along the chain, as "start,end'text'".
std::string Describe(const CUnicodeExpression* head, bool ok) {
  std::string s = ok ? "ok" : "no";
  for (const CUnicodeExpression* n = head; n != nullptr; n = n->next)
    s += " " + std::to_string(n->matchStart) + "," + std::to_string(n->matchEnd) + "'" + ToUtf8(n->matchText) + "'";
  return s;
}

std::string OrderOf(const CUnicodeExpression* first) {
  std::string s;
  for (const CUnicodeExpression* n = first; n != nullptr; n = n->nextInOrder) s += (s.empty() ? "" : " ") + ToUtf8(n->source);
  return s;
}

class Matching : public ::testing::Test {
protected:
  void SetUp() override {
    savedCase_ = g_bCaseSensitive;
    g_bCaseSensitive = 1;
  }
  void TearDown() override {
    g_bCaseSensitive = savedCase_;
    g_nScanStart = g_nScanEnd = -1;
  }

  // One attempt over the whole view as the searcher starts it: window 0 to the end.
  static std::string Attempt(const std::u16string& expression, const CTextView& view, std::string* order = nullptr) {
    CUnicodeExpression head(&expression);
    CUnicodeExpression::LinkAlternatives(&head, false);
    CUnicodeExpression* first = BuildMatchOrder(&head);
    if (order != nullptr) *order = OrderOf(first);
    const int32_t count = 2 * view.Size();
    g_nScanStart = 0;
    g_nScanEnd = count;
    const bool ok = MatchNode(first, view, count, -1, -1);
    return Describe(&head, ok);
  }
  static std::string Attempt(const std::u16string& expression, const std::u16string& text, std::string* order = nullptr) {
    return Attempt(expression, CTextView(text), order);
  }

private:
  int32_t savedCase_ = 1;
};

TEST_F(Matching, WorkedExample) {
  const std::u16string expression = u"ab*cd";
  const std::u16string text = u"xxab12cdyy";
  CUnicodeExpression head(&expression);
  CUnicodeExpression* first = BuildMatchOrder(&head);
  EXPECT_EQ(OrderOf(first), "ab cd *");
  g_nScanStart = 0;
  g_nScanEnd = 20;
  ASSERT_TRUE(MatchNode(first, CTextView(text), 20, -1, -1));
  const CUnicodeExpression* wildcard = head.next;
  const CUnicodeExpression* cd = wildcard->next;
  EXPECT_EQ(head.matchStart, 4);
  EXPECT_EQ(head.matchEnd, 7);
  EXPECT_EQ(wildcard->matchStart, 8);
  EXPECT_EQ(wildcard->matchEnd, 11);
  EXPECT_EQ(wildcard->repeatCount, 2);
  EXPECT_EQ(cd->matchStart, 12);
  EXPECT_EQ(cd->matchEnd, 15);
  EXPECT_EQ(head.matchText + wildcard->matchText + cd->matchText, u"ab12cd");
}

struct MatchCase {
  const char16_t* expression;
  const char16_t* text;
  const char* result;
  const char* order;
};

TEST_F(Matching, Table) {
  const MatchCase cases[] = {
      // A line break right after 'ab' is stepped over; the gap is the searcher's to refuse.
      {u"ab*cd", u"ab\n12cd", "ok 0,3'ab' 6,9'12' 10,13'cd'", "ab cd *"},
      // A line break inside the room stops the wildcard short: the gap to 'cd' fails the attempt.
      {u"ab*cd", u"ab1\n2cd", "no 0,3'ab' 4,5'' 10,13'cd'", "ab cd *"},
      {u"[0-9]", u"x5y", "ok 2,3'5'", "[0-9]"},
      {u"+2[0-9]", u"12345", "ok 0,3'12'", "+2[0-9]"},
      {u"+2-3[0-9]b", u"x1234b", "ok 4,9'234' 10,11'b'", "b +2-3[0-9]"},
      {u"a+2-3[0-9]b", u"a1234b", "no 0,1'a' 2,7'' 10,11'b'", "a b +2-3[0-9]"},
      {u"a+2-3[0-9]b", u"a12b", "ok 0,1'a' 2,5'12' 6,7'b'", "a b +2-3[0-9]"},
      // '+' repeats past its maximum and is then refused, so only the last three fit.
      {u"+3(ab)", u"abababab", "ok 4,15'ababab'", "+3(ab)"},
      // The first alternative that fits is taken, also backward.
      {u"*(cat|dog)s", u"a catdogs", "ok 4,15'catdog' 16,17's'", "s *(cat|dog)"},
      {u"(cat|ca)t", u"catt", "ok 0,3'ca' 4,5't'", "t (cat|ca)"},
      // A wildcard after placed text takes a line break by its shortcut; before it, it scans and refuses one.
      {u"x?ab", u"x\nab", "ok 0,1'x' 2,3'\n' 4,7'ab'", "x ? ab"},
      {u"?ab", u"\nab", "no -1,-1'' 2,5'ab'", "ab ?"},
      {u"[]", u"\n", "ok 0,1'\n'", "[]"},
      {u"?", u"\n", "no -1,-1''", "?"},
      {u"?", u"\x08", "no -1,-1''", "?"},
      {u"?", u"\x09", "ok 0,1'\t'", "?"},
      // '[z-ab]' lists only 'b', but it is also an any-character set for the shortcut.
      {u"[z-ab]x", u"Qx", "no -1,-1'' 2,3'x'", "x [z-ab]"},
      {u"x[z-ab]y", u"xQy", "ok 0,1'x' 2,3'Q' 4,5'y'", "x [z-ab] y"},
      {u"*abc", u"xy abc", "ok 0,5'xy ' 6,11'abc'", "abc *"},
      {u"x*", u"x", "ok 0,1'x' -2,-2''", "x *"},
      {u"x*", u"xab\ncd", "ok 0,1'x' 2,5'ab'", "x *"},
      {u"[a-c]*x", u"zabcx", "ok 2,3'a' 4,7'bc' 8,9'x'", "x [a-c] *"},
      {u"^ab", u"x\nab", "ok 2,3'\n' 4,7'ab'", "ab ^"},
      {u"ab$", u"ab\r\n", "ok 0,3'ab' 4,7'\r\n'", "ab $"},
      {u"a+(bc)d", u"abcbcd", "ok 0,1'a' 2,9'bcbc' 10,11'd'", "a d +(bc)"},
  };
  for (const auto& c : cases) {
    std::string order;
    EXPECT_EQ(Attempt(c.expression, c.text, &order), c.result) << ToUtf8(c.expression) << " over " << ToUtf8(c.text);
    EXPECT_EQ(order, c.order) << ToUtf8(c.expression);
  }
}

// Repetitions that succeed without consuming anything end instead of turning
// forever: the count jumps to its maximum, and a '+' element is refused.
TEST_F(Matching, RepetitionOfNoWidthEnds) {
  const MatchCase cases[] = {
      {u"+()", u"abc", "ok 4,3''", "+()"},
      {u"+(a|)", u"aab", "ok 0,3'aa'", "+(a|)"},  // a trailing '|' adds no empty alternative
      {u"*(|b)", u"bbb", "ok 0,1'b'", "*(|b)"},
      {u"+(|a)", u"aab", "ok 4,3''", "+(|a)"},
      {u"*(a||b)", u"aac", "ok 0,3'aa'", "*(a||b)"},
      {u"*()", u"ab", "ok 2,1''", "*()"},
      {u"x*(|b)", u"xbb", "ok 0,1'x' 2,1''", "x *(|b)"},
      {u"x+()", u"xbb", "ok 0,1'x' 2,1''", "x +()"},
      // Backward placement before placed text.
      {u"*(|b)x", u"bbx", "ok 4,3'' 4,5'x'", "x *(|b)"},
      {u"*(a||b)x", u"cax", "ok 2,3'a' 4,5'x'", "x *(a||b)"},
      {u"+(a||b)x", u"aax", "ok 0,-3'' 4,5'x'", "x +(a||b)"},
  };
  for (const auto& c : cases) {
    std::string order;
    EXPECT_EQ(Attempt(c.expression, c.text, &order), c.result) << ToUtf8(c.expression) << " over " << ToUtf8(c.text);
    EXPECT_EQ(order, c.order) << ToUtf8(c.expression);
  }
}

TEST_F(Matching, CaseInsensitiveFoldsBothSides) {
  g_bCaseSensitive = 0;
  for (const char16_t* expression : {u"\u00e9", u"\u00c9", u"[\u00e9]"}) {
    for (const char16_t* text : {u"\u00e9", u"\u00c9"}) {
      EXPECT_EQ(Attempt(expression, text).substr(0, 2), "ok") << ToUtf8(expression) << " over " << ToUtf8(text);
    }
  }
  EXPECT_EQ(Attempt(u"AbC", u"xaBc"), "ok 2,7'aBc'");
  EXPECT_EQ(Attempt(u"\u00df", u"SS"), "no -1,-1''");
  g_bCaseSensitive = 1;
  EXPECT_EQ(Attempt(u"abc", u"ABC"), "no -1,-1''");
}

TEST_F(Matching, ListedSetNeverTakesUnitZero) {
  const std::u16string expression = std::u16string(u"[a") + char16_t{0} + u"]";
  const std::u16string text(1, char16_t{0});
  EXPECT_EQ(Attempt(expression, text), "no -1,-1''");
}

// The matcher sees only its view: a unit before it or after it matches nothing,
// also when the view is a window into a longer text.
TEST_F(Matching, NothingOutsideTheView) {
  const std::u16string whole = u"bxab";
  // Backward placement of '[b]' from 'x' at the view's start reaches unit -1, which is 'b' in memory.
  EXPECT_EQ(Attempt(u"[b]x", CTextView(whole.data() + 1, 1)), "no -1,-1'' 0,1'x'");
  EXPECT_EQ(Attempt(u"[b]x", CTextView(whole.data(), 2)), "ok 0,1'b' 2,3'x'");
  // Forward past the end, with a limit beyond the view.
  const CTextView front(whole.data(), 3);  // "bxa"
  std::u16string ab = u"ab";
  CUnicodeExpression literal(&ab);
  int32_t pos = 4;
  MatchForward(&literal, front, 100, pos);
  EXPECT_EQ(pos, -1);
  std::u16string set = u"[ab]";
  CUnicodeExpression members(&set);
  pos = 4;
  MatchForward(&members, front, 100, pos);
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(members.matchText, u"a");
  // The wildcard's shortcut does not take units that are not there.
  std::u16string wild = u"+3x";
  CUnicodeExpression shortcut(&wild);
  shortcut.maxCount = 3;
  pos = 2;
  MatchForward(&shortcut, front, 100, pos);
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(shortcut.matchText, u"xa");
}

TEST_F(Matching, OddAndNegativePositionsAddressTheUnitThatHoldsThem) {
  const std::u16string text = u"abc";
  const CTextView view(text);
  std::u16string set = u"*[abc]";
  CUnicodeExpression node(&set);
  int32_t pos = 1;  // unit 0
  MatchForward(&node, view, 6, pos);
  EXPECT_EQ(pos, 4);  // limits are tested at 1 + 2k: two units fit below 6
  EXPECT_EQ(node.matchText, u"ab");
  ResetMatch(&node, false);
  pos = -1;  // also unit 0
  MatchForward(&node, view, 6, pos);
  EXPECT_EQ(node.matchText, u"abc");
  EXPECT_EQ(pos, 4);
}

TEST_F(Matching, EndOfTextLineFeedExistsOnlyInTheView) {
  const std::u16string text = u"ax";
  EXPECT_EQ(Attempt(u"x$", CTextView(text, true)), "ok 2,3'x' 4,5'\n'");
  EXPECT_EQ(Attempt(u"x$", CTextView(text, false)), "no 2,3'x' -1,-1''");
}

TEST_F(Matching, BuildMatchOrderFollowsChooseNext) {
  const char16_t* expressions[] = {
      u"ab*cd",       u"*a+2[0-9]?b", u"+3[a]x+2(b)*y", u"?*+?*+",  u"x+3(ab)?[c]*d", u"^a*b$",
      u"[a][b][c]",   u"+2[a]+3[b]",  u"(a|b)*(c|d)",   u"**a**",   u"+[a]+[b]?c",    u"",
  };
  for (const char16_t* text : expressions) {
    const std::u16string t = text;
    CUnicodeExpression head(&t);
    CUnicodeExpression* first = BuildMatchOrder(&head);
    std::vector<CUnicodeExpression*> fast;
    for (CUnicodeExpression* n = first; n != nullptr; n = n->nextInOrder) fast.push_back(n);
    std::vector<CUnicodeExpression*> slow;
    ResetMatch(&head, true);
    for (CUnicodeExpression* n = ChooseNext(&head); n != nullptr; n = ChooseNext(&head)) {
      n->matchStart = n->matchEnd = 0;
      slow.push_back(n);
    }
    ResetMatch(&head, true);
    EXPECT_EQ(fast, slow) << ToUtf8(t);
    size_t nodes = 0;
    for (CUnicodeExpression* n = &head; n != nullptr; n = n->next) ++nodes;
    EXPECT_EQ(fast.size(), nodes) << ToUtf8(t);
  }
  const std::u16string t = u"*a+2[0-9]?b";
  CUnicodeExpression head(&t);
  EXPECT_EQ(OrderOf(BuildMatchOrder(&head)), "a +2[0-9] ? b *");
}

TEST_F(Matching, NeighbourLookups) {
  const std::u16string t = u"a*b*c";
  CUnicodeExpression head(&t);
  CUnicodeExpression* n[5];
  n[0] = &head;
  for (int i = 1; i < 5; ++i) n[i] = n[i - 1]->next;
  g_nScanStart = 3;
  g_nScanEnd = 30;
  EXPECT_EQ(LowerBound(n[2]), 3);
  EXPECT_EQ(UpperBound(n[2]), 30);
  EXPECT_EQ(NextPlacedStart(n[2], 77), 77);
  EXPECT_FALSE(PrecedingPlaced(n[2]));
  n[0]->matchStart = 4;
  n[0]->matchEnd = 5;
  n[1]->matchStart = n[1]->matchEnd = -2;
  n[3]->matchStart = n[3]->matchEnd = -2;
  n[4]->matchStart = 10;
  n[4]->matchEnd = 11;
  EXPECT_EQ(LowerBound(n[2]), 6);
  EXPECT_EQ(UpperBound(n[2]), 10);
  EXPECT_EQ(NextPlacedStart(n[2], 77), -2);
  EXPECT_TRUE(PrecedingPlaced(n[2]));
  n[1]->matchStart = n[1]->matchEnd = -1;
  EXPECT_FALSE(PrecedingPlaced(n[2]));
  // Unplaced predecessors count with their longest possible match: '*' 2 x 32767.
  EXPECT_EQ(SpanOfUnmatchedBefore(n[2]), 65534);
  ResetMatch(&head, true);
  for (auto* q : n) EXPECT_EQ(q->matchStart, -1);
}

TEST_F(Matching, Lengths) {
  const std::u16string t = u"ab[x]*";
  CUnicodeExpression head(&t);
  EXPECT_EQ(MaxMatchLength(&head), 8 + 2 + 65534);
  EXPECT_EQ(LongestPossible(&head, false), 4);
  EXPECT_EQ(LongestPossible(&head, true), 4 + 2 + 65534);
  head.matchStart = 0;
  head.matchText = u"abc";  // a placed node counts what it matched
  EXPECT_EQ(LongestPossible(&head, false), 6);

  // Alternatives linked to the group's neighbours count the followers a second time.
  const std::u16string g = u"(ab|cde)x";
  CUnicodeExpression group(&g);
  EXPECT_EQ(MaxMatchLength(&group), 12 + 4);
  EXPECT_EQ(LongestPossible(&group, true), 6 + 2);
  CUnicodeExpression::LinkAlternatives(&group, false);
  EXPECT_EQ(MaxMatchLength(&group), (12 + 4) + 4);
  EXPECT_EQ(LongestPossible(&group, true), (6 + 2) + 2);
  EXPECT_EQ(LongestPossible(&group, false), 6 + 2);
}

TEST_F(Matching, LengthsSaturate) {
  const std::u16string big = u"*(" + std::u16string(70000, u'a') + u")*(" + std::u16string(70000, u'b') + u")";
  CUnicodeExpression head(&big);
  EXPECT_EQ(MaxMatchLength(&head), INT32_MAX);
  EXPECT_EQ(LongestPossible(&head, false), INT32_MAX);
  EXPECT_EQ(LongestPossible(&head, true), INT32_MAX);
  // Alternatives double the count with every group; it stops at the maximum instead of wrapping.
  std::u16string many;
  for (int i = 0; i < 40; ++i) many += u"*(abc|de)";
  CUnicodeExpression groups(&many);
  CUnicodeExpression::LinkAlternatives(&groups, false);
  EXPECT_EQ(MaxMatchLength(&groups), INT32_MAX);
  EXPECT_EQ(LongestPossible(&groups, true), INT32_MAX);
  const std::u16string text = u"abcabc";
  g_nScanStart = 0;
  g_nScanEnd = 12;
  EXPECT_TRUE(MatchNode(BuildMatchOrder(&head), CTextView(text), 12, -1, -1));
  EXPECT_LE(g_nScanEnd, 12);
}

}  // namespace
