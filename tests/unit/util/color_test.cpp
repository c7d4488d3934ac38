#include "util/color.h"

#include <gtest/gtest.h>

namespace wrenhollow {
namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00FF00;
constexpr Color kBlue = 0xFF0000;

TEST(BlendColorTest, OneStopIsThatStopAndNoneIsBlack) {
  const Color stops[] = {0x123456};
  EXPECT_EQ(BlendColor(stops, 1, 7, 10), 0x123456u);
  EXPECT_EQ(BlendColor(stops, 1, 0, 0), 0x123456u);
  EXPECT_EQ(BlendColor(nullptr, 0, 1, 2), 0u);
}

TEST(BlendColorTest, TwoStopsTruncateEachChannel) {
  const Color stops[] = {kRed, kBlue};
  EXPECT_EQ(BlendColor(stops, 2, 50, 100), 0x7F007Fu);
  EXPECT_EQ(BlendColor(stops, 2, 0, 100), kRed);
  EXPECT_EQ(BlendColor(stops, 2, 100, 100), kBlue);
  // 255 / 4 = 63.75 and 255 - 63.75 = 191.25.
  EXPECT_EQ(BlendColor(stops, 2, 1, 4), 0x3F00BFu);
}

TEST(BlendColorTest, ThreeStopsPickTheSegment) {
  const Color stops[] = {kRed, kGreen, kBlue};
  EXPECT_EQ(BlendColor(stops, 3, 50, 100), kGreen);
  EXPECT_EQ(BlendColor(stops, 3, 25, 100), 0x007F7Fu);
  EXPECT_EQ(BlendColor(stops, 3, 75, 100), 0x7F7F00u);
  // The last segment also holds the maximum itself.
  EXPECT_EQ(BlendColor(stops, 3, 100, 100), kBlue);
}

TEST(BlendColorTest, ValuesOutsideTheRangeStayWithinTheStops) {
  const Color stops[] = {0x000010, 0x0000F0};
  EXPECT_EQ(BlendColor(stops, 2, -20, 100), 0x000010u);
  EXPECT_EQ(BlendColor(stops, 2, 300, 100), 0x0000F0u);
  EXPECT_EQ(BlendColor(stops, 2, 5, 0), 0x000010u);
}

TEST(BlendColorTest, IgnoresTheTopByte) {
  const Color stops[] = {0xAA000000, 0xBB0000FF};
  EXPECT_EQ(BlendColor(stops, 2, 1, 1), 0x0000FFu);
}

}  // namespace
}  // namespace wrenhollow
