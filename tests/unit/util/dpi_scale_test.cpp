#include "util/dpi_scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace wrenhollow {
namespace {
TEST(DpiScaleTest, ScalesToTheNearestPixelWithHalvesAwayFromZero) {
  const struct { int size, dpi, expected; } cases[] = {
      {100, 96, 100}, {1999, 96, 1999}, {-7, 96, -7}, {0, 144, 0},
      {100, 120, 125}, {1, 120, 1}, {2, 120, 3},    // 1.25 and 2.5
      {3, 120, 4}, {-2, 120, -3}, {-3, 120, -4},    // 3.75, -2.5, -3.75
      {100, 144, 150}, {1, 144, 2}, {3, 144, 5}, {-1, 144, -2},  // 1.5, 4.5, -1.5
      {16, 144, 24}, {300, 144, 450}, {14, 144, 21},
      {100, 192, 200}, {1, 192, 2}, {16, 192, 32},
      {1, 97, 1}, {48, 97, 49}, {47, 97, 47},       // 48.5 and 47.49
      // Below 96 (an unreadable 0 too) nothing shrinks.
      {100, 72, 100}, {100, 0, 100}, {100, -144, 100},
      // Held to the range of int instead of wrapping.
      {INT_MAX, 192, INT_MAX}, {INT_MIN, 192, INT_MIN}, {INT_MAX / 2, 192, INT_MAX - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ScaleToDpi(c.size, c.dpi), c.expected) << c.size << " at " << c.dpi;
}

TEST(DpiScaleTest, UnscalesToTheNearestSizeAndKeepsWhatIsNotZeroFromBecomingZero) {
  const struct { int pixels, dpi, expected; } cases[] = {
      {150, 144, 100}, {450, 144, 300}, {151, 144, 101}, {149, 144, 99},  // 100.67 and 99.33
      {125, 120, 100}, {126, 120, 101}, {2, 120, 2},                      // 100.8 and 1.6
      {3, 192, 2}, {5, 192, 3}, {-3, 192, -2},                            // 1.5, 2.5, -1.5
      {0, 192, 0}, {1, 192, 1}, {1, 288, 1}, {-1, 288, -1},               // 0.5, 0.33, -0.33
      {777, 96, 777}, {777, 50, 777}, {777, 0, 777},
  };
  for (const auto& c : cases) EXPECT_EQ(UnscaleFromDpi(c.pixels, c.dpi), c.expected) << c.pixels << " at " << c.dpi;
}

TEST(DpiScaleTest, EveryStoredSizeComesBackUnchangedAtEveryScreenDpi) {
  // Every value a stored column width can hold at each 25 % step of scaling; a smaller range at odd resolutions.
  for (int dpi = 96; dpi <= 400; ++dpi) {
    const bool quarterStep = dpi % 24 == 0;
    if (!quarterStep && dpi % 7 != 6) continue;
    for (int size = quarterStep ? INT16_MIN : -2000; size <= (quarterStep ? INT16_MAX : 2000); ++size) {
      const int pixels = ScaleToDpi(size, dpi);
      if (UnscaleFromDpi(pixels, dpi) != size) {
        ADD_FAILURE() << size << " at " << dpi << " DPI shows as " << pixels << " and comes back as "
                      << UnscaleFromDpi(pixels, dpi);
        break;
      }
    }
  }
}

}  // namespace
}  // namespace wrenhollow
