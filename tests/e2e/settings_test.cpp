// The settings file beside the exe: what a start takes from it, and what Exit leaves in it.
#include "e2e_support.h"

#include <commctrl.h>

namespace wrenhollow::e2e {
namespace {

// The saved placement: the 44-byte WINDOWPLACEMENT record with a show state and a normal rectangle.
WINDOWPLACEMENT Placement(UINT showState, RECT normal) {
  return {sizeof(WINDOWPLACEMENT), 0, showState, {-1, -1}, {-1, -1}, normal};
}

TEST(Settings, ASavedPlacementIsAppliedWhenOnTheScreenAndSavedAgain) {
  ASSERT_TRUE(LoadDevices({}));
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const RECT unplaced = {0, 0, 640, 480};  // where the window is created
  const struct {
    UINT showState;
    RECT normal;
    RECT shown;  // the normal rectangle the window takes, and that Exit saves
  } cases[] = {
      {SW_SHOWMAXIMIZED, {100, 120, 600, 500}, {100, 120, 600, 500}},
      {SW_SHOWMINIMIZED, {50, 60, 450, 360}, {50, 60, 450, 360}},  // opens in its normal state
      {SW_SHOWNORMAL, {width - 21, -10, width + 400, 300}, {width - 21, -10, width + 400, 300}},
      {SW_SHOWNORMAL, {width - 20, 100, width + 400, 400}, unplaced},  // 20 pixels left on the screen
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Hex(&c.normal, sizeof c.normal));
    Product product;
    const WINDOWPLACEMENT saved = Placement(c.showState, c.normal);
    ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nWinPos=" + Hex(&saved, sizeof saved) + "\r\n"));
    ASSERT_TRUE(product.Start());
    const bool maximized = c.showState == SW_SHOWMAXIMIZED;
    EXPECT_EQ(IsZoomed(product.Window()) != 0, maximized);
    EXPECT_FALSE(IsIconic(product.Window()));
    // Another process asking for the placement of a maximized window gets the maximized rectangle as the
    // normal one: what the program saves tells its normal rectangle.
    RECT rect{};
    GetWindowRect(product.Window(), &rect);
    if (!maximized) EXPECT_EQ(Hex(&rect, sizeof rect), Hex(&c.shown, sizeof c.shown));
    ASSERT_TRUE(product.Exit());
    const std::string settings = ReadFileBytes(product.SettingsPath());
    const size_t at = settings.find("\nWinPos=") + 8;
    const std::string winPos = settings.substr(at, settings.find('\r', at) - at);
    ASSERT_EQ(winPos.size(), 131u) << winPos;
    const UINT savedState = maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    EXPECT_EQ(winPos.substr(24, 11), Hex(&savedState, sizeof savedState));
    EXPECT_EQ(winPos.substr(winPos.size() - 47), Hex(&c.shown, sizeof c.shown));
  }
}

TEST(Settings, OptionsAreAppliedAndExitRewritesTheFileUnlessNoSaveLoad) {
  ASSERT_TRUE(LoadDevices({}));
  // Keys and sections the program does not know go at the next save; the hand-written forwarding section stays,
  // its missing keys added. Nothing listens on port 9 here, so the server refuses the connection, which the
  // status bar tells.
  const std::string settings = "[Other]\r\nKept=1\r\n[General]\r\nUnknown=5\r\nShowGridLines=1\r\nSort=4099\r\n"
                               "[Forwarding]\r\nSyslogServer=127.0.0.1\r\nSyslogPort=9\r\nSyslogProtocol=tcp\r\n";
  for (const bool noSaveLoad : {true, false}) {
    SCOPED_TRACE(noSaveLoad);
    Product product;
    ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), settings));
    ASSERT_TRUE(product.Start(noSaveLoad ? "/nosaveload" : ""));
    const LRESULT style = SendMessageA(product.App().ListView(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ((style & LVS_EX_GRIDLINES) != 0, !noSaveLoad);
    if (!noSaveLoad) {  // the first event goes to the server
      ASSERT_TRUE(PlugDevices(product.App(), {"Reader"}));
      EXPECT_TRUE(WaitForStatus(product.App(), "The syslog server refuses the connection; trying again"));
    }
    WINDOWPLACEMENT placement{sizeof placement};
    ASSERT_TRUE(GetWindowPlacement(product.Window(), &placement));
    ASSERT_TRUE(product.Exit());
    // Every column at its default width, in table order.
    EXPECT_EQ(ReadFileBytes(product.SettingsPath()),
              noSaveLoad ? settings
                         : "[General]\r\nShowGridLines=1\r\nSaveFilterIndex=0\r\nShowInfoTip=1\r\nShowTimeInGMT=0\r\n"
                           "TrayIcon=0\r\nStartAsHidden=0\r\nWinPos=" +
                               Hex(&placement, sizeof placement) +
                               "\r\nColumns=64 00 00 00 78 00 01 00 96 00 02 00 96 00 03 00 78 00 04 00 64 00 05 00 "
                               "78 00 06 00 64 00 07 00 64 00 08 00 96 00 09 00 96 00 0A 00 64 00 0B 00 50 00 0C 00 "
                               "50 00 0D 00 50 00 0E 00\r\nSort=4099\r\nShowEarlierConnections=0\r\nKeepLogFile=0\r\nWriteToEventLog=0\r\nShowNotifications=0\r\nOnlyNewDevices=0\r\n"
                               "[Forwarding]\r\nSyslogServer=127.0.0.1\r\nSyslogPort=9\r\nSyslogProtocol=tcp\r\n"
                               "SyslogFacility=1\r\n");
  }
}

}  // namespace
}  // namespace wrenhollow::e2e
