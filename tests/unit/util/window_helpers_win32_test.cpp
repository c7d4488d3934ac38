#include "util/window_helpers_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace wrenhollow {
namespace {

HWND MakeWindow(const char* className, int x, int y, int width, int height) {
  return CreateWindowExA(0, className, "", WS_POPUP, x, y, width, height, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

TEST(CenteredOriginTest, TruncatesAndNeverGoesNegative) {
  const POINT a = CenteredOrigin(1024, 768, 300, 200);
  EXPECT_EQ(a.x, 361);
  EXPECT_EQ(a.y, 283);
  const POINT b = CenteredOrigin(1024, 768, 301, 201);
  EXPECT_EQ(b.x, 361);
  EXPECT_EQ(b.y, 283);
  const POINT c = CenteredOrigin(800, 600, 800, 700);
  EXPECT_EQ(c.x, 0);
  EXPECT_EQ(c.y, 0);
}

TEST(CenterWindowTest, MovesToTheComputedSpotKeepingSize) {
  HWND window = MakeWindow("STATIC", 5, 7, 300, 200);
  ASSERT_NE(window, nullptr);
  CenterWindow(window);
  RECT bounds;
  ASSERT_TRUE(GetWindowRect(window, &bounds));
  const POINT expected =
      CenteredOrigin(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN), 300, 200);
  EXPECT_EQ(bounds.left, expected.x);
  EXPECT_EQ(bounds.top, expected.y);
  EXPECT_EQ(bounds.right - bounds.left, 300);
  EXPECT_EQ(bounds.bottom - bounds.top, 200);
  DestroyWindow(window);
}

TEST(WaitCursorTest, RestoresTheReplacedCursor) {
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  SetCursor(arrow);
  ShowWaitCursor();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  RestoreCursor();
  EXPECT_EQ(GetCursor(), arrow);
}

TEST(SetMenuCheckTest, ChecksByCommandInTheSubmenu) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  HMENU bar = CreateMenu();
  HMENU first = CreatePopupMenu();
  HMENU second = CreatePopupMenu();
  AppendMenuA(first, MF_STRING, 40001, "One");
  AppendMenuA(second, MF_STRING, 40002, "Two");
  AppendMenuA(second, MF_STRING, 40003, "Three");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(first), "First");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(second), "Second");
  ASSERT_TRUE(SetMenu(window, bar));
  SetMenuCheck(window, 1, 40003, true);
  EXPECT_TRUE(GetMenuState(second, 40003, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(second, 40002, MF_BYCOMMAND) & MF_CHECKED);
  SetMenuCheck(window, 1, 40003, false);
  EXPECT_FALSE(GetMenuState(second, 40003, MF_BYCOMMAND) & MF_CHECKED);
  // A submenu position beyond the bar changes nothing.
  SetMenuCheck(window, 5, 40001, true);
  EXPECT_FALSE(GetMenuState(first, 40001, MF_BYCOMMAND) & MF_CHECKED);
  DestroyWindow(window);
}

TEST(SetToolbarCheckTest, TogglesOnlyTheCheckedBit) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&controls));
  HWND toolbar = MakeWindow(TOOLBARCLASSNAMEA, 0, 0, 200, 30);
  ASSERT_NE(toolbar, nullptr);
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON button = {};
  button.iBitmap = I_IMAGENONE;
  button.idCommand = 40010;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = BTNS_CHECK;
  ASSERT_TRUE(SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button)));
  SetToolbarCheck(toolbar, 40010, true);
  EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, 40010, 0), TBSTATE_ENABLED | TBSTATE_CHECKED);
  SetToolbarCheck(toolbar, 40010, false);
  EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, 40010, 0), TBSTATE_ENABLED);
  DestroyWindow(toolbar);
}

TEST(MakeFontTest, BoldFontOfFaceAndHeight) {
  HFONT font = MakeFont("Arial", 14, false);
  ASSERT_NE(font, nullptr);
  LOGFONTA described = {};
  ASSERT_EQ(GetObjectA(font, sizeof described, &described), static_cast<int>(sizeof described));
  EXPECT_EQ(described.lfHeight, 14);
  EXPECT_EQ(described.lfWeight, FW_BOLD);
  EXPECT_EQ(described.lfUnderline, 0);
  EXPECT_EQ(described.lfCharSet, DEFAULT_CHARSET);
  EXPECT_STREQ(described.lfFaceName, "Arial");
  DeleteObject(font);

  font = MakeFont("A face name far longer than thirty-one characters", -12, true);
  ASSERT_NE(font, nullptr);
  ASSERT_EQ(GetObjectA(font, sizeof described, &described), static_cast<int>(sizeof described));
  EXPECT_EQ(described.lfUnderline, 1);
  EXPECT_EQ(described.lfHeight, -12);
  EXPECT_EQ(strlen(described.lfFaceName), 31u);
  DeleteObject(font);
}

TEST(IsEditControlTest, ByClassNameIgnoringCase) {
  HWND edit = MakeWindow("EDIT", 0, 0, 50, 20);
  HWND label = MakeWindow("STATIC", 0, 0, 50, 20);
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(IsEditControl(edit));
  EXPECT_FALSE(IsEditControl(label));
  EXPECT_FALSE(IsEditControl(nullptr));
  DestroyWindow(edit);
  DestroyWindow(label);
}

TEST(IsNtPlatformTest, WineReportsNt) { EXPECT_TRUE(IsNtPlatform()); }

}  // namespace
}  // namespace wrenhollow
