// The tray icon: put there and taken away by its option, the close box that only hides the window, the icon's
// double click and menu, and a start behind the icon alone. The shell's side is simulated the way it talks to the
// program: the callback message with the mouse message in lParam.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

// Opens the icon's menu as a right click does; null when no menu opened.
HWND OpenTrayMenu(const Product& product) {
  EXPECT_TRUE(PostMessageA(product.Window(), kTrayMessage, kTrayIconId, WM_RBUTTONUP));
  HWND popup = WaitForPopupMenu(product.ProcessId(), kAnswerMs);
  EXPECT_NE(popup, nullptr) << "no tray menu";
  return popup;
}

// The menu opens above the pointer (over the icon), its left edge there, and offers Open and Exit.
void CheckTrayMenu(const Product& product, HWND popup, POINT cursor) {
  RECT rect{};
  GetWindowRect(popup, &rect);
  EXPECT_EQ(rect.left, cursor.x);
  EXPECT_EQ(rect.bottom, cursor.y);
  std::vector<MenuItem> items;
  std::string error;
  EXPECT_TRUE(ReadMenu(product.Window(), MenuOfPopup(popup), &items, &error)) << error;
  EXPECT_EQ(items.size(), 3u);
  if (items.size() == 3) {
    EXPECT_EQ(items[0].id, kOpenFromTray);
    EXPECT_EQ(items[0].text, "Open Wrenhollow");
    EXPECT_TRUE(items[1].Separator());
    EXPECT_EQ(items[2].id, kExit);
    EXPECT_EQ(items[2].text, "E&xit");
  }
  KeepScreenshot(popup, "tray-menu");
}

// Opens the icon's menu and picks an item with the keys. Under load Wine may handle the X focus events of an
// earlier hide and show only once the menu is open; the focus loss among them cancels the menu, as a click
// elsewhere would, so a menu that closed without the choice taking effect is opened again.
bool ChooseFromTrayMenu(const Product& product, std::initializer_list<UINT> keys, const std::function<bool()>& chosen) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    HWND popup = OpenTrayMenu(product);
    if (popup == nullptr) return false;
    for (UINT key : keys) PostKey(popup, key);
    if (WaitUntil(chosen, kAnswerMs)) return true;
  }
  return false;
}

// Puts the pointer where the icon would be. Early: the pointer's events must have been handled before a menu opens,
// or they may cancel it under Wine.
void PointAtTheIcon() { EXPECT_TRUE(SetCursorPos(400, 600)); }

TEST(Tray, TheOptionPutsTheIconTheCloseBoxHidesAndTheIconsMenuEndsTheProgram) {
  PointAtTheIcon();
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  HWND window = product.Window();
  EXPECT_FALSE(TrayIconPresent(window, kTrayIconId));
  ASSERT_TRUE(app.SendCommand(kPutIconOnTray));
  EXPECT_TRUE(TrayIconPresent(window, kTrayIconId));
  ASSERT_TRUE(app.SendCommand(kPutIconOnTray));
  EXPECT_FALSE(TrayIconPresent(window, kTrayIconId));
  ASSERT_TRUE(app.SendCommand(kPutIconOnTray));
  EXPECT_TRUE(TrayIconPresent(window, kTrayIconId));

  // Maximized, then closed: hidden, still running, the icon still there.
  ASSERT_TRUE(PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0));
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(window) != 0; }, kAnswerMs));
  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, kAnswerMs)) << "the close box must hide the window";
  EXPECT_TRUE(product.Running());
  EXPECT_TRUE(TrayIconPresent(window, kTrayIconId));
  // A double click on the icon brings it back, in its normal state.
  ASSERT_TRUE(PostMessageA(window, kTrayMessage, kTrayIconId, WM_LBUTTONDBLCLK));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != 0; }, kAnswerMs)) << "still hidden";
  EXPECT_FALSE(IsZoomed(window));
  EXPECT_FALSE(IsIconic(window));
  // Shown, it becomes the active window a moment later under Wine; a menu open by then would be cancelled.
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, kAnswerMs));

  // Exit from the icon's menu saves the settings and ends the program.
  ASSERT_TRUE(app.SendCommand(kShowGridLines));
  DWORD code = 99;
  ASSERT_TRUE(ChooseFromTrayMenu(product, {VK_DOWN, VK_DOWN, VK_RETURN}, [&] { return product.WaitForExit(0, &code); }))
      << "Exit from the tray menu did not end the program";
  EXPECT_EQ(code, 0u);
  const std::string settings = ReadFileBytes(product.SettingsPath());
  EXPECT_EQ(SettingsValue(settings, "TrayIcon"), "1");
  EXPECT_EQ(SettingsValue(settings, "ShowGridLines"), "1");
  // Under Wine the shell drops the icon of a destroyed window by itself, so this holds there whatever the program
  // does; Windows keeps such an icon until the pointer passes over it.
  EXPECT_FALSE(TrayIconPresent(window, kTrayIconId));
}

TEST(Tray, WithBothOptionsTheProgramStartsHiddenBehindItsIcon) {
  PointAtTheIcon();
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nTrayIcon=1\r\nStartAsHidden=1\r\n"));
  ASSERT_TRUE(product.StartHidden());
  HWND window = product.Window();
  Sleep(300);  // a window about to show would have shown by now
  EXPECT_FALSE(IsWindowVisible(window));

  // "Open Wrenhollow" from the icon's menu.
  POINT cursor{};
  ASSERT_TRUE(GetCursorPos(&cursor));
  HWND menu = OpenTrayMenu(product);
  ASSERT_NE(menu, nullptr);
  CheckTrayMenu(product, menu, cursor);
  for (UINT key : {VK_DOWN, VK_RETURN}) PostKey(menu, key);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != 0; }, kAnswerMs)) << "Open did not show the window";
  EXPECT_FALSE(IsIconic(window));
  KeepScreenshot(window, "opened-from-tray");
  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, kAnswerMs));
  ASSERT_TRUE(product.Exit());
  const std::string settings = ReadFileBytes(product.SettingsPath());
  EXPECT_EQ(SettingsValue(settings, "TrayIcon"), "1");
  EXPECT_EQ(SettingsValue(settings, "StartAsHidden"), "1");
}

}  // namespace
}  // namespace wrenhollow::e2e
