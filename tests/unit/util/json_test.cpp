#include "util/json.h"

#include <gtest/gtest.h>

#include <string>

#include "util/iso_time.h"
#include "util/utf8.h"

namespace wrenhollow {
namespace {

std::string Quoted(std::string_view utf8) {
  std::string out;
  AppendJsonString(out, utf8);
  return out;
}

TEST(JsonStringTest, EscapesQuotesBackslashAndControlBytesOnly) {
  EXPECT_EQ(Quoted(""), "\"\"");
  EXPECT_EQ(Quoted("a\"b\\c/d"), "\"a\\\"b\\\\c/d\"");
  EXPECT_EQ(Quoted("\b\f\n\r\t"), "\"\\b\\f\\n\\r\\t\"");
  EXPECT_EQ(Quoted(std::string_view("\x00\x01\x1f\x7f", 4)), "\"\\u0000\\u0001\\u001f\x7f\"");
  EXPECT_EQ(Quoted("\xC3\xA9"), "\"\xC3\xA9\"");
}

TEST(JsonParseTest, FlatObjectsOfStringsAndNumbers) {
  const auto members = ParseFlatJsonObject(
      " {\"a\":\"x\\u00e9\\ud83d\\ude00\\n\",\"b\" : -12.5e+3,\"c\":0 ,\"\":\"\\/\\\"\"} \r\n");
  ASSERT_TRUE(members);
  const JsonMembers expected = {{"a", "x\xC3\xA9\xF0\x9F\x98\x80\n"}, {"b", "-12.5e+3"}, {"c", "0"}, {"", "/\""}};
  EXPECT_EQ(*members, expected);
  EXPECT_EQ(ParseFlatJsonObject("{}")->size(), 0u);
  // A lone surrogate is kept as U+FFFD, so the text stays valid UTF-8.
  EXPECT_EQ(ParseFlatJsonObject("{\"s\":\"\\ud800x\"}")->front().second, "\xEF\xBF\xBDx");

  for (const char* malformed :
       {"", "{", "{\"a\":\"x\"", "{\"a\":\"x\"}{}", "{\"a\":\"x\",}", "{\"a\" \"x\"}", "[\"a\"]", "{\"a\":{}}",
        "{\"a\":true}", "{\"a\":01}", "{\"a\":1.}", "{\"a\":-}", "{\"a\":\"\t\"}", "{\"a\":\"\\x\"}",
        "{\"a\":\"\\u12g4\"}", "{\"a\":\"x}", "{a:\"x\"}", "{\"a\":\"x\"} x"}) {
    EXPECT_FALSE(ParseFlatJsonObject(malformed)) << malformed;
  }
}

// Every byte of the ANSI code page survives the way through UTF-8, a JSON string and back.
TEST(JsonParseTest, EveryAnsiByteRoundTrips) {
  std::string ansi;
  for (int byte = 1; byte < 256; ++byte) ansi.push_back(static_cast<char>(byte));
  const std::string utf8 = AnsiToUtf8(ansi);
  EXPECT_EQ(utf8.substr(0x7E, 4), "\x7F\xE2\x82\xAC");  // 0x80 is the euro sign, U+20AC
  const auto members = ParseFlatJsonObject("{\"t\":" + Quoted(utf8) + "}");
  ASSERT_TRUE(members);
  EXPECT_EQ(Utf8ToAnsi(members->front().second), ansi);
}

TEST(Utf8Test, MalformedSequencesBecomeQuestionMarks) {
  const struct { const char* utf8; const char* ansi; } cases[] = {
      {"\xC3\xA9", "\xE9"}, {"\xE2\x82\xAC", "\x80"},    {"\xF0\x9F\x98\x80", "?"},
      {"\xC3", "?"},        {"\x80x", "?x"},             {"\xC0\xAF", "??"},       // overlong "/"
      {"\xED\xA0\x80", "?"}, {"\xF5\x80\x80\x80", "????"}, {"\xE2\x82", "?"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
}

TEST(IsoTimeTest, FormatsAndParsesMillisecondsInUtc) {
  const struct { FileTime time; const char* text; } cases[] = {
      {133541212290000000, "2024-03-05T14:07:09.000Z"}, {133541212291239999, "2024-03-05T14:07:09.123Z"},
      {116444736000000000, "1970-01-01T00:00:00.000Z"}, {125911584000000000, "2000-01-01T00:00:00.000Z"},
      {125962560000000000, "2000-02-29T00:00:00.000Z"}, {10000, "1601-01-01T00:00:00.001Z"},
      {2650467743999990000, "9999-12-31T23:59:59.999Z"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatIsoUtc(c.time), c.text);
    EXPECT_EQ(ParseIsoUtc(c.text), c.time / 10000 * 10000) << c.text;
  }
  EXPECT_EQ(FormatIsoUtc(0), "");
  for (const char* malformed : {"", "2024-03-05T14:07:09Z", "2024-03-05 14:07:09.000Z", "2024-02-30T00:00:00.000Z",
                                "2023-02-29T00:00:00.000Z", "1600-12-31T23:59:59.999Z", "2024-13-01T00:00:00.000Z",
                                "2024-03-05T24:00:00.000Z", "2024-03-05T14:60:09.000Z", "2024-03-05T14:07:09.000+",
                                "2024-03-05T14:07:09.00xZ"}) {
    EXPECT_FALSE(ParseIsoUtc(malformed)) << malformed;
  }
}

// JsonEscapedLength must agree with what AppendJsonString writes, byte for byte.
TEST(JsonStringTest, EscapedLengthOfEveryByte) {
  for (int byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    EXPECT_EQ(JsonEscapedLength(c) + 2, Quoted(std::string_view(&c, 1)).size()) << byte;
  }
}

TEST(JsonObjectTest, NumberMemberJoinsTheObjectAtItsEnd) {
  const struct {
    JsonMembers members;
    uint64_t value;
    const char* expected;
  } cases[] = {
      {{}, 0, "x{\"n\":0}"},
      {{{"a", "1}"}}, 12, "x{\"a\":\"1}\",\"n\":12}"},
      {{{"a", ""}, {"b", "{"}}, UINT64_MAX, "x{\"a\":\"\",\"b\":\"{\",\"n\":18446744073709551615}"},
  };
  for (const auto& c : cases) {
    std::string out = "x";
    AppendJsonObject(out, c.members);
    AppendJsonNumberMember(out, "n", c.value);
    EXPECT_EQ(out, c.expected);
    const auto parsed = ParseFlatJsonObject(std::string_view(out).substr(1));
    ASSERT_TRUE(parsed) << out;
    EXPECT_EQ(parsed->back().second, std::to_string(c.value));
  }
}

}  // namespace
}  // namespace wrenhollow
