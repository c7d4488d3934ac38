#include "util/string_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace wrenhollow {
namespace {
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
