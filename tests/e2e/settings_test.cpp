// The settings file beside the exe: what Exit leaves in it, and what a start takes from it.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

std::string Hex(const void* data, size_t size) {
  std::string text;
  char pair[4];
  for (size_t i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%s%02X", i == 0 ? "" : " ", static_cast<const unsigned char*>(data)[i]);
    text += pair;
  }
  return text;
}

// A saved placement: the 44-byte WINDOWPLACEMENT record with a show state and a normal rectangle.
std::string WinPos(UINT showState, RECT normal) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement.showCmd = showState;
  placement.ptMinPosition = {-1, -1};
  placement.ptMaxPosition = {-1, -1};
  placement.rcNormalPosition = normal;
  return "WinPos=" + Hex(&placement, sizeof placement) + "\r\n";
}

WINDOWPLACEMENT PlacementOf(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  EXPECT_TRUE(GetWindowPlacement(window, &placement));
  return placement;
}

std::string Value(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& line : lines) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return "(absent)";
}

::testing::AssertionResult SameRect(const RECT& a, const RECT& b) {
  if (a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "(" << a.left << "," << a.top << ")-(" << a.right << "," << a.bottom
                                       << ") is not (" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom
                                       << ")";
}

bool HasGridLines(const AppWindow& app) {
  DWORD_PTR style = 0;
  SendMessageTimeoutA(app.ListView(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0, SMTO_ABORTIFHUNG, 5000, &style);
  return (style & LVS_EX_GRIDLINES) != 0;
}

TEST(Settings, ExitWritesExactlyTheKeysInOrder) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  // Keys and sections the program does not know go at the next save.
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(),
                             "[Other]\r\nKept=1\r\n[General]\r\nUnknown=5\r\nShowGridLines=1\r\nSort=4099\r\n"));
  ASSERT_TRUE(product.Start());
  const WINDOWPLACEMENT placement = PlacementOf(product.Window());
  ASSERT_TRUE(product.Exit());

  const std::vector<std::string> lines = SettingsLines(ReadFileBytes(product.SettingsPath()));
  std::vector<std::string> keys;
  for (const std::string& line : lines) keys.push_back(line.substr(0, line.find('=')));
  EXPECT_EQ(keys,
            (std::vector<std::string>{"[General]", "ShowGridLines", "SaveFilterIndex", "ShowInfoTip", "ShowTimeInGMT",
                                      "TrayIcon", "StartAsHidden", "WinPos", "Columns", "Sort"}));
  EXPECT_EQ(Value(lines, "ShowGridLines"), "1");
  EXPECT_EQ(Value(lines, "SaveFilterIndex"), "0");
  EXPECT_EQ(Value(lines, "ShowInfoTip"), "1");
  EXPECT_EQ(Value(lines, "ShowTimeInGMT"), "0");
  EXPECT_EQ(Value(lines, "TrayIcon"), "0");
  EXPECT_EQ(Value(lines, "StartAsHidden"), "0");
  EXPECT_EQ(Value(lines, "WinPos"), Hex(&placement, sizeof placement));
  EXPECT_EQ(Value(lines, "WinPos").substr(0, 35), "2C 00 00 00 00 00 00 00 01 00 00 00");
  // Every column at its default width, in table order.
  EXPECT_EQ(Value(lines, "Columns"),
            "64 00 00 00 78 00 01 00 96 00 02 00 96 00 03 00 78 00 04 00 64 00 05 00 78 00 06 00 64 00 07 00 "
            "64 00 08 00 96 00 09 00 96 00 0A 00 64 00 0B 00 50 00 0C 00 50 00 0D 00 50 00 0E 00");
  EXPECT_EQ(Value(lines, "Sort"), "4099");
}

TEST(Settings, ASavedMaximizedWindowOpensMaximizedOverItsNormalRectangle) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  const RECT normal = {100, 120, 600, 500};
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\n" + WinPos(SW_SHOWMAXIMIZED, normal)));
  ASSERT_TRUE(product.Start());
  EXPECT_TRUE(IsZoomed(product.Window()));
  // Only the showing process knows the normal rectangle (Wine reports the maximized one to others): it is
  // checked in what the program saves.
  EXPECT_EQ(PlacementOf(product.Window()).showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
  ASSERT_TRUE(product.Exit());
  const std::string saved = Value(SettingsLines(ReadFileBytes(product.SettingsPath())), "WinPos");
  EXPECT_EQ(saved.substr(0, 35), "2C 00 00 00 00 00 00 00 03 00 00 00") << "saved again as maximized";
  EXPECT_EQ(saved.substr(saved.size() - 47), Hex(&normal, sizeof normal));
}

TEST(Settings, ASavedMinimizedWindowOpensInItsNormalState) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  const RECT normal = {50, 60, 450, 360};
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\n" + WinPos(SW_SHOWMINIMIZED, normal)));
  ASSERT_TRUE(product.Start());
  EXPECT_FALSE(IsIconic(product.Window()));
  EXPECT_FALSE(IsZoomed(product.Window()));
  RECT rect;
  ASSERT_TRUE(GetWindowRect(product.Window(), &rect));
  EXPECT_TRUE(SameRect(rect, normal));
  EXPECT_TRUE(product.Exit());
}

TEST(Settings, APlacementOffTheScreenIsIgnored) {
  ASSERT_TRUE(LoadDevices({}));
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const RECT offScreen[] = {{width - 20, 100, width + 400, 400},  // left + 20 reaches the screen's width
                            {100, height - 20, 500, height + 300},
                            {-600, 100, 5, 400},    // right edge at 5
                            {100, -11, 500, 300},   // above the top
                            {100, 100, 120, 400}};  // 20 pixels wide
  for (const RECT& normal : offScreen) {
    SCOPED_TRACE(std::to_string(normal.left) + "," + std::to_string(normal.top));
    Product product;
    ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\n" + WinPos(SW_SHOWNORMAL, normal)));
    ASSERT_TRUE(product.Start());
    RECT rect;
    ASSERT_TRUE(GetWindowRect(product.Window(), &rect));
    EXPECT_TRUE(SameRect(rect, {0, 0, 640, 480})) << "the window must keep its creation position";
    EXPECT_TRUE(product.Exit());
  }
  // Just inside every limit, the placement is applied.
  Product product;
  const RECT inside = {width - 21, -10, width + 400, 300};
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\n" + WinPos(SW_SHOWNORMAL, inside)));
  ASSERT_TRUE(product.Start());
  RECT rect;
  ASSERT_TRUE(GetWindowRect(product.Window(), &rect));
  EXPECT_TRUE(SameRect(rect, inside));
  EXPECT_TRUE(product.Exit());
}

TEST(Settings, TheOptionsOfTheFileAreApplied) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nShowGridLines=1\r\n"));
  ASSERT_TRUE(product.Start());
  EXPECT_TRUE(HasGridLines(product.App()));
  EXPECT_TRUE(product.Exit());
}

TEST(Settings, NoSaveLoadNeitherReadsNorWritesTheFile) {
  ASSERT_TRUE(LoadDevices({}));
  {
    Product product;
    const std::string settings = "[General]\r\nShowGridLines=1\r\n" + WinPos(SW_SHOWNORMAL, {50, 60, 450, 360});
    ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), settings));
    ASSERT_TRUE(product.Start("/nosaveload"));
    EXPECT_FALSE(HasGridLines(product.App()));
    RECT rect;
    ASSERT_TRUE(GetWindowRect(product.Window(), &rect));
    EXPECT_TRUE(SameRect(rect, {0, 0, 640, 480}));
    ASSERT_TRUE(product.Exit());
    EXPECT_EQ(ReadFileBytes(product.SettingsPath()), settings);
  }
  Product product;
  ASSERT_TRUE(product.Start("/NOSAVELOAD"));
  ASSERT_TRUE(product.Exit());
  EXPECT_FALSE(FileExists(product.SettingsPath()));
}

TEST(Settings, TheHtmlReportFileIsGoneAfterExit) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.ReportPath(), "<html></html>"));
  ASSERT_TRUE(product.Start());
  ASSERT_TRUE(product.Exit());
  EXPECT_FALSE(FileExists(product.ReportPath()));
  EXPECT_TRUE(FileExists(product.SettingsPath()));
}

}  // namespace
}  // namespace wrenhollow::e2e
