// Listing a compiled search expression as rows: sources, codes, conditions,
// and the UNIX-style forms that read back to the same nodes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BuilderTestUtil.h"
#include "builder/SearchRows.h"
#include "search/UnicodeSearcher.h"

namespace {

struct RowsCase {
  std::u16string expression;
  bool unixMode;
  std::vector<CSearchItemRow> rows;
};

class SearchRowsCases : public ::testing::TestWithParam<RowsCase> {};

TEST_P(SearchRowsCases, ListsNodesThenConditions) {
  const RowsCase& c = GetParam();
  CUnixProfileScope profile(c.unixMode);
  CUnicodeSearcher searcher(&c.expression, nullptr);
  const std::vector<CSearchItemRow> rows = SearchRowsOf(searcher, c.unixMode);
  ASSERT_EQ(rows.size(), c.rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].text, c.rows[i].text) << i;
    EXPECT_EQ(rows[i].code, c.rows[i].code) << i;
    EXPECT_EQ(rows[i].constraint, c.rows[i].constraint) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Native, SearchRowsCases,
    ::testing::Values(
        RowsCase{u"abc*[0-9](x|y)def", false, {{u"abc", u"", 0}, {u"*[0-9]", u"%1", 0}, {u"(x|y)", u"%2", 0}, {u"def", u"", 0}}},
        RowsCase{u"+3-5[0-9]x", false, {{u"+3-5[0-9]", u"%1", 0}, {u"x", u"", 0}}},
        RowsCase{u"^^Title", false, {{u"^^", u"%1", 0}, {u"Title", u"", 0}}},
        RowsCase{u"x$$", false, {{u"x", u"", 0}, {u"$$", u"%1", 0}}},
        RowsCase{u"+3abc", false, {{u"+3", u"%1", 0}, {u"abc", u"", 0}}},
        RowsCase{u"a*[bc", false, {{u"a", u"", 0}, {u"*[bc", u"%1", 0}}},
        // An unclosed set without operator has no code (its op stays 0).
        RowsCase{u"x[ab", false, {{u"x", u"", 0}, {u"[ab", u"", 0}}},
        RowsCase{u"(abc", false, {{u"(abc", u"", 0}}},
        RowsCase{u"", false, {{u"", u"", 0}}},
        RowsCase{u"A!(B)C", false, {{u"A", u"", 0}, {u"!(B)", u"", 1}, {u"C", u"", 2}}},
        RowsCase{u"A!(B)C!(D)E", false,
                 {{u"A", u"", 0}, {u"!(B)", u"", 1}, {u"C", u"", 2}, {u"!(D)", u"", 3}, {u"E", u"", 4}}},
        // A condition's own conditions stay with it.
        RowsCase{u"a!(b!(c))", false, {{u"a", u"", 0}, {u"!(b!(c))", u"", 1}}},
        RowsCase{u"!(b)a", false, {{u"!", u"", 0}, {u"(b)", u"%1", 0}, {u"a", u"", 0}}},
        RowsCase{u"a!(+[0-9]", false, {{u"a", u"", 0}, {u"!(+[0-9])", u"", 1}}}));

INSTANTIATE_TEST_SUITE_P(
    Unix, SearchRowsCases,
    ::testing::Values(
        RowsCase{u"[a-z]+x", true, {{u"[a-z]+", u"%1", 0}, {u"x", u"", 0}}},
        RowsCase{u"(cat|dog)*s", true, {{u"(cat|dog)*", u"%1", 0}, {u"s", u"", 0}}},
        // Counts stay in front: the translation does not move them.
        RowsCase{u"+3[0-9]", true, {{u"+3[0-9]", u"%1", 0}}},
        RowsCase{u"[0-9]+3", true, {{u"[0-9]+", u"%1", 0}, {u"3", u"", 0}}},
        RowsCase{u"+3x", true, {{u"+3", u"%1", 0}, {u"x", u"", 0}}},
        RowsCase{u"a*[bc", true, {{u"a", u"", 0}, {u"*[bc", u"%1", 0}}},
        RowsCase{u"[a]?*", true, {{u"[a]?", u"%1", 0}, {u"*", u"%2", 0}}},
        RowsCase{u"[a][b]*", true, {{u"[a]", u"%1", 0}, {u"[b]*", u"%2", 0}}},
        RowsCase{u"x(a)!", true, {{u"x", u"", 0}, {u"(a)!", u"", 1}}},
        RowsCase{u"x!([0-9]+)", true, {{u"x", u"", 0}, {u"([0-9]+)!", u"", 1}}},
        // After a set or group the '!' of a prefix form would be taken as its operator.
        RowsCase{u"(ab)( )!(a|)?", true, {{u"(ab)", u"%1", 0}, {u"( )!", u"", 1}, {u"(a|)?", u"", 2}}},
        RowsCase{u"^[a-z]+$", true, {{u"^", u"%1", 0}, {u"[a-z]+", u"%2", 0}, {u"$", u"%3", 0}}}));

// In UNIX mode every row list, concatenated and translated, compiles to the same
// nodes as the expression it was listed from.
TEST(SearchRows, UnixRowsTranslateBackToTheSameText) {
  CUnixProfileScope profile(true);
  for (const std::u16string expression :
       {u"[a-z]+x", u"+3[0-9]y", u"[a]?*", u"[a][b]*", u"(ab)*+2-4[0-9]", u"?[x]+3(ab)z", u"[0-9]+!(1)x"}) {
    CUnicodeSearcher original(&expression, nullptr);
    std::u16string joined;
    for (const auto& row : SearchRowsOf(original, true)) joined += row.text;
    CUnicodeSearcher again(&joined, nullptr);
    std::u16string nativeA, nativeB;
    for (int32_t i = 0; original.GetSearchNode(i); ++i) nativeA += original.GetSearchNode(i)->source;
    for (int32_t i = 0; again.GetSearchNode(i); ++i) nativeB += again.GetSearchNode(i)->source;
    EXPECT_EQ(nativeB, nativeA) << std::string(joined.begin(), joined.end());
    EXPECT_EQ(again.constraints.size(), original.constraints.size());
  }
}

}  // namespace
