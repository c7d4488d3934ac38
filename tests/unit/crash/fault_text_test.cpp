#include "crash/fault_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wrenhollow {
namespace {

// Dumps 00..7F into a buffer of `size` followed by a guard byte, which must survive.
std::string Dump(int group, size_t size, bool* complete) {
  uint8_t bytes[kFaultDumpLength];
  for (size_t i = 0; i < kFaultDumpLength; ++i) bytes[i] = static_cast<uint8_t>(i);
  std::vector<char> text(size + 2, '#');
  text.back() = '\0';
  *complete = HexDump128(bytes, group, text.data(), size);
  EXPECT_EQ(text[size], '#') << group << " in " << size;
  return size == 0 ? std::string() : std::string(text.data());
}

TEST(HexDump128Test, UpperCaseGroupsStartWithTwoSpacesAndAreSeparatedByThree) {
  const struct { int group; size_t size; const char* start; size_t length; const char* end; bool complete; } cases[] = {
      {4, kHexDump128Size, "  00 01 02 03   04 05 06 07   08", 447, "   7C 7D 7E 7F", true},
      {0, kHexDump128Size, "00 01 02 03 04 05 06 07 08", 383, " 7D 7E 7F", true},
      {-2, kHexDump128Size, "00 01 02 03", 383, " 7E 7F", true},
      {1, kHexDump128Size, "  00   01   02", kHexDump128Size - 1, "   7F", true},
      {0, 384, "00 01", 383, " 7E 7F", true},
      {0, 383, "00 01", 382, " 7E 7", false},
      {4, 8, "  00 01", 7, " 01", false},
      {0, 1, "", 0, "", false},
  };
  for (const auto& c : cases) {
    bool complete = !c.complete;
    const std::string text = Dump(c.group, c.size, &complete);
    EXPECT_EQ(text.substr(0, std::string(c.start).size()), c.start) << c.group << " in " << c.size;
    EXPECT_EQ(text.size(), c.length) << c.group << " in " << c.size;
    EXPECT_EQ(text.substr(text.size() - std::string(c.end).size()), c.end) << c.group << " in " << c.size;
    EXPECT_EQ(complete, c.complete) << c.group << " in " << c.size;
  }
  bool complete = true;
  Dump(4, 0, &complete);
  EXPECT_FALSE(complete);
  uint8_t bytes[kFaultDumpLength] = {0xAB, 0xCD, 0xEF, 0x0F};
  char text[kHexDump128Size];
  ASSERT_TRUE(HexDump128(bytes, 0, text, sizeof text));
  EXPECT_EQ(std::string(text).substr(0, 15), "AB CD EF 0F 00 ");
}

TEST(FixModulePathTest, DriveSystemRootAndRootPaths) {
  const struct { const char* path; const char* folder; size_t size; const char* fixed; bool complete; } cases[] = {
      {"\\SystemRoot\\System32\\x.dll", "C:\\windows", 260, "C:\\windows\\System32\\x.dll", true},
      {"\\??\\SYSTEMROOT\\x.dll", "C:\\windows", 260, "C:\\windows\\x.dll", true},
      {"\\??\\C:\\dir\\x.dll", "D:\\windows", 260, "C:\\dir\\x.dll", true},
      {"C:\\x", "D:\\windows", 260, "C:\\x", true},
      {"x:", "D:\\windows", 260, "x:", true},
      {"\\dir\\x.dll", "D:\\windows", 260, "D:\\dir\\x.dll", true},
      {"\\dir\\x.dll", "", 260, "\\dir\\x.dll", true},
      {"x.dll", "D:\\windows", 260, "x.dll", true},
      {"", "D:\\windows", 260, "", true},
      {"\\SystemRoot\\x.dll", "C:\\windows", 14, "C:\\windows\\x.", false},
      {"\\dir\\x.dll", "D:\\windows", 5, "D:\\d", false},
      {"C:\\x", "D:\\windows", 4, "C:\\", false},
  };
  for (const auto& c : cases) {
    std::vector<char> fixed(c.size + 1, '#');
    EXPECT_EQ(FixModulePath(c.path, c.folder, fixed.data(), c.size), c.complete) << c.path;
    EXPECT_STREQ(fixed.data(), c.fixed) << c.path;
    EXPECT_EQ(fixed[c.size], '#') << c.path;
  }
  char untouched = '#';
  EXPECT_FALSE(FixModulePath("x.dll", "C:\\windows", &untouched, 0));
  EXPECT_EQ(untouched, '#');
}

}  // namespace
}  // namespace wrenhollow
