#include "ui/window_map_win32.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace wrenhollow {
namespace {

HWND FakeHandle(int index) { return reinterpret_cast<HWND>(static_cast<intptr_t>(0x1000 + index)); }

TEST(WindowMapTest, GrowsByEightKeepingEntriesAndReusesFreedSlots) {
  WindowMap<int> map;
  int objects[10] = {};
  EXPECT_EQ(map.Find(FakeHandle(0)), nullptr);
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(map.Insert(&objects[i], FakeHandle(i)));
  EXPECT_EQ(map.Capacity(), 8u);
  EXPECT_TRUE(map.Insert(&objects[8], FakeHandle(8)));
  EXPECT_EQ(map.Capacity(), 16u);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(map.Find(FakeHandle(i)), &objects[i]) << i;

  EXPECT_TRUE(map.Remove(&objects[3]));
  EXPECT_FALSE(map.Remove(&objects[3]));
  EXPECT_EQ(map.Find(FakeHandle(3)), nullptr);
  EXPECT_TRUE(map.Insert(&objects[9], FakeHandle(9)));
  EXPECT_EQ(map.Capacity(), 16u);
  EXPECT_EQ(map.Find(FakeHandle(9)), &objects[9]);
  EXPECT_EQ(map.Find(FakeHandle(8)), &objects[8]);
}

}  // namespace
}  // namespace wrenhollow
