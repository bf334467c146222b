// Tests of reading text files: byte-order marks, UTF-16 in both orders, the
// UTF-8 replacement rules, Windows-1252, line breaks, zero units, long lines
// across the read buffer, and paths that cannot be read.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "search/TextFile.h"

namespace fs = std::filesystem;

namespace {

class TextFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tandrel_textfile_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::string Write(const std::string& bytes, const std::string& name = "sample.txt") {
    const fs::path p = dir_ / name;
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p.string();
  }

  // The whole file as ReadAll gives it, or nothing when ReadAll says false.
  std::optional<std::u16string> ReadAllOf(const std::string& bytes, const std::u16string& lineEnd) {
    CTextFileRead reader(Write(bytes));
    std::u16string text;
    if (!reader.ReadAll(text, lineEnd)) return std::nullopt;
    return text;
  }

  fs::path dir_;
};

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

struct ReadCase {
  const char* name;
  std::string bytes;
  std::u16string lineEnd;
  std::u16string expected;
  int encoding;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class TextFileReadAll : public TextFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(TextFileReadAll, GivesTheDecodedLinesJoined) {
  const ReadCase& c = GetParam();
  CTextFileRead reader(Write(c.bytes));
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_EQ(reader.encoding, c.encoding);
  std::u16string text = u"old";
  ASSERT_TRUE(reader.ReadAll(text, c.lineEnd));
  EXPECT_EQ(text, c.expected);
  EXPECT_TRUE(reader.atEnd);
}

const std::u16string kCrLf = u"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Encodings, TextFileReadAll,
    ::testing::Values(
        ReadCase{"utf8_bom", Bytes({0xEF, 0xBB, 0xBF, 0x41, 0x0D, 0x0A, 0x42}), kCrLf, u"A\r\nB", 3},
        ReadCase{"utf16le", Bytes({0xFF, 0xFE, 0x78, 0x00, 0x0A, 0x00}), kCrLf, u"x\r\n", 2},
        ReadCase{"utf16be", Bytes({0xFE, 0xFF, 0x00, 0x78, 0x00, 0x0D, 0x00, 0x79}), kCrLf, u"x\r\ny", 1},
        ReadCase{"utf16le_non_ascii", Bytes({0xFF, 0xFE, 0xAC, 0x20, 0xE9, 0x00}), kCrLf, u"\u20AC\u00E9", 2},
        ReadCase{"utf16be_surrogates_pass", Bytes({0xFE, 0xFF, 0xD8, 0x3D, 0xDE, 0x00}), kCrLf,
                 std::u16string{char16_t(0xD83D), char16_t(0xDE00)}, 1},
        // The last byte of an odd-length UTF-16 file has no partner and is lost.
        ReadCase{"utf16le_odd_length", Bytes({0xFF, 0xFE, 0x41, 0x00, 0x42}), kCrLf, u"A", 2},
        ReadCase{"utf16be_odd_length", Bytes({0xFE, 0xFF, 0x00, 0x41, 0x00}), kCrLf, u"A", 1},
        ReadCase{"utf16le_zero_unit_ends_text", Bytes({0xFF, 0xFE, 0x61, 0, 0, 0, 0x62, 0, 0x0A, 0, 0x63, 0}),
                 kCrLf, u"a", 2},
        ReadCase{"utf16le_lone_cr_and_lf", Bytes({0xFF, 0xFE, 'a', 0, 0x0D, 0, 'b', 0, 0x0A, 0, 'c', 0}), u"|",
                 u"a|b|c", 2},
        ReadCase{"bom_only_utf8", Bytes({0xEF, 0xBB, 0xBF}), kCrLf, u"", 3},
        ReadCase{"bom_only_utf16le", Bytes({0xFF, 0xFE}), kCrLf, u"", 2},
        ReadCase{"bom_only_utf16be", Bytes({0xFE, 0xFF}), kCrLf, u"", 1},
        ReadCase{"empty", "", kCrLf, u"", 0},
        ReadCase{"single_byte", "x", kCrLf, u"x", 0},
        // EF BB without BF is no mark: the bytes are Windows-1252 text.
        ReadCase{"half_utf8_bom", Bytes({0xEF, 0xBB, 0x41}), kCrLf, u"\u00EF\u00BBA", 0},
        ReadCase{"reversed_bom_halves", Bytes({0xFF, 0xFF, 0x41}), kCrLf, u"\u00FF\u00FFA", 0},
        ReadCase{"cp1252_specials",
                 Bytes({0x80, 0x81, 0x8A, 0x8D, 0x8F, 0x90, 0x92, 0x9D, 0x9F, 0xA0, 0xE9, 0xFF}), kCrLf,
                 u"\u20AC\u0081\u0160\u008D\u008F\u0090\u2019\u009D\u0178\u00A0\u00E9\u00FF", 0},
        ReadCase{"plain_breaks", "a\rb\nc\r\nd", u"<>", u"a<>b<>c<>d", 0},
        ReadCase{"lf_cr_ends_two_lines", "a\n\rb", u"|", u"a||b", 0},
        ReadCase{"cr_cr_ends_two_lines", "a\r\rb", u"|", u"a||b", 0},
        ReadCase{"trailing_crlf", "a\r\n", u"|", u"a|", 0},
        ReadCase{"trailing_cr", "a\r", u"|", u"a|", 0},
        ReadCase{"trailing_lf", "a\n", u"|", u"a|", 0},
        ReadCase{"only_breaks", "\r\n\n", u"|", u"||", 0},
        ReadCase{"no_trailing_break", "ab\ncd", kCrLf, u"ab\r\ncd", 0},
        ReadCase{"empty_line_end", "a\nb", u"", u"ab", 0},
        // A zero byte ends its own line's text only; the next line survives.
        ReadCase{"cp1252_zero_byte_cuts_line", std::string("ab\0cd\nef", 8), u"|", u"ab|ef", 0},
        ReadCase{"cp1252_zero_first", std::string("\0x\ny", 4), u"|", u"|y", 0},
        // With a mark the whole text ends at the first zero unit.
        ReadCase{"utf8_zero_ends_text", Bytes({0xEF, 0xBB, 0xBF, 'a', 'b', 0, 'c', '\n', 'e'}), u"|", u"ab", 3},
        ReadCase{"utf8_two_and_three_bytes", Bytes({0xEF, 0xBB, 0xBF, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}), kCrLf,
                 u"\u00E9\u20AC", 3},
        ReadCase{"utf8_four_bytes_give_four_replacements", Bytes({0xEF, 0xBB, 0xBF, 0xF0, 0x9F, 0x98, 0x80, 'z'}),
                 kCrLf, u"\uFFFD\uFFFD\uFFFD\uFFFDz", 3},
        ReadCase{"utf8_lone_continuation", Bytes({0xEF, 0xBB, 0xBF, 'a', 0x80, 0xBF, 'b'}), kCrLf,
                 u"a\uFFFD\uFFFDb", 3},
        ReadCase{"utf8_long_leads", Bytes({0xEF, 0xBB, 0xBF, 0xF8, 0xFC, 0xFE, 0xFF}), kCrLf,
                 u"\uFFFD\uFFFD\uFFFD\uFFFD", 3},
        // Continuation bytes are taken without looking at their top bits.
        ReadCase{"utf8_unchecked_continuation", Bytes({0xEF, 0xBB, 0xBF, 0xC3, 0x41, 'x'}), kCrLf, u"\u00C1x", 3},
        ReadCase{"utf8_continuation_eats_line_break", Bytes({0xEF, 0xBB, 0xBF, 0xC3, 0x0A, 'x'}), u"|",
                 u"\u00CAx", 3},
        // A continuation byte missing at the end reads as 0 and the unit is dropped.
        ReadCase{"utf8_truncated_two_byte", Bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3}), kCrLf, u"a", 3},
        ReadCase{"utf8_truncated_three_byte", Bytes({0xEF, 0xBB, 0xBF, 'a', 0xE2, 0x82}), kCrLf, u"a", 3},
        ReadCase{"utf8_truncated_before_break", Bytes({0xEF, 0xBB, 0xBF, 'a', '\n', 0xE2}), u"|", u"a|", 3},
        ReadCase{"utf8_breaks", Bytes({0xEF, 0xBB, 0xBF, 'a', '\r', 'b', '\n', 'c', '\r', '\n', 'd', '\n', '\r', 'e'}),
                 u"|", u"a|b|c|d||e", 3}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(TextFileTest, ReadLineGivesEachLineThenFalse) {
  CTextFileRead reader(Write("one\r\ntwo\rthree\n"));
  std::u16string line;
  std::vector<std::u16string> lines;
  while (reader.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"one", u"two", u"three", u""}));
  EXPECT_FALSE(reader.ReadLine(line));
}

TEST_F(TextFileTest, LongLinesCrossTheReadBuffer) {
  // Plain bytes: a line of 3000 bytes, a CR LF split over the 1024-byte
  // boundary, and a last line.
  std::string first(3000, 'a');
  first[0] = 'b';
  first[2999] = 'c';
  std::string second(4095 - 3001, 'd');  // its CR is the last byte of the fourth buffer
  const std::string plain = first + "\n" + second + "\r\n" + "end";
  ASSERT_EQ(plain.find('\r'), 4095u);
  const auto text = ReadAllOf(plain, u"|");
  ASSERT_TRUE(text.has_value());
  std::u16string expected(first.begin(), first.end());
  expected += u"|" + std::u16string(second.begin(), second.end()) + u"|end";
  EXPECT_EQ(*text, expected);
}

TEST_F(TextFileTest, Utf8SequenceSplitOverTheBufferBoundary) {
  // BOM (3 bytes) + 1020 'a' puts the euro sign's three bytes at 1023..1025.
  std::string bytes = Bytes({0xEF, 0xBB, 0xBF}) + std::string(1020, 'a') + Bytes({0xE2, 0x82, 0xAC}) +
                      std::string(2000, 'b');
  const auto text = ReadAllOf(bytes, kCrLf);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, std::u16string(1020, u'a') + u"\u20AC" + std::u16string(2000, u'b'));
}

TEST_F(TextFileTest, Utf16CrLfSplitOverTheBufferBoundary) {
  // After the two-byte mark, unit 510 is the last of the first buffer and
  // unit 511 the first of the second: put CR and LF there.
  std::string bytes = Bytes({0xFF, 0xFE});
  std::u16string expected;
  for (int i = 0; i < 1500; ++i) {
    const char16_t u = i == 510 ? char16_t(0x0D) : i == 511 ? char16_t(0x0A) : char16_t(0x4E00 + i);
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
    if (i == 510) expected += u"|";
    if (i != 510 && i != 511) expected += u;
  }
  const auto text = ReadAllOf(bytes, u"|");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, expected);
}

TEST_F(TextFileTest, MissingPathLeavesTheReaderClosed) {
  CTextFileRead reader((dir_ / "does-not-exist.txt").string());
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_TRUE(reader.atEnd);
  std::u16string text = u"kept";
  EXPECT_FALSE(reader.ReadAll(text, kCrLf));
  EXPECT_EQ(text, u"kept");
  std::u16string line = u"kept";
  EXPECT_FALSE(reader.ReadLine(line));
  EXPECT_EQ(line, u"kept");
}

TEST_F(TextFileTest, DirectoryLeavesTheReaderClosed) {
  fs::create_directories(dir_ / "sub");
  CTextFileRead reader((dir_ / "sub").string());
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_TRUE(reader.atEnd);
  std::u16string text = u"kept";
  EXPECT_FALSE(reader.ReadAll(text, kCrLf));
  EXPECT_EQ(text, u"kept");
}

TEST_F(TextFileTest, UnreadableFileLeavesTheReaderClosed) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  const std::string path = Write("secret");
  fs::permissions(path, fs::perms::none);
  CTextFileRead reader(path);
  EXPECT_FALSE(reader.IsOpen());
  std::u16string text = u"kept";
  EXPECT_FALSE(reader.ReadAll(text, kCrLf));
  EXPECT_EQ(text, u"kept");
}

TEST_F(TextFileTest, ReadErrorThrows) {
  // A directory stream opens on this platform, but reading it fails.
  std::FILE* f = std::fopen(dir_.string().c_str(), "rb");
  if (f == nullptr) GTEST_SKIP() << "directories cannot be opened as streams here";
  std::u16string text = u"kept";
  EXPECT_THROW(
      {
        CTextFileRead reader(f, true);
        reader.ReadAll(text, kCrLf);
      },
      CFileReadError);
  EXPECT_EQ(text, u"kept");
}

TEST_F(TextFileTest, BorrowedStreamStaysOpen) {
  const std::string path = Write("a\nb");
  std::FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  {
    CTextFileRead reader(f, false);
    std::u16string text;
    ASSERT_TRUE(reader.ReadAll(text, u"|"));
    EXPECT_EQ(text, u"a|b");
  }
  // Still ours to use and close.
  EXPECT_EQ(std::fseek(f, 0, SEEK_SET), 0);
  EXPECT_EQ(std::fgetc(f), 'a');
  std::fclose(f);
}

}  // namespace
