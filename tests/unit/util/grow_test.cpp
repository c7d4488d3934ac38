#include "util/grow.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace wrenhollow {
namespace {

TEST(ReserveGrowTest, NeededBelowCapacityChangesNothing) {
  int* block = static_cast<int*>(std::malloc(4 * sizeof(int)));
  int* const before = block;
  int capacity = 4;
  EXPECT_FALSE(ReserveGrow(&block, &capacity, 3, 4));
  EXPECT_EQ(block, before);
  EXPECT_EQ(capacity, 4);
  std::free(block);
}

TEST(ReserveGrowTest, GrowsUntilCapacityExceedsNeeded) {
  char* block = nullptr;
  int capacity = 0;
  EXPECT_TRUE(ReserveGrow(&block, &capacity, 0, 16));
  EXPECT_EQ(capacity, 16);
  EXPECT_TRUE(ReserveGrow(&block, &capacity, 16, 16));
  EXPECT_EQ(capacity, 32);
  // Several steps at once, still a multiple of the step.
  EXPECT_TRUE(ReserveGrow(&block, &capacity, 100, 16));
  EXPECT_EQ(capacity, 112);
  std::free(block);
}

TEST(ReserveGrowTest, KeepsOldElements) {
  int* block = nullptr;
  int capacity = 0;
  ASSERT_TRUE(ReserveGrow(&block, &capacity, 0, 3));
  for (int i = 0; i < capacity; ++i) block[i] = 100 + i;
  ASSERT_TRUE(ReserveGrow(&block, &capacity, 3, 3));
  ASSERT_EQ(capacity, 6);
  EXPECT_EQ(block[0], 100);
  EXPECT_EQ(block[1], 101);
  EXPECT_EQ(block[2], 102);
  std::free(block);
}

TEST(ReserveGrowTest, SizeBeyondIntLeavesBlockUntouched) {
  char* block = nullptr;
  int capacity = 0;
  ASSERT_TRUE(ReserveGrow(&block, &capacity, 10, 1024));
  char* const before = block;
  EXPECT_FALSE(ReserveGrow(&block, &capacity, INT_MAX, 1024));
  EXPECT_EQ(block, before);
  EXPECT_EQ(capacity, 1024);
  std::free(block);
}

TEST(ReserveGrowTest, NonPositiveStepFails) {
  char* block = nullptr;
  int capacity = 0;
  EXPECT_FALSE(ReserveGrow(&block, &capacity, 5, 0));
  EXPECT_FALSE(ReserveGrow(&block, &capacity, 5, -8));
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(capacity, 0);
}

}  // namespace
}  // namespace wrenhollow
