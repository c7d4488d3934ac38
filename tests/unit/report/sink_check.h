#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/fixture_path.h"

namespace wrenhollow::test {

// Both sinks replace an existing file with exactly the bytes written, large blocks included, and fail to open
// in a folder that does not exist.
template <typename Sink>
void CheckSink() {
  const auto folder = std::filesystem::temp_directory_path();
  const auto path = folder / "wrenhollow-sink-test.out";
  std::ofstream(path, std::ios::binary) << "an older and longer content that must go";
  const std::string block(200000, 'b');
  {
    Sink sink(path.string().c_str());
    ASSERT_TRUE(sink.IsOpen());
    EXPECT_TRUE(sink.Write("a\r\n"));
    EXPECT_TRUE(sink.Write(block));
    EXPECT_TRUE(sink.Write(""));
    EXPECT_TRUE(sink.Flush());
    EXPECT_TRUE(sink.Write("z"));
  }
  EXPECT_EQ(ReadFileBytes(path.string()), "a\r\n" + block + "z");
  std::filesystem::remove(path);

  Sink missing((folder / "no-such-folder-here" / "x.txt").string().c_str());
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_FALSE(missing.Write("x"));
  EXPECT_FALSE(missing.Flush());
}

}  // namespace wrenhollow::test
