#include "util/string_buffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace wrenhollow {
namespace {

TEST(StringBufferTest, EmptyBufferHasNoTextButReadsEmpty) {
  StringBuffer buffer;
  EXPECT_STREQ(buffer.Text(), "");
  EXPECT_EQ(buffer.Length(), 0);
  EXPECT_EQ(buffer.Capacity(), 0);
  EXPECT_EQ(buffer.Data(), nullptr);
}

TEST(StringBufferTest, ReserveGivesEmptyTextWithRoomForTerminator) {
  StringBuffer buffer;
  EXPECT_TRUE(buffer.Reserve(256));
  EXPECT_EQ(buffer.Capacity(), 512);
  EXPECT_STREQ(buffer.Text(), "");
  EXPECT_EQ(buffer.Length(), 0);
  // Already room: nothing changes, still a success.
  EXPECT_TRUE(buffer.Reserve(10));
  EXPECT_EQ(buffer.Capacity(), 512);
}

TEST(StringBufferTest, AppendsAcrossGrowthSteps) {
  StringBuffer buffer(4);
  EXPECT_TRUE(buffer.Append("abc"));
  EXPECT_EQ(buffer.Capacity(), 4);
  EXPECT_TRUE(buffer.Append("defgh", 2));
  EXPECT_STREQ(buffer.Text(), "abcde");
  EXPECT_EQ(buffer.Length(), 5);
  EXPECT_EQ(buffer.Capacity(), 8);
  EXPECT_TRUE(buffer.Append(""));
  EXPECT_STREQ(buffer.Text(), "abcde");
}

TEST(StringBufferTest, LengthIsCountedAfterDirectWrites) {
  StringBuffer buffer;
  buffer.Append("hello world");
  std::strcpy(buffer.Data(), "hi");
  EXPECT_EQ(buffer.Length(), 2);
  EXPECT_TRUE(buffer.Append("!"));
  EXPECT_STREQ(buffer.Text(), "hi!");
  EXPECT_EQ(buffer.Length(), 3);
}

TEST(StringBufferTest, FailedGrowthLeavesTextUnchanged) {
  StringBuffer buffer;
  buffer.Append("kept");
  EXPECT_FALSE(buffer.Append("x", INT_MAX - 2));
  EXPECT_FALSE(buffer.Reserve(INT_MAX));
  EXPECT_STREQ(buffer.Text(), "kept");
  EXPECT_EQ(buffer.Length(), 4);
}

TEST(StringBufferTest, FreeThenReuse) {
  StringBuffer buffer;
  buffer.Append(std::string(600, 'z').c_str());
  buffer.Free();
  EXPECT_STREQ(buffer.Text(), "");
  EXPECT_EQ(buffer.Length(), 0);
  EXPECT_EQ(buffer.Capacity(), 0);
  EXPECT_TRUE(buffer.Append("again"));
  EXPECT_STREQ(buffer.Text(), "again");
}

}  // namespace
}  // namespace wrenhollow
