#include "forward/bounded_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace wrenhollow {
namespace {

using namespace std::chrono_literals;

BoundedQueue<int>::Deadline Now() { return std::chrono::steady_clock::now(); }

// Every item left, oldest first, each with the drops counted before it.
std::vector<std::pair<int, uint64_t>> Drain(BoundedQueue<int>& queue) {
  std::vector<std::pair<int, uint64_t>> items;
  while (auto taken = queue.Pop(Now())) items.emplace_back(taken->item, taken->droppedBefore);
  return items;
}

TEST(BoundedQueueTest, FullQueueDropsTheOldestAndTellsTheNextPop) {
  const struct {
    int pushed;
    std::vector<std::pair<int, uint64_t>> expected;
  } cases[] = {
      {0, {}},
      {2, {{1, 0}, {2, 0}}},
      {3, {{1, 0}, {2, 0}, {3, 0}}},
      {4, {{2, 1}, {3, 0}, {4, 0}}},
      {10, {{8, 7}, {9, 0}, {10, 0}}},
  };
  for (const auto& c : cases) {
    BoundedQueue<int> queue(3);
    for (int i = 1; i <= c.pushed; ++i) queue.Push(i);
    EXPECT_EQ(Drain(queue), c.expected) << c.pushed;
  }
}

TEST(BoundedQueueTest, DropsAreCountedAgainAfterAPop) {
  BoundedQueue<int> queue(2);
  for (int i = 1; i <= 4; ++i) queue.Push(i);
  EXPECT_EQ(queue.Pop(Now())->droppedBefore, 2u);
  for (int i = 5; i <= 6; ++i) queue.Push(i);
  EXPECT_EQ(Drain(queue), (std::vector<std::pair<int, uint64_t>>{{5, 1}, {6, 0}}));
}

TEST(BoundedQueueTest, PopWaitsUntilAnItemOrTheDeadline) {
  BoundedQueue<int> queue(4);
  const auto start = Now();
  EXPECT_FALSE(queue.Pop(start + 20ms));
  EXPECT_GE(Now() - start, 20ms);

  std::thread pusher([&] {
    std::this_thread::sleep_for(10ms);
    queue.Push(7);
  });
  const auto taken = queue.Pop(Now() + 60s);
  pusher.join();
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->item, 7);
}

TEST(BoundedQueueTest, CloseWakesWaitersAndLeavesItemsToTake) {
  BoundedQueue<int> queue(4);
  EXPECT_FALSE(queue.WaitForClose(Now() + 5ms));
  std::thread closer([&] {
    std::this_thread::sleep_for(10ms);
    queue.Close();
  });
  const auto start = Now();
  EXPECT_FALSE(queue.Pop(start + 10s));
  EXPECT_LT(Now() - start, 10s);  // woken, not timed out
  closer.join();
  EXPECT_TRUE(queue.WaitForClose(Now() + 60s));

  queue.Push(1);
  queue.Push(2);
  EXPECT_EQ(Drain(queue), (std::vector<std::pair<int, uint64_t>>{{1, 0}, {2, 0}}));
}

}  // namespace
}  // namespace wrenhollow
