// The JSON helpers of tandrel-cli: ASCII-only output that keeps every 16-bit
// unit, and the strict reader of a --sample-json string literal.
#include <gtest/gtest.h>

#include <string>

#include "cli/JsonIn.h"
#include "cli/JsonOut.h"

namespace {

TEST(JsonOut, EscapesEveryUnitClass) {
  struct Case {
    std::u16string text;
    std::string json;
  };
  const Case cases[] = {
      {u"", "\"\""},
      {u"plain ASCII ~/", "\"plain ASCII ~/\""},
      {u"\"quoted\" \\", "\"\\\"quoted\\\" \\\\\""},
      {std::u16string(1, u'\0'), "\"\\u0000\""},
      {u"\t\n\r\x1f", "\"\\u0009\\u000a\\u000d\\u001f\""},
      {u"\x7f\x80\u00e9", "\"\\u007f\\u0080\\u00e9\""},
      {u"\u20ac\uffff", "\"\\u20ac\\uffff\""},
      {std::u16string{0xD83D, 0xDE00}, "\"\\ud83d\\ude00\""},
      {std::u16string{0xDC00, u'x', 0xD800}, "\"\\udc00x\\ud800\""},
  };
  for (const Case& c : cases) EXPECT_EQ(JsonString(c.text), c.json);
}

TEST(JsonOut, EveryUnitRoundTrips) {
  std::u16string all;
  for (uint32_t u = 0; u <= 0xFFFF; ++u) all += static_cast<char16_t>(u);
  const std::string json = JsonString(all);
  for (char c : json) ASSERT_TRUE(static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F);
  EXPECT_EQ(ParseJsonString(json), all);
}

TEST(JsonOut, ObjectKeepsMemberOrder) {
  CJsonObject o;
  o.AddNumber("b", -3);
  o.AddString("a", u"x");
  o.Add("list", JsonStringArray({u"1", u""}));
  o.Add("empty", JsonArray({}));
  EXPECT_EQ(o.Str(), "{\"b\":-3,\"a\":\"x\",\"list\":[\"1\",\"\"],\"empty\":[]}");
}

TEST(JsonIn, ReadsStringLiterals) {
  struct Case {
    std::string json;
    std::u16string text;
  };
  const Case cases[] = {
      {"\"\"", u""},
      {"  \"abc\"\n", u"abc"},
      {"\"\\\" \\\\ \\/ \\b \\f \\n \\r \\t\"", u"\" \\ / \b \f \n \r \t"},
      {"\"\\u00E9\\u00e9\"", u"\u00e9\u00e9"},
      {"\"\\ud800\"", std::u16string(1, static_cast<char16_t>(0xD800))},
      {"\"\\udc00\\ud800\"", std::u16string{0xDC00, 0xD800}},
      {"\"\\u0000\"", std::u16string(1, u'\0')},
      {"\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\"", std::u16string{0x00E9, 0x20AC, 0xD83D, 0xDE00}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseJsonString(c.json), c.text) << c.json;
}

TEST(JsonIn, RefusesWhatIsNotOneStringLiteral) {
  const std::string bad[] = {
      "",           "abc",        "\"abc",          "'abc'",      "\"a\" x",     "\"a\"\"b\"",
      "\"\\x\"",    "\"\\u12\"",  "\"\\u12G4\"",    "\"\\",       "\"a\tb\"",    "\"\xC3\"",
      "\"\xC0\xAF\"", "\"\xED\xA0\x80\"", "\"\xF5\x80\x80\x80\"", "\"\x80\"", "123",
  };
  for (const std::string& s : bad) EXPECT_THROW(ParseJsonString(s), CJsonError) << s;
}

}  // namespace
