// The tandrel-cli contract, tested by running the built executable: exit codes,
// error lines, the JSON object and its escaping, the human output, and every
// sample source (argument, JSON string, files in each encoding, standard input).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadWhole(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void WriteWhole(const fs::path& p, const std::string& bytes) {
  std::ofstream f(p, std::ios::binary);
  f << bytes;
}

class CliTest : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = fs::path(::testing::TempDir()) /
            ("tandrel_cli_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(getpid()));
    fs::create_directories(m_dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
  }

  // Runs tandrel-cli with exactly these arguments (no shell) and stdin bytes.
  RunResult Run(const std::vector<std::string>& args, const std::string& input = "") {
    const fs::path in = m_dir / "stdin", out = m_dir / "stdout", err = m_dir / "stderr";
    WriteWhole(in, input);
    std::vector<std::string> argStore{TANDREL_CLI_PATH};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);

    RunResult r;
    const pid_t pid = fork();
    if (pid == 0) {
      const int fi = open(in.c_str(), O_RDONLY);
      const int fo = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int fe = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fi < 0 || fo < 0 || fe < 0) _exit(127);
      dup2(fi, 0);
      dup2(fo, 1);
      dup2(fe, 2);
      execv(argv[0], argv.data());
      _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadWhole(out);
    r.err = ReadWhole(err);
    return r;
  }

  fs::path File(const std::string& name, const std::string& bytes) {
    const fs::path p = m_dir / name;
    WriteWhole(p, bytes);
    return p;
  }

  static void ExpectError(const RunResult& r, const std::string& what) {
    EXPECT_EQ(r.status, 2) << what;
    EXPECT_EQ(r.out, "") << what;
    EXPECT_EQ(r.err.rfind("tandrel-cli: ", 0), 0u) << what << ": " << r.err;
    ASSERT_FALSE(r.err.empty()) << what;
    EXPECT_EQ(r.err.back(), '\n') << what;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << what << ": more than one line: " << r.err;
  }

  // The "found" strings of every hit, as written in the JSON (still escaped).
  static std::vector<std::string> FoundFields(const std::string& json) {
    std::vector<std::string> out;
    const std::string key = "\"found\":\"";
    for (size_t p = json.find(key); p != std::string::npos; p = json.find(key, p + 1)) {
      size_t q = p + key.size();
      while (q < json.size() && json[q] != '"') q += json[q] == '\\' ? 2 : 1;
      out.push_back(json.substr(p + key.size(), q - p - key.size()));
    }
    return out;
  }

  fs::path m_dir;
};

TEST_F(CliTest, VersionAndHelp) {
  RunResult v = Run({"--version"});
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.out, "tandrel-cli 0.3.0.0\n");
  EXPECT_EQ(v.err, "");
  RunResult h = Run({"--help"});
  EXPECT_EQ(h.status, 0);
  EXPECT_EQ(h.out.rfind("usage: tandrel-cli", 0), 0u) << h.out;
  EXPECT_NE(h.out.find("--sample-json"), std::string::npos);
  EXPECT_EQ(h.err, "");
}

TEST_F(CliTest, ExitStatusFollowsTheHits) {
  RunResult hit = Run({"--search", "b", "--sample", "abc"});
  EXPECT_EQ(hit.status, 0);
  EXPECT_EQ(hit.err, "");
  RunResult none = Run({"--search", "q", "--sample", "abc"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "");
  EXPECT_EQ(none.out, "no hits\n");
  RunResult noneJson = Run({"--json", "--search", "q", "--sample", "abc"});
  EXPECT_EQ(noneJson.status, 1);
  EXPECT_EQ(noneJson.out,
            "{\"hits\":[],\"replaced\":\"abc\",\"shift\":0,"
            "\"searchItems\":[{\"text\":\"q\",\"code\":\"\",\"constraint\":0}],\"replaceItems\":[\"\"]}\n");
}

TEST_F(CliTest, ErrorsGiveOneLineAndStatusTwo) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"no arguments", {}},
      {"missing --search", {"--sample", "abc"}},
      {"unknown option", {"--search", "a", "--bogus"}},
      {"stray argument", {"--search", "a", "stray"}},
      {"option without value", {"--sample", "abc", "--search"}},
      {"--current not a number", {"--search", "a", "--sample", "a", "--current", "x1"}},
      {"--current out of range", {"--search", "a", "--sample", "a", "--current", "99999999999"}},
      {"two sample sources", {"--search", "a", "--sample", "a", "--sample-json", "\"a\""}},
      {"--search twice", {"--search", "a", "--search", "b", "--sample", "a"}},
      {"invalid range", {"--search", "x[-a]", "--sample", "abc"}},
      {"invalid range in a condition", {"--search", "x!([-a])", "--sample", "abc"}},
      {"invalid JSON: no quotes", {"--search", "a", "--sample-json", "abc"}},
      {"invalid JSON: unterminated", {"--search", "a", "--sample-json", "\"abc"}},
      {"invalid JSON: bad escape", {"--search", "a", "--sample-json", "\"\\q\""}},
      {"invalid JSON: short \\u", {"--search", "a", "--sample-json", "\"\\u12\""}},
      {"invalid JSON: trailing text", {"--search", "a", "--sample-json", "\"a\" b"}},
      {"invalid JSON: raw control", {"--search", "a", "--sample-json", "\"a\nb\""}},
      {"missing file", {"--search", "a", "--sample-file", (m_dir / "absent.txt").string()}},
      {"directory as file", {"--search", "a", "--sample-file", m_dir.string()}},
  };
  for (const auto& [what, args] : cases) ExpectError(Run(args), what);
}

TEST_F(CliTest, InvalidRangeMessageNamesTheSet) {
  RunResult r = Run({"--search", "x[-a]", "--sample", "abc"});
  ExpectError(r, "invalid range");
  EXPECT_NE(r.err.find("[-a]"), std::string::npos) << r.err;
}

TEST_F(CliTest, JsonObjectForAbcabc) {
  RunResult r = Run({"--json", "--search", "b", "--replace", "XY", "--sample", "abcabc", "--current", "1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "{\"hits\":["
            "{\"bytePos\":2,\"pos\":1,\"line\":0,\"found\":\"b\",\"replacement\":\"XY\","
            "\"itemFound\":[\"b\"],\"itemReplace\":[\"XY\"]},"
            "{\"bytePos\":8,\"pos\":4,\"line\":0,\"found\":\"b\",\"replacement\":\"XY\","
            "\"itemFound\":[\"b\"],\"itemReplace\":[\"XY\"]}],"
            "\"replaced\":\"aXYcaXYc\",\"shift\":1,"
            "\"searchItems\":[{\"text\":\"b\",\"code\":\"\",\"constraint\":0}],\"replaceItems\":[\"XY\"]}\n");
}

TEST_F(CliTest, JsonItemsLinesAndCounters) {
  RunResult r = Run({"--json", "--search", "n+[0-9]", "--replace", "%1>7>", "--sample-json", "\"n1\\r\\nn22\\nn3\""});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\"hits\":["
            "{\"bytePos\":0,\"pos\":0,\"line\":0,\"found\":\"n1\",\"replacement\":\"8\","
            "\"itemFound\":[\"n\",\"1\"],\"itemReplace\":[\"8\"]},"
            "{\"bytePos\":8,\"pos\":4,\"line\":1,\"found\":\"n22\",\"replacement\":\"9\","
            "\"itemFound\":[\"n\",\"22\"],\"itemReplace\":[\"9\"]},"
            "{\"bytePos\":16,\"pos\":8,\"line\":2,\"found\":\"n3\",\"replacement\":\"10\","
            "\"itemFound\":[\"n\",\"3\"],\"itemReplace\":[\"10\"]}],"
            "\"replaced\":\"8\\u000d\\u000a9\\u000a10\",\"shift\":0,"
            "\"searchItems\":[{\"text\":\"n\",\"code\":\"\",\"constraint\":0},"
            "{\"text\":\"+[0-9]\",\"code\":\"%1\",\"constraint\":0}],\"replaceItems\":[\"%1>7>\"]}\n");
}

TEST_F(CliTest, JsonEscapesEveryUnitClassAndKeepsLoneSurrogates) {
  // '[]' accepts every unit, so the hit is the whole sample.
  const std::string sample = "\"\\u0000\\u001f \\\"\\\\/~\\u007f\\u0080\\u00e9\\ud800\\udc00\\ud83d\\ude00\\uffff\"";
  RunResult r = Run({"--json", "--search", "+[]", "--sample-json", sample});
  EXPECT_EQ(r.status, 0) << r.err;
  for (char c : r.out) {
    if (c != '\n') {
      EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F);
    }
  }
  EXPECT_EQ(FoundFields(r.out),
            std::vector<std::string>{"\\u0000\\u001f \\\"\\\\/~\\u007f\\u0080\\u00e9\\ud800\\udc00\\ud83d\\ude00\\uffff"});
}

TEST_F(CliTest, HumanOutputShowsLineColumnTextAndReplacement) {
  RunResult r = Run({"--search", "+[0-9]", "--replace", "[%1]", "--sample", "ab 12\ncd 345\r\nx\"\t9"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "3 hits\n"
            "hit 1 at line 1, column 4: \"12\" -> \"[12]\"\n"
            "hit 2 at line 2, column 4: \"345\" -> \"[345]\"\n"
            "hit 3 at line 3, column 4: \"9\" -> \"[9]\"\n"
            "current hit 1 starts at character 3 of the replaced text\n"
            "replaced text:\n"
            "ab [12]\ncd [345]\r\nx\"\t[9]\n");
  RunResult noReplace = Run({"--search", "d", "--sample", "cd\n\td"});
  EXPECT_EQ(noReplace.out,
            "2 hits\n"
            "hit 1 at line 1, column 2: \"d\"\n"
            "hit 2 at line 2, column 2: \"d\"\n");
}

TEST_F(CliTest, HumanOutputQuotesControlsAndSurrogates) {
  RunResult r = Run({"--search", "+[]", "--sample-json", "\"\\u0001\\r\\n\\\\\\ud800\\u00e9\""});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1 hit\nhit 1 at line 1, column 1: \"\\u0001\\r\\n\\\\\\uD800\xC3\xA9\"\n");
}

TEST_F(CliTest, CaseSensitiveAndCurrent) {
  EXPECT_EQ(FoundFields(Run({"--json", "--search", "a", "--sample", "aA"}).out), (std::vector<std::string>{"a", "A"}));
  EXPECT_EQ(FoundFields(Run({"--json", "--case-sensitive", "--search", "a", "--sample", "aA"}).out),
            (std::vector<std::string>{"a"}));
  RunResult past = Run({"--json", "--search", "b", "--replace", "XYZ", "--sample", "abab", "--current", "9"});
  EXPECT_NE(past.out.find("\"shift\":4,"), std::string::npos) << past.out;
  RunResult negative = Run({"--json", "--search", "b", "--replace", "XYZ", "--sample", "abab", "--current", "-1"});
  EXPECT_NE(negative.out.find("\"shift\":0,"), std::string::npos) << negative.out;
}

TEST_F(CliTest, UnixReadsPostfixOperators) {
  EXPECT_EQ(FoundFields(Run({"--json", "--unix", "--search", "[0-9]+", "--sample", "a123b"}).out),
            std::vector<std::string>{"123"});
  // Without --unix the same text is a set followed by a wildcard.
  EXPECT_NE(FoundFields(Run({"--json", "--search", "[0-9]+", "--sample", "a123b"}).out),
            std::vector<std::string>{"123"});
}

TEST_F(CliTest, SampleFromArgumentIsUtf8) {
  RunResult r = Run({"--json", "--search", "\xC3\xA9", "--sample", "x\xC3\x89\xE2\x82\xAC"});
  EXPECT_EQ(FoundFields(r.out), std::vector<std::string>{"\\u00c9"});
  EXPECT_NE(r.out.find("\"bytePos\":2"), std::string::npos) << r.out;
}

TEST_F(CliTest, SampleFromStandardInput) {
  RunResult r = Run({"--json", "--search", "b", "--replace", "XY"}, "abc\xC3\xA9" "abc");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"replaced\":\"aXYc\\u00e9aXYc\""), std::string::npos) << r.out;
  EXPECT_EQ(Run({"--search", "b"}, "").status, 1);
}

TEST_F(CliTest, SampleFilesInEveryEncodingJoinLinesWithCrLf) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  // Each file holds the lines "é1" and "b€" (U+00E9, U+20AC).
  const Case cases[] = {
      {"utf8bom", "\xEF\xBB\xBF\xC3\xA9" "1\nb\xE2\x82\xAC"},
      {"utf16le", std::string("\xFF\xFE" "\xE9\x00" "1\x00" "\n\x00" "b\x00" "\xAC\x20", 12)},
      {"utf16be", std::string("\xFE\xFF" "\x00\xE9" "\x00" "1" "\x00" "\n" "\x00" "b" "\x20\xAC", 12)},
      {"cp1252", "\xE9" "1\r\nb\x80"},
  };
  for (const Case& c : cases) {
    const fs::path p = File(c.name, c.bytes);
    RunResult r = Run({"--json", "--search", "+[]", "--sample-file", p.string()});
    EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
    EXPECT_EQ(FoundFields(r.out), std::vector<std::string>{"\\u00e91\\u000d\\u000ab\\u20ac"}) << c.name;
  }
}

TEST_F(CliTest, Cp1252UndefinedBytesGiveTheirOwnCodePoints) {
  const fs::path p = File("undefined", "\x81\x8D\x8F\x90\x9D");
  RunResult r = Run({"--json", "--search", "+[]", "--sample-file", p.string()});
  EXPECT_EQ(FoundFields(r.out), std::vector<std::string>{"\\u0081\\u008d\\u008f\\u0090\\u009d"});
}

TEST_F(CliTest, EmptySampleFileHasNoHits) {
  const fs::path p = File("empty", "");
  RunResult r = Run({"--json", "--search", "a", "--sample-file", p.string()});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out,
            "{\"hits\":[],\"replaced\":\"\",\"shift\":0,"
            "\"searchItems\":[{\"text\":\"a\",\"code\":\"\",\"constraint\":0}],\"replaceItems\":[\"\"]}\n");
}

TEST_F(CliTest, ShippedExampleShowsHitsReferencesAndCounter) {
  const fs::path sample = fs::path(TANDREL_SOURCE_DIR) / "examples" / "sample.txt";
  RunResult r = Run({"--search", "Invoice +[0-9]", "--replace", "Bill %1>100> (was %1)", "--sample-file", sample.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("4 hits\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("hit 1 at line 3, column 1: \"Invoice 1041\" -> \"Bill 101 (was 1041)\"\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Bill 104 (was 1044) from Alan Turing"), std::string::npos) << r.out;
}

}  // namespace
