#include "util/paths.h"

#include <gtest/gtest.h>

#include <cstring>

namespace wrenhollow {
namespace {
TEST(PathPartsTest, NameAfterEitherSeparatorAndFolderBeforeTheLastBackslash) {
  const char* const names[][2] = {{"C:\\a\\b.txt", "b.txt"}, {"C:\\a/b\\c/d.txt", "d.txt"}, {"name.txt", "name.txt"},
                                  {"C:\\dir\\", ""}, {"", ""}};
  for (const auto& n : names) EXPECT_STREQ(FileNamePart(n[0]), n[1]) << n[0];
  char path[kPathSize] = "C:\\Tools\\bin/wrenhollow.exe";
  for (const char* folder : {"C:\\Tools", "C:", "C:"}) {
    CutToFolder(path);
    EXPECT_STREQ(path, folder);
  }
}
}  // namespace
}  // namespace wrenhollow
