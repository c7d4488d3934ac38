#include "events/usb_event.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_options.h"
#include "events/device_type.h"
#include "events/event_columns.h"
#include "events/event_report_list.h"
#include "lang/language_table.h"
#include "monitor/device_transitions.h"
#include "support/device_events.h"
#include "support/memory_registry.h"
#include "portable/profile_files_portable.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"
#include "portable/string_table_builtin.h"

namespace wrenhollow {
namespace {

constexpr FileTime kTime = 133541212290000000;  // 2024-03-05 14:07:09 UTC

// Local time is an hour ahead, so that the two renderings differ.
class OneHourAheadClock : public FixedClock {
 public:
  OneHourAheadClock() : FixedClock(kTime) {}
  FileTime ToLocal(FileTime utc) override { return utc + 36'000'000'000ull; }
};

class UsbEventTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallLanguageTable(&language_);
    SetEventClock(&clock_, &options_.showTimeInGmt);
    ASSERT_TRUE(database_.ParseUsbIds("0781  SanDisk Corp.\n\t5567  Cruzer Blade\n046d  Logitech, Inc.\n"));
  }
  void TearDown() override {
    InstallLanguageTable(nullptr);
    SetEventClock(nullptr, nullptr);
  }

  UsbEvent Row(uint32_t vendorId, uint32_t productId, const char* letters = "", const char* port = "") {
    return BuildUsbEvent(test::SampleEvent(EventType::Plug, "SanDisk Cruzer Blade USB Device", "4C530001230105117312",
                                           "Port_#0001.Hub_#0004", letters, vendorId, productId, port),
                         database_);
  }

  std::string Text(const UsbEvent& row, int column) {
    char buffer[kReportTextSize];
    return row.Text(column, buffer, sizeof buffer);
  }

  PortableProfileFiles profiles_;
  BuiltinStringTable strings_;
  LanguageTable language_{profiles_, strings_, [](const char*) { return false; }};
  OneHourAheadClock clock_;
  AppOptions options_;
  UsbIdDatabase database_;
};

TEST_F(UsbEventTest, EveryColumnText) {
  const UsbEvent row = Row(0x781, 0x5567, "EG");
  const char* expected[kEventColumnCount] = {
      "Plug",     "2024-03-05 15:07:09", "Port_#0001.Hub_#0004", "SanDisk Cruzer Blade USB Device",
      "Mass Storage", "E:, G:",         "4C530001230105117312", "0781",
      "5567",     "SanDisk Corp.",       "Cruzer Blade",         "1.26",
      "08",       "06",                  "50"};
  for (int column = 0; column < kEventColumnCount; ++column) EXPECT_EQ(Text(row, column), expected[column]) << column;
  EXPECT_EQ(Text(row, kEventColumnCount), "");
  EXPECT_EQ(Text(row, -1), "");
  options_.showTimeInGmt = 1;
  EXPECT_EQ(Text(row, kColumnEventTime), "2024-03-05 14:07:09");
}

TEST_F(UsbEventTest, NamesNumbersAndEmptyCases) {
  UsbEvent row = Row(0x46D, 0xC52B, "", "COM12345678");
  EXPECT_EQ(Text(row, kColumnVendorName), "Logitech, Inc.");
  EXPECT_EQ(Text(row, kColumnProductName), "");
  EXPECT_EQ(Text(row, kColumnDriveLetter), "COM12345");  // the port name, cut to 8 characters
  row = Row(0x1234, 1);
  EXPECT_EQ(Text(row, kColumnVendorName), "");
  EXPECT_EQ(Text(row, kColumnDriveLetter), "");
  row.firmwareRevision = 0;
  EXPECT_EQ(Text(row, kColumnFirmwareRevision), "0.00");
  row.firmwareRevision = 100;
  EXPECT_EQ(Text(row, kColumnFirmwareRevision), "1.00");
  row.vendorId = 0x12345;
  EXPECT_EQ(Text(row, kColumnVendorId), "12345");
  row.eventTime = 0xFFFFFFFFu;  // high half zero
  EXPECT_EQ(Text(row, kColumnEventTime), "");
  row.eventType = EventType::Unplug;
  EXPECT_EQ(Text(row, kColumnEventType), "Unplug");
}

TEST_F(UsbEventTest, AllThirtyTwoLettersStayInsideTheirSlots) {
  const UsbEvent row = Row(1, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`");
  const std::string text = Text(row, kColumnDriveLetter);
  EXPECT_EQ(text.substr(0, 10), "A:, B:, C:");
  EXPECT_EQ(text.substr(text.size() - 6), "_:, `:");
  EXPECT_EQ(text.size(), 32 * 2 + 31 * 2u);
}

TEST_F(UsbEventTest, RowsOfOneDeviceShareTheirPoolTexts) {
  const UsbEvent first = Row(1, 1);
  const UsbEvent second = Row(1, 1);
  EXPECT_EQ(first.descriptionIndex, second.descriptionIndex);
  EXPECT_EQ(first.serialNumberIndex, second.serialNumberIndex);
  EXPECT_EQ(first.deviceNameIndex, second.deviceNameIndex);
  EXPECT_NE(first.descriptionIndex, first.serialNumberIndex);
  EXPECT_EQ(InternEventText(""), InternEventText(""));
}

TEST_F(UsbEventTest, DeviceTypes) {
  const struct { uint32_t codes[3]; const char* text; } cases[] = {
      {{0, 0, 0}, "Unknown"},          {{9, 0, 0}, ""},
      {{0xE0, 1, 1}, "Bluetooth Device"}, {{0xE0, 1, 3}, "Remote NDIS"},
      {{0xE0, 1, 4}, "Wireless Controller"}, {{0xE0, 2, 2}, "Host Wire Adapter Control/Data interface"},
      {{0xE0, 2, 3}, "Device Wire Adapter Isochronous interface"}, {{0xEF, 1, 2}, "Palm Sync"},
      {{0xEF, 2, 1}, "Miscellaneous"}, {{0xFF, 0, 0}, "Vendor Specific"},
      {{0x100, 0, 0}, "Unknown"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(GetString(DeviceTypeStringId(c.codes[0], c.codes[1], c.codes[2]))), c.text) << c.text;
  }
}

TEST_F(UsbEventTest, EventListAddsARowPerDeviceEvent) {
  MemoryHive hive;
  test::ApplyRegFixture(hive, "devices/common.reg");
  VolumeTable volumes = test::ScenarioVolumes();
  EventReportList list(hive, volumes, clock_);
  list.Refresh();
  EXPECT_EQ(list.ItemCount(), 0);
  test::ApplyRegFixture(hive, "devices/plug_after.reg");
  list.Refresh();
  ASSERT_EQ(list.ItemCount(), 1);
  EXPECT_EQ(Text(*static_cast<UsbEvent*>(list.ItemAt(0)), kColumnDescription), "SanDisk Cruzer Blade USB Device");
  EXPECT_EQ(Text(*static_cast<UsbEvent*>(list.ItemAt(0)), kColumnDriveLetter), "E:, F:, G:");
  EXPECT_EQ(list.ItemImage(*list.ItemAt(0)), 0);
  UsbEvent unplug = *static_cast<UsbEvent*>(list.ItemAt(0));
  unplug.eventType = EventType::Unplug;
  EXPECT_EQ(list.ItemImage(unplug), 1);
}

}  // namespace
}  // namespace wrenhollow
