#include "util/clock.h"
#include "portable/clock_fixed.h"

#include <gtest/gtest.h>

namespace wrenhollow {
namespace {
TEST(FixedClockTest, FormatsUtcAndLeavesUnsetTimesEmpty) {
  constexpr FileTime kSecond = 10000000, k1986 = 121493952000000000, kLeapDay = 125963423990000000,
                     k2100 = 157520160000000000;
  const struct { FileTime time; const char* text; } cases[] = {
      {133541212290000000, "2024-03-05 14:07:09"},
      {133541212299999999, "2024-03-05 14:07:09"},  // sub-second ticks are dropped, not rounded
      {kLeapDay, "2000-02-29 23:59:59"}, {kLeapDay + kSecond, "2000-03-01 00:00:00"},
      {k2100, "2100-03-01 00:00:00"}, {k2100 - kSecond, "2100-02-28 23:59:59"},
      {0, ""}, {1, ""}, {121493951990000000, ""}, {k1986 - 1, ""}, {k1986, "1986-01-01 00:00:00"},
      {FileTime{1} << 63, ""}, {~FileTime{0}, ""},  // times the system refuses
  };
  FixedClock clock(0);
  for (const auto& c : cases) {
    char text[kDateTimeTextSize] = "#";
    clock.FormatDateTime(c.time, text);
    EXPECT_STREQ(text, c.text) << c.time;
  }
}
}  // namespace
}  // namespace wrenhollow
