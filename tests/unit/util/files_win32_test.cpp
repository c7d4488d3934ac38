#include "util/files_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"
#include "util/paths.h"

namespace wrenhollow {
namespace {
class FilesTest : public testing::Test {
 protected:
  test::TempFolder folder_;
  std::string path_ = folder_.File("files.txt");
};

TEST_F(FilesTest, ReadsWhileOthersWriteAndHandlesMove) {
  EXPECT_FALSE(FileExists(path_.c_str()));
  EXPECT_FALSE(OpenForReading(path_.c_str()).IsOpen());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  folder_.Put("files.txt", "old contents");
  EXPECT_TRUE(FileExists(path_.c_str()));
  FileHandle first(
      CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(first.IsOpen());
  const HANDLE raw = first.Get();
  FileHandle writer(std::move(first));
  EXPECT_FALSE(first.IsOpen());
  EXPECT_EQ(writer.Get(), raw);
  // The writer lets others read; a reader lets others write: both may be open at once.
  FileHandle reader = OpenForReading(path_.c_str());
  ASSERT_TRUE(reader.IsOpen());
  char bytes[16];
  DWORD read = 1;
  EXPECT_TRUE(ReadBytes(reader.Get(), bytes, 1, &read));
  EXPECT_EQ(read, 0u);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(writer.Get(), "ab\r\n", 4, &written, nullptr));
  ASSERT_TRUE(ReadBytes(reader.Get(), bytes, sizeof bytes, &read));
  EXPECT_EQ(std::string(bytes, read), "ab\r\n");
  writer.Close();
  reader.Close();
  EXPECT_FALSE(writer.IsOpen());
  // Both closed: the file may now be opened without sharing.
  HANDLE exclusive = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
  CloseHandle(exclusive);
}

// Where temporary files go when the system names no temporary folder.
TEST(WindowsFolderTest, IsTheSystemsWindowsFolder) {
  char windows[kPathSize], expected[kPathSize];
  GetWindowsFolder(windows);
  ASSERT_GT(GetWindowsDirectoryA(expected, kPathSize), 0u);
  EXPECT_STREQ(windows, expected);
}
}  // namespace
}  // namespace wrenhollow
