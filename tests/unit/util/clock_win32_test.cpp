#include "util/clock_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace wrenhollow {
namespace {

// These expectations hold for the test environment: TZ=UTC and LC_ALL=en_US.UTF-8.
std::string Format(FileTime time) {
  SystemClock clock;
  char text[kDateTimeTextSize];
  text[0] = '#';
  clock.FormatDateTime(time, text);
  return text;
}

TEST(SystemClockTest, FormatsShortDateAndTime) {
  EXPECT_EQ(Format(133541212290000000), "3/5/2024 2:07:09 PM");
  EXPECT_EQ(Format(121493952000000000), "1/1/1986 12:00:00 AM");
}

TEST(SystemClockTest, ZeroAnd1985AndEarlierAreEmpty) {
  EXPECT_EQ(Format(0), "");
  EXPECT_EQ(Format(121493952000000000 - 1), "");
  EXPECT_EQ(Format(FileTime{1} << 63), "");
}

TEST(SystemClockTest, NowIsRecentAndLocalIsUtcHere) {
  SystemClock clock;
  const FileTime now = clock.NowUtc();
  EXPECT_GT(now, 133541212290000000u);
  EXPECT_EQ(clock.ToLocal(133541212290000000), 133541212290000000u);
}

}  // namespace
}  // namespace wrenhollow
