// The tray icon: a start hidden behind it, its menu, the close box that only hides the window, the icon's double
// click, and its option. The shell's side is simulated the way it talks to the program: the callback message
// with the mouse message in lParam.
#include "e2e_support.h"

namespace wrenhollow::e2e {
namespace {

constexpr UINT kTrayIcon = 0;
constexpr UINT kTrayMessage = 1054;

// Opens the icon's menu as a right click does and picks an item with the keys. Under load Wine may handle the X
// focus events of an earlier hide and show only once the menu is open; the focus loss among them cancels the
// menu, as a click elsewhere would, so a menu that closed without the choice taking effect is opened again.
bool ChooseFromTrayMenu(const Product& product, std::initializer_list<UINT> keys, const std::function<bool()>& chosen) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    PostMessageA(product.Window(), kTrayMessage, kTrayIcon, WM_RBUTTONUP);
    HWND popup = WaitForWindow("#32768", product.ProcessId(), kAnswerMs);
    if (popup == nullptr) return false;
    for (UINT key : keys) PostKey(popup, key);
    if (WaitUntil(chosen, kAnswerMs)) return true;
  }
  return false;
}

TEST(Tray, TheProgramStartsHiddenBehindItsIconAndComesBackFromIt) {
  ASSERT_TRUE(LoadDevices({}));
  // Where the icon would be; early, so that the pointer's events are handled before a menu opens (under Wine
  // they may cancel it), and after regedit, which takes the pointer back to where X has it.
  ASSERT_TRUE(SetCursorPos(400, 600));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nTrayIcon=1\r\nStartAsHidden=1\r\n"));
  ASSERT_TRUE(product.Start("", false));
  HWND window = product.Window();
  Sleep(300);  // a window about to show would have shown by now
  EXPECT_FALSE(IsWindowVisible(window));

  // "Open Wrenhollow", the menu's first item.
  ASSERT_TRUE(ChooseFromTrayMenu(product, {VK_DOWN, VK_RETURN}, [&] { return IsWindowVisible(window) != 0; }))
      << "Open did not show the window";
  // Maximized, then closed: hidden, still running; a double click on the icon brings it back, not maximized.
  ASSERT_TRUE(PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0));
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(window) != 0; }, kAnswerMs));
  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, kAnswerMs)) << "the close box must hide the window";
  EXPECT_TRUE(product.Running());
  ASSERT_TRUE(PostMessageA(window, kTrayMessage, kTrayIcon, WM_LBUTTONDBLCLK));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != 0; }, kAnswerMs)) << "still hidden";
  EXPECT_FALSE(IsZoomed(window));

  // The option takes the icon away and puts it back.
  const AppWindow app = product.App();
  ASSERT_TRUE(app.SendCommand(IDM_PUT_ICON_ON_TRAY));
  EXPECT_FALSE(TrayIconPresent(window, kTrayIcon));
  ASSERT_TRUE(app.SendCommand(IDM_PUT_ICON_ON_TRAY));
  EXPECT_TRUE(TrayIconPresent(window, kTrayIcon));

  // Shown, the window becomes the active one a moment later under Wine; a menu open by then would be cancelled.
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, kAnswerMs));
  // Exit, the menu's last item, saves the settings and ends the program.
  DWORD code = 99;
  ASSERT_TRUE(ChooseFromTrayMenu(product, {VK_DOWN, VK_DOWN, VK_RETURN}, [&] { return product.WaitForExit(0, &code); }))
      << "Exit from the tray menu did not end the program";
  EXPECT_EQ(code, 0u);
  EXPECT_NE(ReadFileBytes(product.SettingsPath()).find("\nTrayIcon=1\r\nStartAsHidden=1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace wrenhollow::e2e
