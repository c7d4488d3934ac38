#include "util/clock_win32.h"

#include <gtest/gtest.h>

namespace wrenhollow {
namespace {
// These expectations hold for the test environment: TZ=UTC and LC_ALL=en_US.UTF-8.
TEST(SystemClockTest, FormatsShortDateAndTimeAndLeavesUnsetTimesEmpty) {
  const struct { FileTime time; const char* text; } cases[] = {
      {133541212290000000, "3/5/2024 2:07:09 PM"}, {121493952000000000, "1/1/1986 12:00:00 AM"},
      {0, ""}, {121493952000000000 - 1, ""}, {FileTime{1} << 63, ""},
  };
  SystemClock clock;
  for (const auto& c : cases) {
    char text[kDateTimeTextSize] = "#";
    clock.FormatDateTime(c.time, text);
    EXPECT_STREQ(text, c.text) << c.time;
  }
  EXPECT_GT(clock.NowUtc(), 133541212290000000u);
  EXPECT_EQ(clock.ToLocal(133541212290000000), 133541212290000000u);
}
}  // namespace
}  // namespace wrenhollow
