// Tests of the settings source of the search library: which value decides the
// UNIX-style reading, and its default.
#include <gtest/gtest.h>

#include <string>

#include "search/Profile.h"
#include "search/UnicodeSearcher.h"

namespace {

class FakeProfile : public CSearchProfile {
public:
  explicit FakeProfile(int value) : value_(value) {}
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const override {
    asked_ = std::u16string(section) + u"/" + std::u16string(entry);
    askedDefault_ = defaultValue;
    return section == u"Flags" && entry == u"UNIX RegExp" ? value_ : defaultValue;
  }
  int value_;
  mutable std::u16string asked_;
  mutable int askedDefault_ = -1;
};

class ProfileTest : public ::testing::Test {
protected:
  void SetUp() override { saved_ = GetSearchProfile(); }
  void TearDown() override { SetSearchProfile(saved_); }
  const CSearchProfile* saved_ = nullptr;
};

TEST_F(ProfileTest, WithoutAProfileTheNativeSyntaxHolds) {
  SetSearchProfile(nullptr);
  EXPECT_EQ(GetSearchProfile(), nullptr);
  EXPECT_FALSE(IsUnixSyntax());
}

TEST_F(ProfileTest, UnixSyntaxFollowsFlagsUnixRegExp) {
  for (const int value : {0, 1, 2, -1}) {
    FakeProfile profile(value);
    SetSearchProfile(&profile);
    EXPECT_EQ(GetSearchProfile(), &profile);
    EXPECT_EQ(IsUnixSyntax(), value != 0) << "value " << value;
    EXPECT_EQ(profile.asked_, u"Flags/UNIX RegExp");
    EXPECT_EQ(profile.askedDefault_, 0);
  }
}

struct SyntaxCase {
  int flag;
  std::u16string expression;
  std::u16string firstSource;
  size_t constraints;
};

class ProfileSyntax : public ProfileTest, public ::testing::WithParamInterface<SyntaxCase> {};

TEST_P(ProfileSyntax, SearcherReadsTheExpressionAsTheProfileSays) {
  const SyntaxCase& c = GetParam();
  FakeProfile profile(c.flag);
  SetSearchProfile(&profile);
  CUnicodeSearcher searcher(&c.expression, nullptr);
  ASSERT_NE(searcher.GetSearchNode(0), nullptr);
  EXPECT_EQ(searcher.GetSearchNode(0)->source, c.firstSource);
  EXPECT_EQ(searcher.constraints.size(), c.constraints);
}

INSTANTIATE_TEST_SUITE_P(Syntax, ProfileSyntax,
                         ::testing::Values(SyntaxCase{1, u"[0-9]+x", u"+[0-9]", 0}, SyntaxCase{0, u"[0-9]+x", u"[0-9]", 0},
                                           // '(tmp)!' becomes the condition '!(tmp)'.
                                           SyntaxCase{1, u"a*(tmp)!", u"a", 1},
                                           SyntaxCase{0, u"a*(tmp)!", u"a", 0}));

}  // namespace
