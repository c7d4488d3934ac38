#include "util/string_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace wrenhollow {
namespace {

TEST(StringListTest, AppendReturnsIndexesAndStoresTerminatedTexts) {
  StringList list;
  EXPECT_EQ(list.Append("alpha"), 0);
  EXPECT_EQ(list.Append("beta"), 1);
  EXPECT_EQ(list.Append("gamma", 3), 2);
  EXPECT_EQ(list.Append(""), 3);
  EXPECT_STREQ(list.Get(0), "alpha");
  EXPECT_STREQ(list.Get(1), "beta");
  EXPECT_STREQ(list.Get(2), "gam");
  EXPECT_STREQ(list.Get(3), "");
  EXPECT_EQ(list.CharsUsed(), 6 + 5 + 4 + 1);
  EXPECT_EQ(list.CharCapacity(), StringList::kCharStep);
  EXPECT_EQ(list.OffsetCapacity(), StringList::kOffsetStep);
}

TEST(StringListTest, GetOutOfRangeGivesNone) {
  StringList list;
  list.Append("x");
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(1), nullptr);
  EXPECT_EQ(list.Get(INT_MAX), nullptr);
  StringList empty;
  EXPECT_EQ(empty.Get(0), nullptr);
  EXPECT_EQ(empty.FindExact(""), -1);
}

TEST(StringListTest, UsedSizeOfExactlyOneStepGrowsToTwo) {
  StringList list;
  list.Append(std::string(1000, 'a').c_str());
  ASSERT_EQ(list.CharCapacity(), 1024);
  // 1001 used + 22 + 1 = 1024 needed, which is not below 1024.
  list.Append(std::string(22, 'b').c_str());
  EXPECT_EQ(list.CharsUsed(), 1024);
  EXPECT_EQ(list.CharCapacity(), 2048);
  EXPECT_EQ(list.Get(0), std::string(1000, 'a'));
  EXPECT_EQ(list.Get(1), std::string(22, 'b'));
}

TEST(StringListTest, UsedSizeOneBelowStepDoesNotGrow) {
  StringList list;
  list.Append(std::string(1022, 'a').c_str());
  EXPECT_EQ(list.CharsUsed(), 1023);
  EXPECT_EQ(list.CharCapacity(), 1024);
}

TEST(StringListTest, OffsetsGrowAtTheirStep) {
  StringList list;
  for (int i = 0; i < 256; ++i) ASSERT_EQ(list.Append(std::to_string(i).c_str()), i);
  EXPECT_EQ(list.OffsetCapacity(), 256);
  EXPECT_EQ(list.Append("256"), 256);
  EXPECT_EQ(list.OffsetCapacity(), 512);
  for (int i = 0; i <= 256; ++i) EXPECT_EQ(list.Get(i), std::to_string(i));
}

TEST(StringListTest, FindExactIsCaseSensitiveAndNewestWins) {
  StringList list;
  EXPECT_EQ(list.Append("Disk"), 0);
  EXPECT_EQ(list.Append("disk"), 1);
  EXPECT_EQ(list.Append("Disk"), 2);
  EXPECT_EQ(list.FindExact("Disk"), 2);
  EXPECT_EQ(list.FindExact("disk"), 1);
  EXPECT_EQ(list.FindExact("DISK"), -1);
  EXPECT_EQ(list.FindExact("Dis"), -1);
}

TEST(StringListTest, AppendThatCannotGrowLeavesListUnchanged) {
  StringList list;
  list.Append("kept");
  // The growth fails before any character of the text would be read.
  EXPECT_EQ(list.Append("abc", INT_MAX - 2), -1);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.CharsUsed(), 5);
  EXPECT_STREQ(list.Get(0), "kept");
  EXPECT_EQ(list.Append("next"), 1);
}

TEST(StringListTest, AppendSplitSkipsEmptyRuns) {
  StringList list;
  EXPECT_TRUE(list.AppendSplit(";;a;bc;;d;", ';'));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_STREQ(list.Get(0), "a");
  EXPECT_STREQ(list.Get(1), "bc");
  EXPECT_STREQ(list.Get(2), "d");
  EXPECT_TRUE(list.AppendSplit("", ';'));
  EXPECT_TRUE(list.AppendSplit(";;;", ';'));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_TRUE(list.AppendSplit("whole", ','));
  EXPECT_STREQ(list.Get(3), "whole");
}

TEST(StringListTest, FreeEmptiesAndListCanBeRefilled) {
  StringList list;
  list.Append("one");
  list.Append("two");
  list.Free();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.CharsUsed(), 0);
  EXPECT_EQ(list.CharCapacity(), 0);
  EXPECT_EQ(list.OffsetCapacity(), 0);
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_EQ(list.Append("three"), 0);
  EXPECT_STREQ(list.Get(0), "three");
  list.Init();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.FindExact("three"), -1);
}

}  // namespace
}  // namespace wrenhollow
