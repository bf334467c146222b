// Tests of the UNIX-style translation: postfix operators after a set or group
// move to the front; everything else stays as written.
#include <gtest/gtest.h>

#include <string>

#include "engine/UnixExpression.h"

namespace {

struct UnixCase {
  std::u16string input;
  std::u16string expected;
  bool moved;
};

class UnixTranslation : public ::testing::TestWithParam<UnixCase> {};

TEST_P(UnixTranslation, MovesOnlyOperatorsAfterSetsAndGroups) {
  const UnixCase& c = GetParam();
  std::u16string text = c.input;
  EXPECT_EQ(TranslateUnixExpression(text), c.moved);
  EXPECT_EQ(text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnixTranslation,
    ::testing::Values(UnixCase{u"[0-9]+", u"+[0-9]", true},                       //
                      UnixCase{u"(cat|dog)*s", u"*(cat|dog)s", true},              //
                      UnixCase{u"(tmp)!", u"!(tmp)", true},                        //
                      UnixCase{u"x[a-z]?y(q)", u"x?[a-z]y(q)", true},              // '(q)' copied as is
                      UnixCase{u"[0-9]+3", u"+[0-9]3", true},                      // the count stays
                      UnixCase{u"[a]+[b]*c", u"+[a]*[b]c", true},                  //
                      UnixCase{u"(a)++", u"+(a)+", true},                          // one operator moves
                      UnixCase{u"((a))*", u"*((a))", true},                        // nested parentheses
                      UnixCase{u"[a\\]]+", u"+[a\\]]", true},                      // escaped ']' inside
                      UnixCase{u"x[0-9]+(abc", u"x+[0-9](abc", true},              // unclosed rest copied
                      UnixCase{u"a*b", u"a*b", false},                             //
                      UnixCase{u"[abc]", u"[abc]", false},                         //
                      UnixCase{u"[0-9]\\+", u"[0-9]\\+", false},                   // escaped operator
                      UnixCase{u"\\[a]+", u"\\[a]+", false},                       // escaped bracket
                      UnixCase{u"(abc", u"(abc", false},                           //
                      UnixCase{u"(", u"(", false},                                 //
                      UnixCase{u"", u"", false},                                   //
                      // '[(' takes its extent from the parentheses, so the set
                      // ends at ')' and the '+' follows a ']'.
                      UnixCase{u"[(a)]+", u"[(a)]+", false}));

TEST(UnixTranslation, LongExpressionIsTranslatedWhole) {
  std::u16string text;
  std::u16string expected;
  for (int i = 0; i < 100000; ++i) {
    text += u"x[a]+";
    expected += u"x+[a]";
  }
  EXPECT_TRUE(TranslateUnixExpression(text));
  EXPECT_EQ(text, expected);
}

}  // namespace
