#include "util/version_info_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "util/test_files_win32.h"

namespace wrenhollow {
namespace {

std::string Sample(const char* name) {
  return test::WindowsPath(std::string(WRENHOLLOW_VERSION_SAMPLE_DIR) + "/" + name);
}

TEST(ReadVersionInfoTest, ReadsTheTableTheTranslationNames) {
  VersionInfo info;
  ASSERT_TRUE(ReadVersionInfo(Sample("version_translated.exe").c_str(), &info));
  EXPECT_STREQ(info.productName, "Sample Product");
  EXPECT_STREQ(info.fileDescription, "Sample Description");
  EXPECT_STREQ(info.fileVersion, "1.2.3.4");
  EXPECT_STREQ(info.productVersion, "1.2");
  EXPECT_STREQ(info.companyName, "Sample Company");
  EXPECT_STREQ(info.internalName, "sample");
  EXPECT_STREQ(info.legalCopyright, "Copyright 2024");
  EXPECT_STREQ(info.originalFileName, "sample.exe");
}

TEST(ReadVersionInfoTest, MissingTableFallsBackToDefaultAndTrims) {
  VersionInfo info;
  std::strcpy(info.internalName, "stale");
  ASSERT_TRUE(ReadVersionInfo(Sample("version_missing_table.exe").c_str(), &info));
  EXPECT_STREQ(info.productName, "Spaced Product");
  EXPECT_STREQ(info.fileDescription, "Tab\tInside");
  EXPECT_STREQ(info.fileVersion, "2.0");
  EXPECT_STREQ(info.productVersion, "2.0");
  EXPECT_STREQ(info.companyName, "");
  // A key the table lacks leaves its text empty, not as it was.
  EXPECT_STREQ(info.internalName, "");
  EXPECT_STREQ(info.originalFileName, "missing_table.exe");
}

TEST(ReadVersionInfoTest, LongValueIsCutTo255ThenTrimmed) {
  VersionInfo info;
  ASSERT_TRUE(ReadVersionInfo(Sample("version_missing_table.exe").c_str(), &info));
  std::string expected;
  for (int i = 0; i < 24; ++i) expected += "0123456789";
  expected += "ABCDEFGHIJ";
  EXPECT_EQ(std::string(info.legalCopyright), expected);
}

TEST(ReadVersionInfoTest, NoTranslationReadsDefaultTable) {
  VersionInfo info;
  ASSERT_TRUE(ReadVersionInfo(Sample("version_no_translation.exe").c_str(), &info));
  EXPECT_STREQ(info.productName, "No Translation");
  EXPECT_STREQ(info.fileVersion, "3.0");
  EXPECT_STREQ(info.companyName, "");
}

TEST(ReadVersionInfoTest, FileWithoutVersionResourceLeavesRecordUntouched) {
  VersionInfo info;
  std::strcpy(info.fileVersion, "kept");
  const std::string text = test::TempFilePath("plain.txt");
  ASSERT_TRUE(test::WriteWholeFile(text, "not a program"));
  EXPECT_FALSE(ReadVersionInfo(text.c_str(), &info));
  DeleteFileA(text.c_str());
  EXPECT_FALSE(ReadVersionInfo(Sample("no_such_file.exe").c_str(), &info));
  EXPECT_STREQ(info.fileVersion, "kept");
}

}  // namespace
}  // namespace wrenhollow
