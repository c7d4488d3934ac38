#include "util/hex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace wrenhollow {
namespace {

std::vector<uint8_t> Pattern(int count) {
  std::vector<uint8_t> bytes(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 37 + 11);
  return bytes;
}

TEST(HexEncodeTest, NoBytesGivesEmptyTextAndFalse) {
  char text[kHexTextSize] = "junk";
  const uint8_t byte = 1;
  EXPECT_FALSE(HexEncode(&byte, 0, text, sizeof text));
  EXPECT_STREQ(text, "");
  std::strcpy(text, "junk");
  EXPECT_FALSE(HexEncode(&byte, -3, text, sizeof text));
  EXPECT_STREQ(text, "");
}

TEST(HexEncodeTest, PairsSeparatedByOneSpaceUpperCase) {
  char text[kHexTextSize];
  const uint8_t one[] = {0x0F};
  EXPECT_TRUE(HexEncode(one, 1, text, sizeof text));
  EXPECT_STREQ(text, "0F");
  const uint8_t two[] = {1, 171};
  EXPECT_TRUE(HexEncode(two, 2, text, sizeof text));
  EXPECT_STREQ(text, "01 AB");
  const uint8_t edges[] = {0x00, 0xFF, 0x9A};
  EXPECT_TRUE(HexEncode(edges, 3, text, sizeof text));
  EXPECT_STREQ(text, "00 FF 9A");
}

TEST(HexEncodeTest, LongestTextFillsTheBufferExactly) {
  const std::vector<uint8_t> bytes = Pattern(kHexMaxBytes + 1);
  std::vector<char> text(kHexTextSize + 1, '#');
  EXPECT_TRUE(HexEncode(bytes.data(), kHexMaxBytes, text.data(), kHexTextSize));
  EXPECT_EQ(std::strlen(text.data()), kHexTextSize - 1);
  EXPECT_EQ(text[kHexTextSize], '#');
  EXPECT_EQ(std::string(text.data() + kHexTextSize - 6), "78 9D");

  const std::string longest(text.data());
  EXPECT_TRUE(HexEncode(bytes.data(), kHexMaxBytes + 1, text.data(), kHexTextSize));
  EXPECT_EQ(std::string(text.data()), longest);
  EXPECT_EQ(text[kHexTextSize], '#');
}

TEST(HexEncodeTest, SmallBufferTakesOnlyWholePairs) {
  const uint8_t bytes[] = {0x12, 0x34, 0x56};
  char text[8];
  std::memset(text, '#', sizeof text);
  EXPECT_TRUE(HexEncode(bytes, 3, text, 6));
  EXPECT_STREQ(text, "12 34");
  EXPECT_TRUE(HexEncode(bytes, 3, text, 5));
  EXPECT_STREQ(text, "12");
  EXPECT_FALSE(HexEncode(bytes, 3, text, 2));
  EXPECT_STREQ(text, "");
}

TEST(HexDecodeTest, ReadsPairsAndSkipsSpaces) {
  uint8_t bytes[8] = {};
  int count = 8;
  EXPECT_TRUE(HexDecode("  01 ab   FF ", &count, bytes));
  ASSERT_EQ(count, 3);
  EXPECT_EQ(bytes[0], 0x01);
  EXPECT_EQ(bytes[1], 0xAB);
  EXPECT_EQ(bytes[2], 0xFF);
}

TEST(HexDecodeTest, PairsNeedNoSeparatorAndOddDigitStandsAlone) {
  uint8_t bytes[8] = {};
  int count = 8;
  EXPECT_TRUE(HexDecode("0102A", &count, bytes));
  ASSERT_EQ(count, 3);
  EXPECT_EQ(bytes[0], 0x01);
  EXPECT_EQ(bytes[1], 0x02);
  EXPECT_EQ(bytes[2], 0x0A);
}

TEST(HexDecodeTest, MalformedPairGivesItsLeadingDigits) {
  uint8_t bytes[4] = {};
  int count = 4;
  EXPECT_TRUE(HexDecode("Ag zz", &count, bytes));
  ASSERT_EQ(count, 2);
  EXPECT_EQ(bytes[0], 0x0A);
  EXPECT_EQ(bytes[1], 0x00);
}

TEST(HexDecodeTest, StopsAtCapacityAndLeavesTheRest) {
  uint8_t bytes[3] = {0xEE, 0xEE, 0xEE};
  int count = 1;
  EXPECT_TRUE(HexDecode("01 AB", &count, bytes));
  EXPECT_EQ(count, 1);
  EXPECT_EQ(bytes[0], 0x01);
  EXPECT_EQ(bytes[1], 0xEE);
  count = 2;
  EXPECT_TRUE(HexDecode("FE DC BA", &count, bytes));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(bytes[1], 0xDC);
  EXPECT_EQ(bytes[2], 0xEE);
}

TEST(HexDecodeTest, NothingStoredIsFailureWithOutputsUntouched) {
  uint8_t bytes[2] = {0xEE, 0xEE};
  int count = 2;
  EXPECT_FALSE(HexDecode("", &count, bytes));
  EXPECT_FALSE(HexDecode("    ", &count, bytes));
  EXPECT_EQ(count, 2);
  count = 0;
  EXPECT_FALSE(HexDecode("01", &count, bytes));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(bytes[0], 0xEE);
}

TEST(HexDecodeTest, RoundTripOfLongestText) {
  const std::vector<uint8_t> bytes = Pattern(kHexMaxBytes);
  std::vector<char> text(kHexTextSize);
  ASSERT_TRUE(HexEncode(bytes.data(), kHexMaxBytes, text.data(), text.size()));
  std::vector<uint8_t> decoded(kHexMaxBytes + 5);
  int count = static_cast<int>(decoded.size());
  ASSERT_TRUE(HexDecode(text.data(), &count, decoded.data()));
  ASSERT_EQ(count, kHexMaxBytes);
  decoded.resize(kHexMaxBytes);
  EXPECT_EQ(decoded, bytes);
}

TEST(ParseHexNumberTest, ReadsLeadingHexDigits) {
  EXPECT_EQ(ParseHexNumber("1a2B"), 0x1A2Bu);
  EXPECT_EQ(ParseHexNumber("0x10"), 0x10u);
  EXPECT_EQ(ParseHexNumber("ffZ9"), 0xFFu);
  EXPECT_EQ(ParseHexNumber("g"), 0u);
  EXPECT_EQ(ParseHexNumber(""), 0u);
}

}  // namespace
}  // namespace wrenhollow
