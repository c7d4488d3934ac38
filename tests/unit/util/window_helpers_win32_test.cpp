#include "util/window_helpers_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>


namespace wrenhollow {
namespace {
// A 300 x 200 window at (5, 7), destroyed when it goes.
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)>;
Window MakeWindow(const char* className, DWORD style = WS_POPUP) {
  return {CreateWindowExA(0, className, "", style, 5, 7, 300, 200, nullptr, nullptr, nullptr, nullptr), &DestroyWindow};
}

TEST(CenterWindowTest, CentresWithinTheMaximisedAreaKeepingSize) {
  const struct { int screenWidth, screenHeight, windowWidth, windowHeight; LONG x, y; } cases[] = {
      {1024, 768, 300, 200, 361, 283}, {1024, 768, 301, 201, 361, 283}, {800, 600, 800, 700, 0, 0}};
  for (const auto& c : cases) {
    const POINT origin = CenteredOrigin(c.screenWidth, c.screenHeight, c.windowWidth, c.windowHeight);
    EXPECT_EQ(std::make_pair(origin.x, origin.y), std::make_pair(c.x, c.y)) << c.windowWidth << " in " << c.screenWidth;
  }
  const Window window = MakeWindow("STATIC");
  ASSERT_NE(window, nullptr);
  CenterWindow(window.get());
  RECT bounds;
  ASSERT_TRUE(GetWindowRect(window.get(), &bounds));
  const POINT expected = CenteredOrigin(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN), 300, 200);
  EXPECT_EQ(std::make_tuple(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top),
            std::make_tuple(expected.x, expected.y, 300L, 200L));
}

TEST(WaitCursorTest, RestoresTheReplacedCursor) {
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  SetCursor(arrow);
  ShowWaitCursor();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  RestoreCursor();
  EXPECT_EQ(GetCursor(), arrow);
}

// Height, weight, underline, character set and face of the font MakeFont makes.
std::string DescribeFont(const char* face, int height, bool underline) {
  HFONT font = MakeFont(face, height, underline);
  LOGFONTA logFont = {};
  const int size = font != nullptr ? GetObjectA(font, sizeof logFont, &logFont) : 0;
  DeleteObject(font);
  if (size != static_cast<int>(sizeof logFont)) return "<none>";
  return std::to_string(logFont.lfHeight) + " " + std::to_string(logFont.lfWeight) + " " +
         std::to_string(logFont.lfUnderline) + " " + std::to_string(logFont.lfCharSet) + " " + logFont.lfFaceName;
}

TEST(MakeFontTest, BoldFontOfTheFaceCutToFitAndHeight) {
  // FW_BOLD is 700 and DEFAULT_CHARSET 1.
  EXPECT_EQ(DescribeFont("Arial", 14, false), "14 700 0 1 Arial");
  EXPECT_EQ(DescribeFont("A face name far longer than thirty-one characters", -12, true),
            "-12 700 1 1 A face name far longer than thi");
}

TEST(IsEditControlTest, ByClassNameIgnoringCase) {
  const Window edit = MakeWindow("EDIT"), label = MakeWindow("STATIC");
  EXPECT_EQ(std::make_tuple(IsEditControl(edit.get()), IsEditControl(label.get()), IsEditControl(nullptr)),
            std::make_tuple(true, false, false));
}
}  // namespace
}  // namespace wrenhollow
