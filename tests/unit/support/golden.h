#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/fixture_path.h"

namespace wrenhollow::test {

// Compares bytes with a golden file under tests/fixtures. Run with WRENHOLLOW_UPDATE_GOLDEN=1 to rewrite the
// files after a deliberate change, then read the difference.
inline void ExpectGolden(const std::string& relative, const std::string& actual) {
  if (std::getenv("WRENHOLLOW_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(FixturePath(relative), std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(actual, ReadFixture(relative)) << relative;
}

}  // namespace wrenhollow::test
