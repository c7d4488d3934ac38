#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace wrenhollow::test {

// Both sinks replace an existing file with exactly the bytes written, large blocks included, and fail to open
// in a folder that does not exist.
template <typename Sink>
void CheckSink() {
  TempFolder folder;
  folder.Put("sink.out", "an older and longer content that must go");
  const std::string block(200000, 'b');
  {
    Sink sink(folder.File("sink.out").c_str());
    ASSERT_TRUE(sink.IsOpen());
    EXPECT_TRUE(sink.Write("a\r\n"));
    EXPECT_TRUE(sink.Write(block));
    EXPECT_TRUE(sink.Write(""));
    EXPECT_TRUE(sink.Flush());
    EXPECT_TRUE(sink.Write("z"));
  }
  EXPECT_EQ(folder.Get("sink.out"), "a\r\n" + block + "z");

  Sink missing(folder.File("no-such-folder/x.txt").c_str());
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_FALSE(missing.Write("x"));
  EXPECT_FALSE(missing.Flush());
}

}  // namespace wrenhollow::test
