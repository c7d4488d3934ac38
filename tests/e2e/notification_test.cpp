// Tray balloons after a reading: the icon that comes for a balloon when the tray option is off, the rows a click
// on the balloon selects, and no balloon for a device seen before when only new devices count. The shell's side
// is simulated as Windows talks to the program: the callback message with the balloon's event in lParam.
#include "e2e_support.h"

#include <shellapi.h>

namespace wrenhollow::e2e {
namespace {

constexpr UINT kTrayIcon = 0;
constexpr UINT kTrayMessage = 1054;
const UsbDevice kStick{"VID_0781&PID_5567", "4C530001230105117312", "SanDisk Cruzer Blade USB Device"};

TEST(Notifications, ABalloonForANewDeviceSelectsItsRowWhenClicked) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nShowNotifications=1\r\nOnlyNewDevices=1\r\n"));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  EXPECT_FALSE(TrayIconPresent(product.Window(), kTrayIcon));

  // The stick was in the previous reading: its row comes, no balloon.
  ASSERT_TRUE(ChangeDevices(app, LinkedText(kStick, 0), 1));
  Sleep(200);
  EXPECT_FALSE(TrayIconPresent(product.Window(), kTrayIcon)) << "a balloon for a device seen before";

  // A device never seen before: the icon comes for its balloon; a click shows its row selected, and the icon goes.
  ASSERT_TRUE(PlugDevices(app, {"New Reader"}));
  EXPECT_TRUE(WaitUntil([&] { return TrayIconPresent(product.Window(), kTrayIcon); }, kAnswerMs));
  ASSERT_TRUE(app.SelectRows({0}));
  ASSERT_TRUE(PostMessageA(product.Window(), kTrayMessage, kTrayIcon, NIN_BALLOONUSERCLICK));
  EXPECT_TRUE(WaitUntil([&] { return app.SelectedRows() == std::vector<int>{1}; }, kAnswerMs));
  EXPECT_TRUE(WaitUntil([&] { return !TrayIconPresent(product.Window(), kTrayIcon); }, kAnswerMs));
  ASSERT_TRUE(product.Exit());
}

}  // namespace
}  // namespace wrenhollow::e2e
