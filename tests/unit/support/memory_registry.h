#pragma once

#include <gtest/gtest.h>

#include <string>

#include "portable/reg_file.h"
#include "portable/registry_memory.h"
#include "support/fixture_path.h"

namespace wrenhollow::test {

// Applies .reg text to a hive; a malformed fixture fails the test where it is loaded.
inline void ApplyReg(MemoryHive& hive, const std::string& text) {
  RegFileError error;
  ASSERT_TRUE(LoadRegFile(text, hive, &error)) << "line " << error.line << ": " << error.message;
}

inline void ApplyRegFixture(MemoryHive& hive, const std::string& relative) {
  ApplyReg(hive, ReadFixture(relative));
}

// Version 5 text from the lines that follow the header.
inline std::string Reg5(const std::string& body) {
  return "Windows Registry Editor Version 5.00\r\n\r\n" + body;
}

}  // namespace wrenhollow::test
