#include "util/hex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace wrenhollow {
namespace {
// Encodes into a buffer of `size` followed by a guard byte, which must survive; true must mean text was written.
std::string Encode(const std::vector<uint8_t>& bytes, int count, size_t size) {
  std::vector<char> text(size + 2, '#');
  text.back() = '\0';
  const bool encoded = HexEncode(bytes.data(), count, text.data(), size);
  EXPECT_EQ(encoded, text[0] != '\0') << count << " bytes in " << size;
  EXPECT_EQ(text[size], '#') << count << " bytes in " << size;
  return text.data();
}

TEST(HexEncodeTest, UpperCaseWholePairsSeparatedByOneSpace) {
  const std::vector<uint8_t> three = {0x12, 0x34, 0x56};
  const struct { std::vector<uint8_t> bytes; int count; size_t size; const char* text; } cases[] = {
      {{1}, 0, kHexTextSize, ""}, {{1}, -3, kHexTextSize, ""}, {{0x0F}, 1, kHexTextSize, "0F"},
      {{1, 171}, 2, kHexTextSize, "01 AB"}, {{0x00, 0xFF, 0x9A}, 3, kHexTextSize, "00 FF 9A"},
      {three, 3, 6, "12 34"}, {three, 3, 5, "12"}, {three, 3, 2, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Encode(c.bytes, c.count, c.size), c.text);
}

TEST(HexEncodeTest, LongestTextFillsTheBufferExactlyAndDecodesBack) {
  std::vector<uint8_t> bytes(kHexMaxBytes + 1);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 11);
  const std::string longest = Encode(bytes, kHexMaxBytes, kHexTextSize);
  EXPECT_EQ(longest.size(), kHexTextSize - 1);
  EXPECT_EQ(longest.substr(longest.size() - 5), "78 9D");
  // More bytes, even with a larger buffer, still give the longest text.
  for (size_t size : {kHexTextSize, kHexTextSize + 3}) EXPECT_EQ(Encode(bytes, kHexMaxBytes + 1, size), longest);
  std::vector<uint8_t> decoded(kHexMaxBytes + 5);
  int count = static_cast<int>(decoded.size());
  ASSERT_TRUE(HexDecode(longest.c_str(), &count, decoded.data()));
  ASSERT_EQ(count, kHexMaxBytes);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end() - 1, decoded.begin()));
}

TEST(HexDecodeTest, ReadsPairsUpToCapacityAndWritesNothingMore) {
  // No bytes expected: a failure that leaves count and bytes as they were.
  const struct { const char* text; int capacity; std::vector<uint8_t> bytes; } cases[] = {
      {"  01 ab   FF ", 8, {0x01, 0xAB, 0xFF}},
      {"0102A", 8, {0x01, 0x02, 0x0A}},     // pairs need no separator; an odd digit stands alone
      {"Ag zz", 4, {0x0A, 0x00}},           // a malformed pair gives its leading digits
      {"01\tA -1", 8, {0x01, 0x00, 0x00}},  // only spaces separate; no leading digit gives 0
      {"01 AB", 1, {0x01}}, {"FE DC BA", 2, {0xFE, 0xDC}}, {"", 2, {}}, {"    ", 2, {}}, {"01", 0, {}},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> buffer(static_cast<size_t>(c.capacity) + 2, 0xEE), expected = buffer;
    std::copy(c.bytes.begin(), c.bytes.end(), expected.begin());
    int count = c.capacity;
    EXPECT_EQ(HexDecode(c.text, &count, buffer.data()), !c.bytes.empty()) << c.text;
    EXPECT_EQ(count, c.bytes.empty() ? c.capacity : static_cast<int>(c.bytes.size())) << c.text;
    EXPECT_EQ(buffer, expected) << c.text;
  }
}

}  // namespace
}  // namespace wrenhollow
