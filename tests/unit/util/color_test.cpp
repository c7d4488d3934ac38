#include "util/color.h"

#include <gtest/gtest.h>

namespace wrenhollow {
namespace {
TEST(BlendColorTest, InterpolatesEachChannelTruncatedWithinTheStops) {
  constexpr Color kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;
  const Color one[] = {0x123456}, two[] = {kRed, kBlue}, three[] = {kRed, kGreen, kBlue};
  const Color dim[] = {0x000010, 0x0000F0}, topByte[] = {0xAA000000, 0xBB0000FF};
  const struct { const Color* stops; int count, value, maximum; Color expected; } cases[] = {
      {one, 1, 7, 10, 0x123456}, {one, 1, 0, 0, 0x123456}, {nullptr, 0, 1, 2, 0},
      {two, 2, 50, 100, 0x7F007F}, {two, 2, 0, 100, kRed}, {two, 2, 100, 100, kBlue},
      {two, 2, 1, 4, 0x3F00BF},  // 255 / 4 = 63.75 and 255 - 63.75 = 191.25
      {three, 3, 50, 100, kGreen}, {three, 3, 25, 100, 0x007F7F}, {three, 3, 75, 100, 0x7F7F00},
      {three, 3, 100, 100, kBlue},  // the last segment also holds the maximum itself
      {dim, 2, -20, 100, 0x000010}, {dim, 2, 300, 100, 0x0000F0}, {dim, 2, 5, 0, 0x000010},
      {topByte, 2, 1, 1, 0x0000FF},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BlendColor(c.stops, c.count, c.value, c.maximum), c.expected)
        << c.count << " stops at " << c.value << "/" << c.maximum;
  }
}
}  // namespace
}  // namespace wrenhollow
