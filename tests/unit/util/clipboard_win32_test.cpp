#include "util/clipboard_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "util/test_files_win32.h"

namespace wrenhollow {
namespace {

// The CF_TEXT block on the clipboard, whole; "<none>" when there is none.
std::string ClipboardBlock() {
  if (!OpenClipboard(nullptr)) return "<not opened>";
  std::string bytes = "<none>";
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data != nullptr) {
    const char* text = static_cast<const char*>(GlobalLock(data));
    if (text != nullptr) bytes.assign(text, GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

void PutText(const char* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
  memcpy(GlobalLock(block), text, strlen(text) + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

class LoadFileToClipboardTest : public testing::Test {
 protected:
  void TearDown() override { DeleteFileA(path_.c_str()); }
  std::string path_ = test::TempFilePath("clipboard.txt");
};

TEST_F(LoadFileToClipboardTest, PutsTheFilesExactBytesTerminated) {
  const std::string bytes = "Event\tTime\r\nPlug\t3/5/2024\r\n\xE9\xFF end";
  ASSERT_TRUE(test::WriteWholeFile(path_, bytes));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(LoadFileToClipboard(path_.c_str()), 0u);
  const std::string block = ClipboardBlock();
  // The block may be rounded up; it starts with the bytes and their terminator.
  ASSERT_GE(block.size(), bytes.size() + 1);
  EXPECT_EQ(block.substr(0, bytes.size()), bytes);
  EXPECT_EQ(block[bytes.size()], '\0');
}

TEST_F(LoadFileToClipboardTest, EmptyFileGivesEmptyText) {
  PutText("previous");
  ASSERT_TRUE(test::WriteWholeFile(path_, ""));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(LoadFileToClipboard(path_.c_str()), 0u);
  const std::string block = ClipboardBlock();
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(block[0], '\0');
}

TEST_F(LoadFileToClipboardTest, MissingFileEmptiesClipboardAndReportsError) {
  PutText("previous");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(LoadFileToClipboard(test::TempFilePath("missing.txt").c_str()), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ClipboardBlock(), "<none>");
}

TEST_F(LoadFileToClipboardTest, ClosesTheClipboardInEveryCase) {
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  ASSERT_TRUE(test::WriteWholeFile(path_, "x"));
  ASSERT_TRUE(OpenClipboard(owner));
  EXPECT_EQ(LoadFileToClipboard(path_.c_str()), 0u);
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  ASSERT_TRUE(OpenClipboard(owner));
  EXPECT_NE(LoadFileToClipboard(test::TempFilePath("missing.txt").c_str()), 0u);
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace wrenhollow
