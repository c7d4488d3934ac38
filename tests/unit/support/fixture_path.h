#pragma once

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

}  // namespace wrenhollow::test
