// tandrel-cli's item lists: "searchItems" and "replaceItems" in the JSON object,
// and --explain with one line per item.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliMain.h"

namespace {

struct CRun {
  int status = -1;
  std::string out, err;
};

CRun Cli(const std::vector<std::string>& args) {
  std::istringstream in;
  std::ostringstream out, err;
  CRun r;
  r.status = RunCli(args, in, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

std::string Tail(const std::string& json) {
  const size_t at = json.find(",\"searchItems\":");
  return at == std::string::npos ? std::string() : json.substr(at + 1);
}

struct ItemsCase {
  std::vector<std::string> args;
  std::string items;  // the JSON object from "searchItems" on
};

class JsonItems : public ::testing::TestWithParam<ItemsCase> {};

TEST_P(JsonItems, ListsTheRowsOfBothPages) {
  std::vector<std::string> args{"--json", "--sample", "ab 12 cd"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const CRun r = Cli(args);
  ASSERT_NE(r.status, 2) << r.err;
  EXPECT_EQ(Tail(r.out), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonItems,
    ::testing::Values(
        ItemsCase{{"--search", "abc*[0-9](x|y)def", "--replace", "a%1b"},
                  "\"searchItems\":[{\"text\":\"abc\",\"code\":\"\",\"constraint\":0},"
                  "{\"text\":\"*[0-9]\",\"code\":\"%1\",\"constraint\":0},"
                  "{\"text\":\"(x|y)\",\"code\":\"%2\",\"constraint\":0},"
                  "{\"text\":\"def\",\"code\":\"\",\"constraint\":0}],"
                  "\"replaceItems\":[\"a\",\"%1\",\"b\"]}\n"},
        ItemsCase{{"--search", "+[0-9]!(1)x", "--replace", "%1%%ZYFILL*%%-%0"},
                  "\"searchItems\":[{\"text\":\"+[0-9]\",\"code\":\"%1\",\"constraint\":0},"
                  "{\"text\":\"!(1)\",\"code\":\"\",\"constraint\":1},"
                  "{\"text\":\"x\",\"code\":\"\",\"constraint\":2}],"
                  "\"replaceItems\":[\"%1%%ZYFILL*%%\",\"-%0\"]}\n"},
        ItemsCase{{"--unix", "--search", "[0-9]+3(ab)*!([a-z]+)"},
                  "\"searchItems\":[{\"text\":\"[0-9]+\",\"code\":\"%1\",\"constraint\":0},"
                  "{\"text\":\"3\",\"code\":\"\",\"constraint\":0},"
                  "{\"text\":\"(ab)*\",\"code\":\"%2\",\"constraint\":0},"
                  "{\"text\":\"([a-z]+)!\",\"code\":\"\",\"constraint\":1}],"
                  "\"replaceItems\":[\"\"]}\n"},
        // A count stays in front in UNIX mode; an operator after the bracket would move.
        ItemsCase{{"--unix", "--search", "+2-4[0-9]x+3"},
                  "\"searchItems\":[{\"text\":\"+2-4[0-9]\",\"code\":\"%1\",\"constraint\":0},"
                  "{\"text\":\"x\",\"code\":\"\",\"constraint\":0},"
                  "{\"text\":\"+3\",\"code\":\"%2\",\"constraint\":0}],"
                  "\"replaceItems\":[\"\"]}\n"}));

TEST(CliExplain, OneLinePerItemInPlainWords) {
  const CRun r = Cli({"--explain", "--search", "^Ab+2-4[0-9](cat|dog)*!(7)", "--replace",
                      "%2>007>x%3<%1%%ZYFILL-%%%9", "--sample", "Ab12cat"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "search \"^\" %1: the start of a line\n"
            "search \"Ab\": the text \"Ab\", in any case\n"
            "search \"+2-4[0-9]\" %2: 2 to 4 of the characters 0-9\n"
            "search \"(cat|dog)\" %3: one of \"cat\" or \"dog\", in any case\n"
            "search \"*\" %4: none or more of any character except line breaks and the controls U+0000-U+0008\n"
            "search \"!(7)\": the hit must not contain a match of \"7\"\n"
            "replace \"%2>007>\": a number counting up from 7, 3 digits\n"
            "replace \"x\": the text \"x\"\n"
            "replace \"%3<\": the text matched by #3, in lower case\n"
            "replace \"%1%%ZYFILL-%%\": \"-\" once for every character matched by #1\n"
            "replace \"%9\": nothing: there is no sub-expression #9\n");
}

TEST(CliExplain, CaseSensitiveSetsAndLineBreaks) {
  const CRun r = Cli({"--explain", "--case-sensitive", "--search", "x$+[a-c\\t ]$", "--sample", "x\nab"});
  EXPECT_EQ(r.out,
            "search \"x\": the text \"x\"\n"
            "search \"$\" %1: one or two line-break characters (CR, LF)\n"
            "search \"+[a-c\\\\t ]\" %2: one or more of the characters TAB, space, a-c\n"
            "search \"$\" %3: the end of a line\n"
            "replace \"\": nothing (an empty text)\n");
}

TEST(CliExplain, ErrorsLeaveStdoutEmpty) {
  CRun r = Cli({"--explain", "--search", "a[-b]", "--sample", "ab"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("tandrel-cli: ", 0), 0u) << r.err;
  r = Cli({"--explain", "--json", "--search", "a", "--sample", "ab"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("--explain"), std::string::npos) << r.err;
}

}  // namespace
