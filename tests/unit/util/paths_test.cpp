#include "util/paths.h"

#include <gtest/gtest.h>

#include <cstring>

namespace wrenhollow {
namespace {

TEST(AddBackslashTest, AppendsOnlyWhenMissing) {
  char path[kPathSize] = "C:\\Logs";
  AddBackslash(path, sizeof path);
  EXPECT_STREQ(path, "C:\\Logs\\");
  AddBackslash(path, sizeof path);
  EXPECT_STREQ(path, "C:\\Logs\\");
  char empty[4] = "";
  AddBackslash(empty, sizeof empty);
  EXPECT_STREQ(empty, "");
}

TEST(AddBackslashTest, FullBufferIsLeftAlone) {
  char path[4] = "abc";
  AddBackslash(path, sizeof path);
  EXPECT_STREQ(path, "abc");
  char roomy[5] = "abc";
  AddBackslash(roomy, sizeof roomy);
  EXPECT_STREQ(roomy, "abc\\");
}

TEST(JoinPathTest, AddsSeparatorWhenMissing) {
  char path[kPathSize];
  JoinPath(path, sizeof path, "C:\\Logs", "report.html");
  EXPECT_STREQ(path, "C:\\Logs\\report.html");
  JoinPath(path, sizeof path, "C:\\", "report.html");
  EXPECT_STREQ(path, "C:\\report.html");
  JoinPath(path, sizeof path, "", "usb.ids");
  EXPECT_STREQ(path, "usb.ids");
  JoinPath(path, sizeof path, "C:\\Logs", "");
  EXPECT_STREQ(path, "C:\\Logs\\");
}

TEST(JoinPathTest, CutsToTheBuffer) {
  char path[10];
  std::memset(path, '#', sizeof path);
  JoinPath(path, sizeof path, "abcd", "efghijk");
  EXPECT_STREQ(path, "abcd\\efgh");
  JoinPath(path, sizeof path, "abcdefghijkl", "x");
  EXPECT_STREQ(path, "abcdefghi");
  // The separator itself would be the tenth character.
  JoinPath(path, sizeof path, "abcdefghi", "x");
  EXPECT_STREQ(path, "abcdefghi");
}

TEST(JoinPathTest, FolderOrNameMayBeTheBuffer) {
  char path[kPathSize] = "C:\\Program";
  JoinPath(path, sizeof path, path, "wrenhollow.cfg");
  EXPECT_STREQ(path, "C:\\Program\\wrenhollow.cfg");
  char name[kPathSize] = "usb.ids";
  JoinPath(name, sizeof name, "D:\\Tools", name);
  EXPECT_STREQ(name, "D:\\Tools\\usb.ids");
}

TEST(FileNamePartTest, AfterLastSeparatorOfEitherKind) {
  EXPECT_STREQ(FileNamePart("C:\\a\\b.txt"), "b.txt");
  EXPECT_STREQ(FileNamePart("C:\\a/b\\c/d.txt"), "d.txt");
  EXPECT_STREQ(FileNamePart("name.txt"), "name.txt");
  EXPECT_STREQ(FileNamePart("C:\\dir\\"), "");
  EXPECT_STREQ(FileNamePart(""), "");
}

TEST(CutToFolderTest, CutsAtLastBackslashOnly) {
  char path[kPathSize] = "C:\\Tools\\bin/wrenhollow.exe";
  CutToFolder(path);
  EXPECT_STREQ(path, "C:\\Tools");
  CutToFolder(path);
  EXPECT_STREQ(path, "C:");
  CutToFolder(path);
  EXPECT_STREQ(path, "C:");
}

}  // namespace
}  // namespace wrenhollow
