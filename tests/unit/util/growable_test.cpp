#include "util/grow.h"
#include "util/string_buffer.h"
#include "util/string_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

// The growable arrays: the growth rule they share, and the two text stores built on it.
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

// Text, length and capacity.
std::string State(const StringBuffer& buffer) {
  return std::string(buffer.Text()) + "|" + std::to_string(buffer.Length()) + "|" + std::to_string(buffer.Capacity());
}

TEST(StringBufferTest, GrowsInStepsAndFailedGrowthChangesNothing) {
  StringBuffer buffer(4);
  EXPECT_EQ(State(buffer), "|0|0");
  EXPECT_TRUE(buffer.Append("abc"));
  EXPECT_EQ(State(buffer), "abc|3|4");
  EXPECT_TRUE(buffer.Append("defgh", 2));
  EXPECT_TRUE(buffer.Append(""));
  EXPECT_FALSE(buffer.Append("x", INT_MAX - 2));
  EXPECT_FALSE(buffer.Reserve(INT_MAX));
  EXPECT_EQ(State(buffer), "abcde|5|8");
}

TEST(StringBufferTest, ReserveDirectWritesAndFree) {
  StringBuffer buffer;
  EXPECT_TRUE(buffer.Reserve(256));
  EXPECT_EQ(State(buffer), "|0|512");
  ASSERT_TRUE(buffer.Append("hello world"));
  EXPECT_TRUE(buffer.Reserve(10));  // already room: nothing changes, still a success
  EXPECT_EQ(State(buffer), "hello world|11|512");
  EXPECT_TRUE(buffer.Append(std::string(600, 'z').c_str()));
  EXPECT_EQ(buffer.Capacity(), 768);
  buffer.Free();
  EXPECT_EQ(State(buffer), "|0|0");
  EXPECT_TRUE(buffer.Append("again"));
  EXPECT_EQ(State(buffer), "again|5|256");
}

// Every text in brackets, then the characters used and both capacities.
std::string State(const StringList& list) {
  std::string state;
  for (int i = 0; i < list.Count(); ++i) state += "[" + std::string(list.Get(i) ? list.Get(i) : "<null>") + "]";
  return state + " " + std::to_string(list.CharsUsed()) + " " + std::to_string(list.CharCapacity()) + " " +
         std::to_string(list.OffsetCapacity());
}

TEST(StringListTest, AppendGetAndFindExact) {
  StringList list;
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_EQ(list.FindExact(""), -1);
  const char* const texts[] = {"alpha", "gamma", "", "Disk", "disk", "Disk"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(list.Append(texts[i], i == 1 ? 3 : -1), i);
  EXPECT_EQ(State(list), "[alpha][gam][][Disk][disk][Disk] 26 1024 256");
  for (int index : {-1, 6, INT_MAX}) EXPECT_EQ(list.Get(index), nullptr) << index;
  // Case matters and the newest wins.
  const struct { const char* text; int at; } finds[] = {{"Disk", 5}, {"disk", 4}, {"", 2}, {"DISK", -1}, {"Dis", -1}};
  for (const auto& f : finds) EXPECT_EQ(list.FindExact(f.text), f.at) << f.text;
}

TEST(StringListTest, ReserveGrowsOnceByWholeStepsAndKeepsTheTexts) {
  StringList list;
  list.Append("kept");
  ASSERT_TRUE(list.Reserve(5000, 300));
  EXPECT_EQ(State(list), "[kept] 5 5120 512");  // 5 + 5000 needed: the next multiple of 1024 above
  EXPECT_TRUE(list.Reserve(10, 10));             // room already there: nothing changes
  EXPECT_EQ(State(list), "[kept] 5 5120 512");
  EXPECT_FALSE(list.Reserve(-1, 0));
  EXPECT_FALSE(list.Reserve(INT_MAX, 0));
  EXPECT_EQ(State(list), "[kept] 5 5120 512");
}

TEST(StringListTest, BlocksGrowByTheirStepsOnlyWhenFull) {
  StringList list;
  const std::string a(1000, 'a'), b(21, 'b');
  std::string texts = "[" + a + "][" + b + "]";
  EXPECT_EQ(list.Append(a.c_str()), 0);
  EXPECT_EQ(list.Append(b.c_str()), 1);
  EXPECT_EQ(State(list), texts + " 1023 1024 256");
  // 1023 used + 0 + 1 = 1024 needed, which is not below 1024.
  EXPECT_EQ(list.Append(""), 2);
  texts += "[]";
  EXPECT_EQ(State(list), texts + " 1024 2048 256");
  for (int i = 3; i < 256; ++i) {
    ASSERT_EQ(list.Append(std::to_string(i).c_str()), i);
    texts += "[" + std::to_string(i) + "]";
  }
  EXPECT_EQ(list.OffsetCapacity(), 256);
  EXPECT_EQ(list.Append("256"), 256);
  EXPECT_EQ(State(list), texts + "[256] 1936 2048 512");
}

TEST(StringListTest, FailedAppendFreeAndInit) {
  StringList list;
  for (const char* text : {"a", "bc", "d", "whole"}) list.Append(text);
  // The growth fails before any character of the text would be read, and the list is unchanged.
  EXPECT_EQ(list.Append("abc", INT_MAX - 2), -1);
  EXPECT_EQ(State(list), "[a][bc][d][whole] 13 1024 256");
  EXPECT_EQ(list.Append("next"), 4);
  list.Free();
  EXPECT_EQ(State(list), " 0 0 0");
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_EQ(list.Append("three"), 0);
  EXPECT_EQ(State(list), "[three] 6 1024 256");
  list.Init();
  EXPECT_EQ(State(list), " 0 0 0");
  EXPECT_EQ(list.FindExact("three"), -1);
}
}  // namespace
}  // namespace wrenhollow
