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

TEST(SystemErrorTextTest, KnownCodeGivesTheSystemText) {
  const std::string text = ErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text, "Unknown Error");
  EXPECT_GE(FindNoCase(text, "file"), 0) << text;
}

TEST(SystemErrorTextTest, UnknownCodeGivesUnknownError) {
  EXPECT_EQ(ErrorText(0x2000ABCD), "Unknown Error");
}

TEST(SystemErrorTextTest, NetworkCodesAreLookedUpSafely) {
  // Whether netmsg.dll knows the code depends on the system; the text is a terminated text either way, and
  // the library stays loaded across calls.
  for (DWORD code : {2100u, 2102u, 2250u, 2999u, 2102u}) {
    const std::string text = ErrorText(code);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_LT(text.size(), static_cast<size_t>(kErrorTextSize)) << code;
  }
}

TEST(SystemErrorTextTest, TextsWithInsertsKeepThem) {
  // ERROR_BAD_EXE_FORMAT's text names the program as "%1"; with no argument to fill it, it is left alone.
  const std::string text = ErrorText(ERROR_BAD_EXE_FORMAT);
  EXPECT_NE(text, "Unknown Error");
  EXPECT_NE(text.find("%"), std::string::npos) << text;
}

// Reads the text of the "Error" message box once it shows, then closes it.
DWORD WINAPI CloseErrorBox(void* shown) {
  for (int attempt = 0; attempt < 500; ++attempt) {
    HWND box = FindWindowA("#32770", "Error");
    if (box != nullptr) {
      // The message box's text is the static control with id 0xFFFF.
      GetDlgItemTextA(box, 0xFFFF, static_cast<char*>(shown), kErrorTextSize);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(10);
  }
  return 1;
}

std::string ShownError(DWORD code) {
  char shown[kErrorTextSize] = "";
  HANDLE closer = CreateThread(nullptr, 0, CloseErrorBox, shown, 0, nullptr);
  ShowSystemError(code, nullptr);
  WaitForSingleObject(closer, INFINITE);
  CloseHandle(closer);
  return shown;
}

TEST(ShowSystemErrorTest, LastErrorWithoutTextShowsUnknownError) {
  // Code 0 stands for the last error. One box only: each takes a while to show under Wine.
  SetLastError(0x2000ABCD);
  EXPECT_EQ(ShownError(0), "Error 536914893: Unknown Error");
}

}  // namespace
}  // namespace wrenhollow
