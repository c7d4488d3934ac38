// Devices coming and going as the running program sees them: registry changes followed by the WM_DEVICECHANGE
// broadcast Windows sends, and the rows that appear half a second later.
#include <algorithm>
#include <set>
#include <tuple>

#include "e2e_support.h"

namespace wrenhollow::e2e {
namespace {

// The USB stick of the fixtures (plug_after.reg). Under Wine its letters come only from MountedDevices (E: by the
// child's parent-ID prefix, F: by the serial number): no live volume is a USB disk there.
const UsbDevice kStick{"VID_0781&PID_5567", "4C530001230105117312", "SanDisk Cruzer Blade USB Device"};

std::vector<std::string> StickTexts(const std::string& type, const std::string& time) {
  return {type,   time,   "Port_#0001.Hub_#0004", kStick.description, "Mass Storage", "E:, F:", kStick.instance,
          "0781", "5567", "SanDisk Corp.",        "Cruzer Blade",     "1.26",         "08",     "06",
          "50"};
}

ULONGLONG Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// The event times a reading between two moments (FILETIME units) can show: the user's short date, a space and the
// user's time format, in local time, for every whole second in between.
std::set<std::string> TimeTextsBetween(ULONGLONG from, ULONGLONG to) {
  std::set<std::string> texts;
  for (ULONGLONG at = from - from % 10'000'000; at <= to; at += 10'000'000) {
    const FILETIME utc{static_cast<DWORD>(at), static_cast<DWORD>(at >> 32)};
    FILETIME local;
    SYSTEMTIME time;
    char date[64] = {}, clock[64] = {};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &time);
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock);
    texts.insert(std::string(date) + " " + clock);
  }
  return texts;
}

std::string ManyDevices(int from, int to) {
  std::string text;
  for (int n = from; n <= to; ++n) text += NewDeviceText(TestDevice(n, "Device " + std::to_string(n)));
  return text;
}

TEST(DeviceEvents, EachChangeAddsItsRowsAfterTheDelay) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  EXPECT_EQ(app.RowCount(), 0) << "the first reading is a baseline";

  // The stick goes: one Unplug row with every field, read only after the delay.
  const ULONGLONG before = Now();
  ASSERT_TRUE(SetLinked(kStick, 0));
  const ULONGLONG sent = GetTickCount64();
  ASSERT_TRUE(ChangeDevices(app, "", 1));
  EXPECT_GE(GetTickCount64() - sent, kRefreshDelayMs - 50) << "the devices are read only after the delay";
  const ULONGLONG after = Now();
  ListRow row;
  ASSERT_TRUE(app.ReadRow(0, &row));
  EXPECT_EQ(TimeTextsBetween(before, after).count(row.texts.at(1)), 1u) << row.texts[1];
  EXPECT_EQ(row.texts, StickTexts("Unplug", row.texts[1]));
  EXPECT_EQ(row.image, 1);

  // Each a Plug row, the last one in the list after it.
  const struct { const char* what; std::string change; int rows; const char* description; } steps[] = {
      {"the stick comes back", LinkedText(kStick, 1), 2, kStick.description.c_str()},
      {"a device never seen before", NewDeviceText(TestDevice(1, "Device 1")), 3, "Device 1"},
      {"47 more in one reading", ManyDevices(2, 48), 50, "Device 48"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    ASSERT_TRUE(ChangeDevices(app, step.change, step.rows));
    EXPECT_EQ(app.RowCount(), step.rows);
    ASSERT_TRUE(app.ReadRow(step.rows - 1, &row));
    EXPECT_EQ(std::make_tuple(row.texts.at(0), row.texts.at(3), row.image),
              std::make_tuple(std::string("Plug"), std::string(step.description), 0));
  }
  EXPECT_EQ(app.StatusText(0), "Loading... 50") << "the fiftieth row leaves its progress text";

  // Ten notifications within the delay, the stick going and coming between them and ending detached: one
  // reading, timed from the first notification (~500 ms), one Unplug row. Had each notification restarted the
  // wait, the reading would come the whole delay after the last one; a loaded machine only makes it later.
  const ULONGLONG first = GetTickCount64();
  for (int i = 0; i < 10; ++i) {
    Sleep(static_cast<DWORD>(first + i * 40 - std::min(GetTickCount64(), first + i * 40)));
    ASSERT_TRUE(BroadcastDeviceChange(200));
    ASSERT_TRUE(i == 9 || SetLinked(kStick, i % 2));
  }
  const ULONGLONG last = GetTickCount64();
  ASSERT_LT(last - first, kRefreshDelayMs - 30) << "too slow to be one burst on this machine";
  ASSERT_TRUE(WaitUntil([&] { return app.RowCount() > 50; }, kRefreshDelayMs + kAnswerMs, 5));
  EXPECT_LT(GetTickCount64() - last, kRefreshDelayMs) << "the reading waited for the last notification";
  Sleep(kRefreshDelayMs + 300);
  EXPECT_EQ(app.RowCount(), 51);
  ASSERT_TRUE(app.ReadRow(50, &row));
  EXPECT_EQ(row.texts.at(0), "Unplug");

  // Refresh empties the log; the devices still attached stay away, and the next change is logged alone.
  ASSERT_TRUE(app.SendCommand(IDM_REFRESH));
  EXPECT_TRUE(WaitForStatus(app, "0 item(s)"));
  EXPECT_EQ(app.RowCount(), 0);
  ASSERT_TRUE(ChangeDevices(app, LinkedText(kStick, 1), 1));
  EXPECT_EQ(app.RowCount(), 1);
  EXPECT_TRUE(product.Exit());
}

}  // namespace
}  // namespace wrenhollow::e2e
