// Escaping literal text with the search and the replace specials.
#include <gtest/gtest.h>

#include <string>

#include "builder/Escaping.h"

namespace {

struct EscapeCase {
  std::u16string text;
  std::u16string_view specials;
  std::u16string escaped;
  int32_t count;
};

class EscapeSpecialsCases : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeSpecialsCases, EscapesInPlaceAndCounts) {
  const EscapeCase& c = GetParam();
  std::u16string text = c.text;
  EXPECT_EQ(EscapeSpecials(text, c.specials), c.count);
  EXPECT_EQ(text, c.escaped);
}

INSTANTIATE_TEST_SUITE_P(
    Both, EscapeSpecialsCases,
    ::testing::Values(EscapeCase{u"a+(b)", kSearchSpecials, u"a\\+\\(b\\)", 3},
                      EscapeCase{u"", kSearchSpecials, u"", 0},
                      EscapeCase{u"plain", kSearchSpecials, u"plain", 0},
                      EscapeCase{u"50% <b>", kReplaceSpecials, u"50\\% \\<b\\>", 3},
                      // Backslashes are doubled first; the ones inserted later are not doubled again.
                      EscapeCase{u"\\*", kSearchSpecials, u"\\\\\\*", 2},
                      EscapeCase{u"a-b|c!d$e^f[g]h?i", kSearchSpecials, u"a\\-b\\|c\\!d\\$e\\^f\\[g\\]h\\?i", 8},
                      EscapeCase{u"%%", kReplaceSpecials, u"\\%\\%", 2}));

TEST(EscapeChar, InsertsBeforeEveryOccurrenceOnce) {
  std::u16string text = u"aXbXX";
  EXPECT_EQ(EscapeChar(text, u'X'), 3);
  EXPECT_EQ(text, u"a\\Xb\\X\\X");
  // The inserted backslash is never looked at again, even when escaping backslashes.
  std::u16string slashes = u"\\\\";
  EXPECT_EQ(EscapeChar(slashes, u'\\'), 2);
  EXPECT_EQ(slashes, u"\\\\\\\\");
  std::u16string none = u"abc";
  EXPECT_EQ(EscapeChar(none, u'z'), 0);
  EXPECT_EQ(none, u"abc");
}

}  // namespace
