#include "util/grow.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace wrenhollow {
namespace {
TEST(ReserveGrowTest, GrowsByWholeStepsPastNeededKeepingElements) {
  int* block = nullptr;
  int capacity = 0;
  EXPECT_FALSE(ReserveGrow(&block, &capacity, 5, 0));
  EXPECT_FALSE(ReserveGrow(&block, &capacity, 5, -8));
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(capacity, 0);
  ASSERT_TRUE(ReserveGrow(&block, &capacity, 0, 16));
  ASSERT_EQ(capacity, 16);
  for (int i = 0; i < 16; ++i) block[i] = 100 + i;
  EXPECT_TRUE(ReserveGrow(&block, &capacity, 16, 16));  // needed equal to the capacity grows too
  EXPECT_EQ(capacity, 32);
  EXPECT_TRUE(ReserveGrow(&block, &capacity, 100, 16));
  EXPECT_EQ(capacity, 112);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(block[i], 100 + i) << i;
  int* const before = block;
  EXPECT_FALSE(ReserveGrow(&block, &capacity, 111, 16));
  EXPECT_FALSE(ReserveGrow(&block, &capacity, INT_MAX, 16));
  EXPECT_EQ(block, before);
  EXPECT_EQ(capacity, 112);
  std::free(block);
}
}  // namespace
}  // namespace wrenhollow
