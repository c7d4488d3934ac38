#include "util/system_error_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "util/text.h"

namespace wrenhollow {
namespace {
std::string ErrorText(DWORD code) {
  char text[kErrorTextSize];
  std::memset(text, '#', sizeof text);
  SystemErrorText(code, text);
  return text;
}

TEST(SystemErrorTextTest, SystemTextOrUnknownError) {
  const std::string missing = ErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_GE(FindNoCase(missing, "file"), 0) << missing;
  EXPECT_NE(missing, "Unknown Error");
  // The text names the program as "%1"; with no argument to fill it, it is left alone.
  const std::string inserted = ErrorText(ERROR_BAD_EXE_FORMAT);
  EXPECT_NE(inserted, "Unknown Error");
  EXPECT_NE(inserted.find('%'), std::string::npos) << inserted;
  EXPECT_EQ(ErrorText(0x2000ABCD), "Unknown Error");
  // Whether netmsg.dll knows a code depends on the system; the text is terminated either way, and the library
  // stays loaded across calls.
  for (DWORD code : {2100u, 2102u, 2250u, 2999u, 2102u}) {
    const std::string text = ErrorText(code);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_LT(text.size(), static_cast<size_t>(kErrorTextSize)) << code;
  }
}

// Reads the text of the "Error" message box once it shows, then closes it.
DWORD WINAPI CloseErrorBox(void* shown) {
  for (int attempt = 0; attempt < 500; ++attempt) {
    if (HWND box = FindWindowA("#32770", "Error")) {
      // The message box's text is the static control with id 0xFFFF.
      GetDlgItemTextA(box, 0xFFFF, static_cast<char*>(shown), kErrorTextSize);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(10);
  }
  return 1;
}

TEST(ShowSystemErrorTest, LastErrorWithoutTextShowsUnknownError) {
  // Code 0 stands for the last error. One box only: each takes a while to show under Wine.
  char shown[kErrorTextSize] = "";
  HANDLE closer = CreateThread(nullptr, 0, CloseErrorBox, shown, 0, nullptr);
  ASSERT_NE(closer, nullptr);
  SetLastError(0x2000ABCD);
  ShowSystemError(0, nullptr);
  WaitForSingleObject(closer, INFINITE);
  CloseHandle(closer);
  EXPECT_STREQ(shown, "Error 536914893: Unknown Error");
}
}  // namespace
}  // namespace wrenhollow
