#include "util/paths.h"

#include <gtest/gtest.h>

#include <cstring>

namespace wrenhollow {
namespace {
// Each case writes into a buffer of `size` followed by a guard byte, which must survive.
TEST(AddBackslashTest, AppendsOnlyWhenMissingAndThereIsRoom) {
  const struct { const char* path; size_t size; const char* expected; } cases[] = {
      {"C:\\Logs", kPathSize, "C:\\Logs\\"}, {"C:\\Logs\\", kPathSize, "C:\\Logs\\"}, {"", 4, ""},
      {"abc", 4, "abc"}, {"abc", 5, "abc\\"},
  };
  for (const auto& c : cases) {
    char path[kPathSize + 1];
    std::memset(path, '#', sizeof path);
    AddBackslash(std::strcpy(path, c.path), c.size);
    EXPECT_STREQ(path, c.expected) << c.path << " in " << c.size;
    EXPECT_EQ(path[c.size], '#') << c.path << " in " << c.size;
  }
}

TEST(JoinPathTest, AddsSeparatorWhenMissingAndCutsToTheBuffer) {
  const struct { const char* folder; const char* name; size_t size; const char* expected; } cases[] = {
      {"C:\\Logs", "report.html", kPathSize, "C:\\Logs\\report.html"},
      {"C:\\", "report.html", kPathSize, "C:\\report.html"}, {"", "usb.ids", kPathSize, "usb.ids"},
      {"C:\\Logs", "", kPathSize, "C:\\Logs\\"}, {"abcd", "efghijk", 10, "abcd\\efgh"},
      {"abcdefghijkl", "x", 10, "abcdefghi"},
      {"abcdefghi", "x", 10, "abcdefghi"},  // the separator itself would be the tenth character
  };
  for (const auto& c : cases) {
    char path[kPathSize + 1];
    std::memset(path, '#', sizeof path);
    JoinPath(path, c.size, c.folder, c.name);
    EXPECT_STREQ(path, c.expected) << c.folder << " + " << c.name << " in " << c.size;
    EXPECT_EQ(path[c.size], '#') << c.folder << " + " << c.name << " in " << c.size;
  }
  // Folder or name may be the buffer itself, even where the name's old and new places overlap.
  char path[kPathSize] = "C:\\Program";
  JoinPath(path, sizeof path, path, "wrenhollow.cfg");
  EXPECT_STREQ(path, "C:\\Program\\wrenhollow.cfg");
  std::strcpy(path, "usb.ids");
  JoinPath(path, sizeof path, "D:", path);
  EXPECT_STREQ(path, "D:\\usb.ids");
}

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
