#include "util/version_info_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "support/temp_folder.h"

namespace wrenhollow {
namespace {
// Reads a file into a record whose texts all start as "stale"; "failed", or "", then the texts after "|".
std::string Read(const std::string& name) {
  VersionInfo info;
  char* const texts[] = {info.productName,  info.fileDescription, info.fileVersion,    info.productVersion,
                         info.companyName,  info.internalName,    info.legalCopyright, info.originalFileName};
  for (char* text : texts) std::strcpy(text, "stale");
  std::string read = ReadVersionInfo(name.c_str(), &info) ? "" : "failed";
  for (char* text : texts) read += "|" + std::string(text);
  return read;
}

// A sample's path as the test program under Wine must spell it: the build wrote it in Linux form.
std::string Sample(const char* name) {
  std::string path = std::string(WRENHOLLOW_VERSION_SAMPLE_DIR) + "/" + name;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path.size() > 1 && path[1] == ':' ? path : "Z:" + path;
}

TEST(ReadVersionInfoTest, ReadsTheNamedTableOrTheDefaultOneCutAndTrimmedOrLeavesTheRecord) {
  EXPECT_EQ(Read(Sample("version_translated.exe")),
            "|Sample Product|Sample Description|1.2.3.4|1.2|Sample Company|sample|Copyright 2024|sample.exe");
  // A key the table lacks leaves its text empty; the long value is cut to 255 characters, then trimmed.
  std::string digits;
  for (int i = 0; i < 24; ++i) digits += "0123456789";
  EXPECT_EQ(Read(Sample("version_missing_table.exe")),
            "|Spaced Product|Tab\tInside|2.0|2.0|||" + digits + "ABCDEFGHIJ|missing_table.exe");
  EXPECT_EQ(Read(Sample("version_no_translation.exe")), "|No Translation||3.0|||||");
  // A file without a version resource, or none at all, leaves the record untouched.
  test::TempFolder folder;
  folder.Put("plain.txt", "not a program");
  const std::string untouched = "failed|stale|stale|stale|stale|stale|stale|stale|stale";
  EXPECT_EQ(Read(folder.File("plain.txt")), untouched);
  EXPECT_EQ(Read(Sample("no_such_file.exe")), untouched);
}
}  // namespace
}  // namespace wrenhollow
