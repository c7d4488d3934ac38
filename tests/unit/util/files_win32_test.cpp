#include "util/files_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "util/paths.h"
#include "util/test_files_win32.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

class FilesTest : public testing::Test {
 protected:
  void TearDown() override { DeleteFileA(path_.c_str()); }
  std::string path_ = test::TempFilePath("files.txt");
};

TEST_F(FilesTest, WritesMarkAndTextByteExact) {
  {
    FileHandle file = CreateForWriting(path_.c_str());
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(WriteUtf16Mark(file.Get()));
    EXPECT_TRUE(WriteText(file.Get(), "ab\r\n"));
    EXPECT_TRUE(WriteText(file.Get(), ""));
  }
  FileHandle file = OpenForReading(path_.c_str());
  ASSERT_TRUE(file.IsOpen());
  char bytes[16];
  DWORD read = 0;
  ASSERT_TRUE(ReadBytes(file.Get(), bytes, sizeof bytes, &read));
  ASSERT_EQ(read, 6u);
  EXPECT_EQ(std::string(bytes, read), std::string("\xFF\xFE" "ab\r\n"));
}

TEST_F(FilesTest, CreateEmptiesAnExistingFile) {
  ASSERT_TRUE(test::WriteWholeFile(path_, "old contents"));
  { FileHandle file = CreateForWriting(path_.c_str()); }
  FileHandle file = OpenForReading(path_.c_str());
  char byte;
  DWORD read = 1;
  EXPECT_TRUE(ReadBytes(file.Get(), &byte, 1, &read));
  EXPECT_EQ(read, 0u);
}

TEST_F(FilesTest, ReadingSharesWithAWriter) {
  FileHandle writer = CreateForWriting(path_.c_str());
  ASSERT_TRUE(writer.IsOpen());
  // The writer lets others read; a reader lets others write: both may be open at once.
  FileHandle reader = OpenForReading(path_.c_str());
  EXPECT_TRUE(reader.IsOpen());
}

TEST_F(FilesTest, MissingFileIsNotOpenAndDoesNotExist) {
  EXPECT_FALSE(FileExists(path_.c_str()));
  FileHandle file = OpenForReading(path_.c_str());
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  ASSERT_TRUE(test::WriteWholeFile(path_, ""));
  EXPECT_TRUE(FileExists(path_.c_str()));
}

TEST_F(FilesTest, HandleMovesAndClosesOnce) {
  FileHandle first = CreateForWriting(path_.c_str());
  ASSERT_TRUE(first.IsOpen());
  const HANDLE raw = first.Get();
  FileHandle second(std::move(first));
  EXPECT_FALSE(first.IsOpen());
  EXPECT_EQ(second.Get(), raw);
  second = FileHandle();
  EXPECT_FALSE(second.IsOpen());
  // Closed: the file may now be opened without sharing.
  HANDLE exclusive = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
  CloseHandle(exclusive);
}

TEST(ProgramPathTest, PathFolderAndWindowsFolder) {
  char path[kPathSize];
  GetProgramPath(path);
  EXPECT_TRUE(EqualsNoCase(FileNamePart(path), "win32_tests.exe")) << path;
  char folder[kPathSize];
  GetProgramFolder(folder);
  // The folder is the path without its last "\" and what follows.
  EXPECT_EQ(std::string(folder) + "\\" + FileNamePart(path), std::string(path));

  char windows[kPathSize];
  GetWindowsFolder(windows);
  char expected[kPathSize];
  ASSERT_GT(GetWindowsDirectoryA(expected, kPathSize), 0u);
  EXPECT_STREQ(windows, expected);
  EXPECT_TRUE(FileExists(windows));
}

}  // namespace
}  // namespace wrenhollow
