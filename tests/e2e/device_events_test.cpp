// Devices coming and going, as the running program sees them: registry changes followed by the WM_DEVICECHANGE
// broadcast Windows sends, and the rows that appear half a second later.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

// Broadcasts the notification and waits for the list to reach count rows; returns how long that took in ms,
// or a value above any timeout when it never did.
ULONGLONG NotifyAndWaitForRows(const AppWindow& app, int count) {
  const ULONGLONG sent = GetTickCount64();
  EXPECT_TRUE(BroadcastDeviceChange());
  if (WaitForRows(app, count, kRefreshDelayMs + kRefreshSlackMs) < count) return ~0ull;
  return GetTickCount64() - sent;
}

TEST(DeviceEvents, UnplugOfAnAttachedDeviceAddsOneUnplugRowAfterTheDelay) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  EXPECT_EQ(app.ColumnCount(), kColumnCount);
  EXPECT_EQ(app.RowCount(), 0) << "the first reading is a baseline";

  std::string error;
  ASSERT_TRUE(SetLinked(kStick, 0, &error)) << error;
  const FILETIME before = Now();
  const ULONGLONG elapsed = NotifyAndWaitForRows(app, 1);
  const FILETIME after = Now();
  ASSERT_LT(elapsed, kRefreshDelayMs + kRefreshSlackMs) << "no row after the notification";
  EXPECT_GE(elapsed, kRefreshDelayMs - 50) << "the devices are read only after the delay";
  const std::vector<ListRow> rows = app.ReadRows();
  ASSERT_EQ(rows.size(), 1u);
  ExpectRow(rows[0], StickTexts("Unplug"), kUnplugImage, TimeTextsBetween(before, after), "unplug");
  EXPECT_TRUE(product.Exit());
}

TEST(DeviceEvents, ReplugAfterUnplugAddsAPlugRow) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  std::string error;
  DWORD linked = 1;
  ASSERT_TRUE(FlipLinked(kStick, &linked, &error)) << error;
  ASSERT_EQ(linked, 0u);
  ASSERT_LT(NotifyAndWaitForRows(app, 1), kRefreshDelayMs + kRefreshSlackMs);

  ASSERT_TRUE(FlipLinked(kStick, &linked, &error)) << error;
  ASSERT_EQ(linked, 1u);
  const FILETIME before = Now();
  // The timer of the first notification has fired: this one starts a new wait and a second reading.
  ASSERT_LT(NotifyAndWaitForRows(app, 2), kRefreshDelayMs + kRefreshSlackMs);
  const FILETIME after = Now();
  const std::vector<ListRow> rows = app.ReadRows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].texts[0], "Unplug");
  EXPECT_EQ(rows[0].image, kUnplugImage);
  ExpectRow(rows[1], StickTexts("Plug"), kPlugImage, TimeTextsBetween(before, after), "replug");
  KeepScreenshot(product.Window(), "plug-and-unplug");
  EXPECT_TRUE(product.Exit());
}

TEST(DeviceEvents, ADeviceNeverSeenBeforeIsAPlug) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(ApplyDevices("plug_after.reg"));
  const FILETIME before = Now();
  ASSERT_LT(NotifyAndWaitForRows(app, 1), kRefreshDelayMs + kRefreshSlackMs);
  std::vector<ListRow> rows = app.ReadRows();
  ASSERT_EQ(rows.size(), 1u);
  ExpectRow(rows[0], StickTexts("Plug"), kPlugImage, TimeTextsBetween(before, Now()), "the stick");

  // One the registry has never held, without a storage child: its own description, no letters.
  NewDevice device;
  device.id = {"VID_0781&PID_5581", "E2E0000000000001"};
  device.description = "@usbstor.inf,%usbstor.devicedesc%;USB Mass Storage Device";
  device.location = "Port_#0009.Hub_#0004";
  device.revision = "0100";
  std::string error;
  ASSERT_TRUE(AddDevice(device, &error)) << error;
  const FILETIME second = Now();
  ASSERT_LT(NotifyAndWaitForRows(app, 2), kRefreshDelayMs + kRefreshSlackMs);
  rows = app.ReadRows();
  ASSERT_EQ(rows.size(), 2u);
  ExpectRow(rows[1],
            {"Plug", "", "Port_#0009.Hub_#0004", "USB Mass Storage Device", "Mass Storage", "", "E2E0000000000001",
             "0781", "5581", "SanDisk Corp.", "Ultra", "1.00", "08", "06", "50"},
            kPlugImage, TimeTextsBetween(second, Now()), "a new device");
  EXPECT_TRUE(product.Exit());
}

TEST(DeviceEvents, ACompositeDeviceAddsOneRowPerChangedRecord) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(ApplyDevices("composite_after.reg"));
  const FILETIME before = Now();
  ASSERT_LT(NotifyAndWaitForRows(app, 3), kRefreshDelayMs + kRefreshSlackMs);
  const std::set<std::string> times = TimeTextsBetween(before, Now());
  const std::vector<ListRow> rows = app.ReadRows();
  ASSERT_EQ(rows.size(), 3u);
  // No capability bit 0x10: the instance names are made up by the system, so no serial numbers.
  ExpectRow(rows[0],
            {"Plug", "", "Port_#0002.Hub_#0004", "USB Composite Device", "Unknown", "", "", "046d", "c52b",
             "Logitech, Inc.", "Unifying Receiver", "12.11", "00", "00", "00"},
            kPlugImage, times, "the composite parent");
  for (int i = 1; i <= 2; ++i) {
    ExpectRow(
        rows[i],
        {"Plug", "", "0000.001a.0000.001.002.000.000.000.000", "USB Input Device", "HID (Human Interface Device)", "",
         "", "046d", "c52b", "Logitech, Inc.", "Unifying Receiver", "12.11", "03", "01", i == 1 ? "01" : "02"},
        kPlugImage, times, "interface " + std::to_string(i - 1));
  }
  EXPECT_TRUE(product.Exit());
}

TEST(DeviceEvents, NoChangeAndACaseOnlyChangeAddNothing) {
  for (const char* scenario : {"no_change", "case_only"}) {
    SCOPED_TRACE(scenario);
    ASSERT_TRUE(LoadDevices({(std::string(scenario) + "_before.reg").c_str()}));
    Product product;
    ASSERT_TRUE(product.Start());
    ASSERT_TRUE(ApplyDevices((std::string(scenario) + "_after.reg").c_str()));
    ASSERT_TRUE(BroadcastDeviceChange());
    Sleep(kRefreshDelayMs + 700);
    const AppWindow app = product.App();
    EXPECT_EQ(app.RowCount(), 0);
    // However late that reading came, the next one adds the new device and nothing else.
    NewDevice device;
    device.id = {"VID_1209&PID_0002", "E2EPROBE"};
    device.description = "Probe";
    std::string error;
    ASSERT_TRUE(AddDevice(device, &error)) << error;
    ASSERT_TRUE(BroadcastDeviceChange());
    ASSERT_GE(WaitForRows(app, 1, kRefreshDelayMs + kRefreshSlackMs), 1);
    const std::vector<ListRow> rows = app.ReadRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].texts[3], "Probe");
    EXPECT_TRUE(product.Exit());
  }
}

TEST(DeviceEvents, TenNotificationsWithinTheDelayMakeOneReading) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  // Between notifications the stick goes and comes back, ending detached: one reading at the end sees one
  // Unplug; a reading per notification would log every step.
  std::string error;
  DWORD linked = 1;
  const ULONGLONG first = GetTickCount64();
  const DWORD span = BurstDeviceChange(nullptr, 10, 400, [&](int i) {
    if (i < 9) {
      EXPECT_TRUE(FlipLinked(kStick, &linked, &error)) << error;
    }
  });
  ASSERT_LT(span, kRefreshDelayMs - 30) << "the notifications took too long to be one burst on this machine";
  ASSERT_EQ(linked, 0u);
  ASSERT_EQ(WaitForRows(app, 1, kRefreshDelayMs + kRefreshSlackMs), 1);
  const ULONGLONG shown = GetTickCount64() - first;
  // The wait starts at the first notification (~500 ms); a wait restarted by each would end 500 ms after the
  // last (~900 ms). The limit lies halfway.
  EXPECT_GE(shown, kRefreshDelayMs - 50);
  EXPECT_LT(shown, kRefreshDelayMs + span / 2) << "the reading waited for the last notification, not the first";
  Sleep(kRefreshDelayMs + 500);
  const std::vector<ListRow> rows = app.ReadRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].texts[0], "Unplug");
  EXPECT_TRUE(product.Exit());
}

TEST(DeviceEvents, RefreshEmptiesTheLogAndAttachedDevicesDoNotComeBack) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg", "composite_after.reg"}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  std::string error;
  ASSERT_TRUE(SetLinked(kStick, 0, &error)) << error;
  ASSERT_LT(NotifyAndWaitForRows(app, 1), kRefreshDelayMs + kRefreshSlackMs);
  ASSERT_TRUE(SetLinked(kStick, 1, &error)) << error;
  ASSERT_LT(NotifyAndWaitForRows(app, 2), kRefreshDelayMs + kRefreshSlackMs);

  ASSERT_TRUE(app.SendCommand(Product::kRefreshCommand));
  EXPECT_TRUE(WaitUntil([&] { return app.RowCount() == 0; }, kAnswerMs));
  EXPECT_TRUE(WaitUntil([&] { return app.StatusText(0) == "0 item(s)"; }, kAnswerMs)) << app.StatusText(0);

  // A reading with nothing changed: the stick and the composite device are still attached, and stay away.
  ASSERT_TRUE(BroadcastDeviceChange());
  Sleep(kRefreshDelayMs + 700);
  EXPECT_EQ(app.RowCount(), 0);

  // However late that reading came, the next one logs the unplug alone.
  ASSERT_TRUE(SetLinked(kStick, 0, &error)) << error;
  ASSERT_LT(NotifyAndWaitForRows(app, 1), kRefreshDelayMs + kRefreshSlackMs);
  const std::vector<ListRow> rows = app.ReadRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].texts[0], "Unplug");
  EXPECT_EQ(rows[0].texts[3], "SanDisk Cruzer Blade USB Device");
  EXPECT_TRUE(product.Exit());
}

TEST(DeviceEvents, TheFiftiethRowLeavesItsProgressTextInTheStatusBar) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  std::string error;
  auto add = [&](int from, int to) {
    for (int i = from; i < to; ++i) {
      char device[32];
      char instance[32];
      std::snprintf(device, sizeof device, "VID_1209&PID_%04X", 0x7000 + i);
      std::snprintf(instance, sizeof instance, "E2E%08d", i);
      NewDevice added;
      added.id = {device, instance};
      added.description = "Device " + std::to_string(i);
      if (!AddDevice(added, &error)) return false;
    }
    return true;
  };
  ASSERT_TRUE(add(0, 49)) << error;
  ASSERT_LT(NotifyAndWaitForRows(app, 49), kRefreshDelayMs + kRefreshSlackMs);
  EXPECT_EQ(app.StatusText(0).find("Loading"), std::string::npos) << "49 rows: " << app.StatusText(0);

  ASSERT_TRUE(add(49, 50)) << error;
  ASSERT_LT(NotifyAndWaitForRows(app, 50), kRefreshDelayMs + kRefreshSlackMs);
  EXPECT_EQ(app.RowCount(), 50);
  EXPECT_EQ(app.StatusText(0), "Loading... 50");
  const std::vector<ListRow> rows = app.ReadRows();
  ASSERT_EQ(rows.size(), 50u);
  for (const ListRow& row : rows) {
    EXPECT_EQ(row.texts[0], "Plug");
    EXPECT_EQ(row.image, kPlugImage);
  }
  EXPECT_TRUE(product.Exit());
}

}  // namespace
}  // namespace wrenhollow::e2e
