#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace wrenhollow::test {

// Path of a file under tests/fixtures, as the running program must spell it: under Wine the source tree is
// reached through drive Z:.
inline std::string FixturePath(const std::string& relative) {
  std::string path = std::string(WRENHOLLOW_FIXTURE_DIR) + "/" + relative;
#ifdef _WIN32
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  path = "Z:" + path;
#endif
  return path;
}

// A file's bytes; empty when it cannot be read.
inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A fixture's bytes; a missing fixture fails the test.
inline std::string ReadFixture(const std::string& relative) {
  EXPECT_TRUE(std::ifstream(FixturePath(relative)).good()) << "missing fixture " << relative;
  return ReadFileBytes(FixturePath(relative));
}

}  // namespace wrenhollow::test
