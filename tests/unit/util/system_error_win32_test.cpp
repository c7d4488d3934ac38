#include "util/system_error_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dialogs/modal_driver.h"
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

TEST(ShowSystemErrorTest, LastErrorWithoutTextShowsUnknownError) {
  // Code 0 stands for the last error. One box only: each takes a while to show under Wine.
  std::string shown;
  test::WhileShown([] { SetLastError(0x2000ABCD); ShowSystemError(0, nullptr); return 0; }, [&](HWND box) {
    char caption[16] = "", text[kErrorTextSize] = "";
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text is its static control 0xFFFF
    shown = std::string(caption) + "|" + text;
    test::Press(box, IDOK);
  });
  EXPECT_EQ(shown, "Error|Error 536914893: Unknown Error");
}
}  // namespace
}  // namespace wrenhollow
