// Set membership as the matcher tests it through its remembered tables of the
// units below 256: every unit agrees with a plain search of the members, under
// both case flags, inside and outside a search's scope, and after the set changes.
#include <gtest/gtest.h>

#include <string>

#include "engine/Escape.h"
#include "engine/Match.h"
#include "engine/TextScan.h"
#include "engine/UnicodeExpression.h"

namespace {

bool Reference(const std::u16string& chars, char16_t u) {
  if (chars.empty() || u == 0) return false;
  return chars.find(g_bCaseSensitive ? u : FoldCase(u)) != std::u16string::npos;
}

// The first unit in 0 .. 0x2FF where the matcher and the reference differ, or -1.
int FirstDisagreement(const CUnicodeExpression& node) {
  for (unsigned u = 0; u < 0x300; ++u) {
    const std::u16string text(1, static_cast<char16_t>(u));
    const bool member = SetMembersFrom(&node, CTextView(text), 0, 1) == 1;
    if (member != Reference(node.chars, static_cast<char16_t>(u))) return static_cast<int>(u);
  }
  return -1;
}

class MemberTable : public ::testing::Test {
protected:
  void SetUp() override { saved_ = g_bCaseSensitive; }
  void TearDown() override { g_bCaseSensitive = saved_; }

private:
  int32_t saved_ = 1;
};

TEST_F(MemberTable, AgreesWithTheMembersUnderBothCaseFlags) {
  // Members whose folds cross 256 both ways: y-diaeresis (0xFF) folds to
  // 0x178, micro (0xB5) to 0x39C, and the set may hold either side.
  const std::u16string sets[] = {u"[a-z]", u"[A-Z0-9]", u"[\u00e0-\u00ff]", u"[\u0178]", u"[\u039c]",
                                 u"[\u00b5x]", u"[^a]", u"[\u0100-\u0200]"};
  for (int32_t caseFlag : {1, 0}) {
    for (const std::u16string& set : sets) {
      g_bCaseSensitive = caseFlag;
      CUnicodeExpression node(&set);
      ASSERT_TRUE(node.isSet);
      EXPECT_EQ(FirstDisagreement(node), -1) << "case " << caseFlag << " outside a scope";
      const CScanMemoScope scope;
      EXPECT_EQ(FirstDisagreement(node), -1) << "case " << caseFlag << " inside a scope";
      // The same node under the other flag, as a caller may switch between searches.
      g_bCaseSensitive = 1 - caseFlag;
      EXPECT_EQ(FirstDisagreement(node), -1) << "case " << caseFlag << " switched";
    }
  }
}

TEST_F(MemberTable, ChangedMembersAreSeenBetweenSearches) {
  g_bCaseSensitive = 1;
  const std::u16string set = u"[abc]";
  CUnicodeExpression node(&set);
  {
    const CScanMemoScope scope;
    EXPECT_EQ(FirstDisagreement(node), -1);
  }
  node.chars = u"xyz";  // same length, same node
  EXPECT_EQ(FirstDisagreement(node), -1);
  node.chars = u"q";
  {
    const CScanMemoScope scope;
    EXPECT_EQ(FirstDisagreement(node), -1);
  }
  node.chars = u"\u00e9";
  {
    const CScanMemoScope scope;
    EXPECT_EQ(FirstDisagreement(node), -1);
  }
}

}  // namespace
