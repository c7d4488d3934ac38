// The main window as the user meets it: its title, its list's header, and what happens when a handler faults.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

constexpr int kDeviceNameColumn = 2;
constexpr int kDescriptionColumn = 3;

std::vector<std::string> Column(const AppWindow& app, int column) {
  std::vector<std::string> texts;
  for (const ListRow& row : app.ReadRows()) texts.push_back(row.texts.at(column));
  return texts;
}

// Whether the column's header shows the sort arrow with this image (0 ascending, 1 descending).
bool ShowsArrow(const AppWindow& app, int column, int arrow) {
  int format = 0;
  int image = -1;
  return app.HeaderItemFormat(column, &format, &image) && (format & HDF_IMAGE) != 0 && image == arrow;
}

TEST(MainWindow, TheTitleCannotBeChangedAwayFromTheProgramName) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  EXPECT_EQ(app.Title(), "Wrenhollow");
  EXPECT_EQ(app.SetTitle("Something else"), 0);
  EXPECT_EQ(app.Title(), "Wrenhollow");
  EXPECT_EQ(app.SetTitle("Wrenhollo"), 0);
  EXPECT_EQ(app.Title(), "Wrenhollow");
  EXPECT_NE(app.SetTitle("WRENHOLLOW - 3 devices"), 0);
  EXPECT_EQ(app.Title(), "WRENHOLLOW - 3 devices");
  EXPECT_EQ(app.SetTitle(""), 0);
  EXPECT_EQ(app.Title(), "WRENHOLLOW - 3 devices");
  EXPECT_TRUE(product.Exit());
}

TEST(MainWindow, AHeaderClickSortsAsTextAndASecondClickReverses) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  // Device names that sort differently as numbers and as text, and descriptions that differ in case only in
  // their order.
  const struct {
    const char* device;
    const char* location;
    const char* description;
  } devices[] = {
      {"VID_1209&PID_0009", "9", "beta"}, {"VID_1209&PID_0010", "10", "Alpha"}, {"VID_1209&PID_0011", "2", "Gamma"}};
  std::string error;
  for (const auto& d : devices) {
    NewDevice device;
    device.id = {d.device, std::string("E2E") + d.location};
    device.location = d.location;
    device.description = d.description;
    ASSERT_TRUE(AddDevice(device, &error)) << error;
  }
  ASSERT_TRUE(BroadcastDeviceChange());
  ASSERT_EQ(WaitForRows(app, 3, kRefreshDelayMs + kRefreshSlackMs), 3);

  ASSERT_TRUE(app.ClickHeader(kDeviceNameColumn, &error)) << error;
  EXPECT_TRUE(WaitUntil([&] { return ShowsArrow(app, kDeviceNameColumn, 0); }, kAnswerMs)) << "no ascending arrow";
  EXPECT_EQ(Column(app, kDeviceNameColumn), (std::vector<std::string>{"10", "2", "9"}));

  ASSERT_TRUE(app.ClickHeader(kDeviceNameColumn, &error)) << error;
  EXPECT_TRUE(WaitUntil([&] { return ShowsArrow(app, kDeviceNameColumn, 1); }, kAnswerMs)) << "no descending arrow";
  EXPECT_EQ(Column(app, kDeviceNameColumn), (std::vector<std::string>{"9", "2", "10"}));

  // Another column starts ascending, and the arrow moves there.
  ASSERT_TRUE(app.ClickHeader(kDescriptionColumn, &error)) << error;
  EXPECT_TRUE(WaitUntil([&] { return ShowsArrow(app, kDescriptionColumn, 0); }, kAnswerMs)) << "no ascending arrow";
  EXPECT_EQ(Column(app, kDescriptionColumn), (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
  int format = 0;
  int image = 0;
  ASSERT_TRUE(app.HeaderItemFormat(kDeviceNameColumn, &format, &image));
  EXPECT_EQ(format & HDF_IMAGE, 0) << "the arrow stayed on the previous column";
  EXPECT_TRUE(product.Exit());
}

// A handler that faults: WM_NOTIFY posted with a pointer that points nowhere.
HWND FaultAndWaitForTheDialog(const Product& product) {
  EXPECT_TRUE(PostMessageA(product.Window(), WM_NOTIFY, 0, 8));
  return WaitForDialog(product.ProcessId(), "Exception !", kAnswerMs);
}

TEST(FaultGuard, ContinueLeavesTheProgramWorking) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  ASSERT_TRUE(product.Start());
  HWND dialog = FaultAndWaitForTheDialog(product);
  ASSERT_NE(dialog, nullptr) << "no exception dialog";
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 1002)).rfind("Exception C0000005 at address ", 0), 0u)
      << WindowText(GetDlgItem(dialog, 1002));
  KeepScreenshot(dialog, "exception-dialog");
  ASSERT_TRUE(PressDialogButton(dialog, 1));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs)) << "the dialog stayed open";

  ASSERT_TRUE(product.Running());
  std::string error;
  ASSERT_TRUE(SetLinked(kStick, 0, &error)) << error;
  ASSERT_TRUE(BroadcastDeviceChange());
  const AppWindow app = product.App();
  ASSERT_EQ(WaitForRows(app, 1, kRefreshDelayMs + kRefreshSlackMs), 1) << "no row after Continue";
  EXPECT_EQ(app.ReadRows().at(0).texts.at(0), "Unplug");
  EXPECT_TRUE(product.Exit());
}

TEST(FaultGuard, TerminateEndsTheProgramWithExitCode1) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  HWND dialog = FaultAndWaitForTheDialog(product);
  ASSERT_NE(dialog, nullptr) << "no exception dialog";
  ASSERT_TRUE(PressDialogButton(dialog, 2));
  DWORD code = 0;
  ASSERT_TRUE(product.WaitForExit(10000, &code)) << "still running after Terminate Application";
  EXPECT_EQ(code, 1u);
}

}  // namespace
}  // namespace wrenhollow::e2e
