// tandrel-cli on hostile input, run as a separate process with a time and
// memory limit: sample files that are empty, only a byte-order mark, truncated
// UTF-16, binary, unreadable, endless, or made only of line breaks; every
// 16-bit unit through a file and out through the JSON; counts and options
// beyond the 32-bit range. Each gives an honest result or one clear error line.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;  // exit status; -1 when killed (time limit) or signalled
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
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f << bytes;
}

// The JSON escaping of the tool's output: ASCII as it is (quote and backslash
// escaped), every other unit as \uXXXX.
std::string JsonOf(const std::u16string& s) {
  std::string out = "\"";
  for (char16_t u : s) {
    if (u == u'"' || u == u'\\') {
      out += '\\';
      out += static_cast<char>(u);
    } else if (u >= 0x20 && u < 0x7F) {
      out += static_cast<char>(u);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(u));
      out += buf;
    }
  }
  return out + "\"";
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size())) ++n;
  return n;
}

class CliHostile : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = fs::path(::testing::TempDir()) / ("tandrel_cli_hostile_" + std::string(info->name()) + "_" +
                                              std::to_string(getpid()));
    fs::create_directories(m_dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(m_dir / "locked.txt", fs::perms::owner_all, ec);
    fs::remove_all(m_dir, ec);
  }

  fs::path File(const std::string& name, const std::string& bytes) {
    const fs::path p = m_dir / name;
    WriteWhole(p, bytes);
    return p;
  }

  // Runs tandrel-cli with these arguments; it is killed after 20 seconds.
  Outcome Run(const std::vector<std::string>& args, const std::string& input = "") {
    const fs::path in = m_dir / "stdin", out = m_dir / "stdout", err = m_dir / "stderr";
    WriteWhole(in, input);
    std::vector<std::string> store{TANDREL_CLI_PATH};
    store.insert(store.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : store) argv.push_back(a.data());
    argv.push_back(nullptr);
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
    Outcome r;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadWhole(out);
    r.err = ReadWhole(err);
    return r;
  }

  fs::path m_dir;
};

struct FileCase {
  const char* name;
  std::string bytes;
  std::u16string text;  // the sample text read from the file
};

class CliHostileFiles : public CliHostile, public ::testing::WithParamInterface<FileCase> {};

TEST_P(CliHostileFiles, GiveAnHonestResult) {
  const FileCase& c = GetParam();
  // Every unit of the text is one hit, replaced by itself.
  const Outcome r = Run({"--json", "--search", "[]", "--replace", "%1", "--sample-file",
                         File("sample.bin", c.bytes).string()});
  EXPECT_EQ(r.status, c.text.empty() ? 1 : 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Count(r.out, "\"bytePos\":"), c.text.size());
  EXPECT_NE(r.out.find("\"replaced\":" + JsonOf(c.text) + ","), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliHostileFiles,
    ::testing::Values(FileCase{"zero_bytes", "", u""}, FileCase{"utf8_mark_only", "\xEF\xBB\xBF", u""},
                      FileCase{"utf16le_mark_only", "\xFF\xFE", u""}, FileCase{"utf16be_mark_only", "\xFE\xFF", u""},
                      FileCase{"utf16le_odd_length", std::string("\xFF\xFE" "A\0B\0C", 7), u"AB"},
                      FileCase{"utf16be_odd_length", std::string("\xFE\xFF\0A\0B\0", 7), u"AB"},
                      FileCase{"only_line_breaks", "\n\r\r\n\n", u"\r\n\r\n\r\n\r\n"},
                      FileCase{"utf8_lone_surrogate", "\xEF\xBB\xBF" "a\xED\xA0\x80" "b", u"a\xD800" u"b"},
                      FileCase{"nul_cuts_a_marked_text", std::string("\xFF\xFE" "a\0\0\0b\0", 8), u"a"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliHostile, BinaryFileGivesAsciiJson) {
  std::string bytes;
  for (int round = 0; round < 16; ++round)
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>((b * 7 + round) & 0xFF));
  for (const std::string mark : {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    const Outcome r = Run({"--json", "--search", "+[]", "--sample-file", File("binary", mark + bytes).string()});
    EXPECT_TRUE(r.status == 0 || r.status == 1) << r.err;
    ASSERT_FALSE(r.out.empty());
    for (unsigned char ch : r.out.substr(0, r.out.size() - 1)) ASSERT_TRUE(ch >= 0x20 && ch < 0x7F) << int{ch};
    EXPECT_EQ(r.out.back(), '\n');
  }
}

// Every unit but U+0000 (which ends a marked text) through a UTF-16 file: the
// line breaks among them become CR LF, and every unit comes out of the JSON.
TEST_F(CliHostile, EveryUnitThroughAFileAndTheJson) {
  std::string bytes = "\xFF\xFE";
  std::u16string expected;
  for (uint32_t v = 1; v <= 0xFFFF; ++v) {
    bytes.push_back(static_cast<char>(v & 0xFF));
    bytes.push_back(static_cast<char>(v >> 8));
    if (v == 0x0A || v == 0x0D) {
      expected += u"\r\n";
    } else {
      expected.push_back(static_cast<char16_t>(v));
    }
  }
  // Runs of at most 32767 units, each replaced by itself.
  const Outcome r = Run({"--json", "--search", "+[]", "--replace", "%1", "--sample-file", File("all.txt", bytes).string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Count(r.out, "\"bytePos\":"), (expected.size() + 32766) / 32767);
  EXPECT_NE(r.out.find("\"replaced\":" + JsonOf(expected) + ","), std::string::npos);
}

TEST_F(CliHostile, UnreadableFileIsOneErrorLine) {
  const fs::path p = File("locked.txt", "abc");
  fs::permissions(p, fs::perms::none);
  if (std::FILE* probe = std::fopen(p.c_str(), "rb")) {
    std::fclose(probe);
    GTEST_SKIP() << "file permissions do not stop this user from reading (running as root?)";
  }
  const Outcome r = Run({"--search", "a", "--sample-file", p.string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("tandrel-cli: ", 0), 0u) << r.err;
  EXPECT_EQ(Count(r.err, "\n"), 1u);
}

struct OptionCase {
  const char* name;
  std::vector<std::string> args;
  int status;
};

class CliHostileOptions : public CliHostile, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(CliHostileOptions, BeyondThe32BitRange) {
  const Outcome r = Run(GetParam().args);
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  if (r.status == 2) {
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("tandrel-cli: ", 0), 0u) << r.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliHostileOptions,
    ::testing::Values(OptionCase{"current_2pow31", {"--search", "a", "--sample", "a", "--current", "2147483648"}, 2},
                      OptionCase{"current_below_range", {"--search", "a", "--sample", "a", "--current", "-2147483649"}, 2},
                      OptionCase{"current_int32_max", {"--search", "a", "--sample", "a", "--current", "2147483647"}, 0},
                      OptionCase{"count_2pow32", {"--search", "+4294967296[a]", "--sample", "aaa"}, 1},
                      OptionCase{"counter_beyond", {"--search", "+[0-9]", "--replace", "%1>99999999999>", "--sample", "1"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Text that never ends: /dev/zero would be read until memory runs out, and a
// named pipe without data would block for ever; both are refused.
TEST_F(CliHostile, EndlessFilesAreRefused) {
  for (const std::string& path : {std::string("/dev/zero"), (m_dir / "pipe").string()}) {
    if (path != "/dev/zero") {
      ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    }
    const int writer = path == "/dev/zero" ? -1 : open(path.c_str(), O_RDWR | O_NONBLOCK);
    const Outcome r = Run({"--search", "a", "--sample-file", path});
    if (writer >= 0) close(writer);
    EXPECT_EQ(r.status, 2) << path;
    EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
  }
}

}  // namespace
