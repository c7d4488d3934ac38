#include "util/clock.h"

#include <gtest/gtest.h>

#include <string>

namespace wrenhollow {
namespace {

constexpr FileTime kTicksPerSecond = 10000000;

std::string Format(FileTime time) {
  FixedClock clock(0);
  char text[kDateTimeTextSize];
  text[0] = '#';
  clock.FormatDateTime(time, text);
  return text;
}

TEST(FixedClockTest, FormatsUtcDateAndTime) {
  EXPECT_EQ(Format(133541212290000000), "2024-03-05 14:07:09");
  // Sub-second ticks are dropped, not rounded.
  EXPECT_EQ(Format(133541212299999999), "2024-03-05 14:07:09");
  EXPECT_EQ(Format(125963423990000000), "2000-02-29 23:59:59");
  EXPECT_EQ(Format(125963423990000000 + kTicksPerSecond), "2000-03-01 00:00:00");
  EXPECT_EQ(Format(157520160000000000), "2100-03-01 00:00:00");
  EXPECT_EQ(Format(157520160000000000 - kTicksPerSecond), "2100-02-28 23:59:59");
}

TEST(FixedClockTest, ZeroAnd1985AndEarlierAreEmpty) {
  EXPECT_EQ(Format(0), "");
  EXPECT_EQ(Format(1), "");
  EXPECT_EQ(Format(121493951990000000), "");
  EXPECT_EQ(Format(121493952000000000 - 1), "");
  EXPECT_EQ(Format(121493952000000000), "1986-01-01 00:00:00");
}

TEST(FixedClockTest, TimesTheSystemRefusesAreEmpty) {
  EXPECT_EQ(Format(FileTime{1} << 63), "");
  EXPECT_EQ(Format(~FileTime{0}), "");
}

}  // namespace
}  // namespace wrenhollow
