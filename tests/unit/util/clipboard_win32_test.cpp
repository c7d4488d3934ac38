#include "util/clipboard_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace wrenhollow {
namespace {
// The CF_TEXT block on the clipboard, whole; "<none>" when there is none.
std::string ClipboardBlock() {
  if (!OpenClipboard(nullptr)) return "<not opened>";
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  const std::string bytes = text != nullptr ? std::string(text, GlobalSize(data)) : "<none>";
  if (text != nullptr) GlobalUnlock(data);
  CloseClipboard();
  return bytes;
}

TEST(LoadFileToClipboardTest, PutsTheFilesExactBytesTerminatedOrEmptiesTheClipboard) {
  const HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  test::TempFolder folder;
  // Opens the clipboard as a caller does, with an owner so that GetOpenClipboardWindow can tell it is closed.
  const auto load = [&](const char* name) {
    EXPECT_TRUE(OpenClipboard(owner));
    const DWORD error = LoadFileToClipboard(folder.File(name).c_str());
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr) << "left open after " << name;
    return error;
  };
  const std::string bytes = "Event\tTime\r\nPlug\t3/5/2024\r\n\xE9\xFF end";
  folder.Put("clipboard.txt", bytes);
  EXPECT_EQ(load("clipboard.txt"), 0u);
  // The block may be rounded up; it starts with the bytes and their terminator.
  EXPECT_EQ(ClipboardBlock().substr(0, bytes.size() + 1), bytes + '\0');
  folder.Put("clipboard.txt", "");
  EXPECT_EQ(load("clipboard.txt"), 0u);
  EXPECT_EQ(ClipboardBlock().substr(0, 1), std::string(1, '\0'));
  EXPECT_EQ(load("missing.txt"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ClipboardBlock(), "<none>");
  DestroyWindow(owner);
}
}  // namespace
}  // namespace wrenhollow
