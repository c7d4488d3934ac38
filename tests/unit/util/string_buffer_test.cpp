#include "util/string_buffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace wrenhollow {
namespace {
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
}  // namespace
}  // namespace wrenhollow
