#include "events/usb_event.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/app_options.h"
#include "events/device_type.h"
#include "events/event_columns.h"
#include "events/event_report_list.h"
#include "lang/language_table.h"
#include "monitor/device_transitions.h"
#include "portable/clock_fixed.h"
#include "portable/device_history_table.h"
#include "portable/profile_files_portable.h"
#include "portable/string_table_builtin.h"
#include "support/device_events.h"
#include "support/golden.h"
#include "support/memory_registry.h"

namespace wrenhollow {
namespace {

// Local time is an hour ahead, so that the two renderings differ.
class OneHourAheadClock : public FixedClock {
 public:
  OneHourAheadClock() : FixedClock(133541212290000000) {}
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

  // Every column's text, and those of the columns just outside, one line.
  static std::string Texts(const UsbEvent& row) {
    std::string texts;
    char buffer[kReportTextSize];
    for (int column = -1; column <= kEventColumnCount; ++column) texts += std::string(row.Text(column, buffer, sizeof buffer)) + "|";
    return texts + "\n";
  }

  PortableProfileFiles profiles_;
  BuiltinStringTable strings_;
  LanguageTable language_{profiles_, strings_, [](const char*) { return false; }};
  OneHourAheadClock clock_;
  AppOptions options_;
  UsbIdDatabase database_;
};

// Rows with names, numbers and letters, a port name of more than 8 characters, unknown ids, edited numbers and
// a time without its high half, in local time and in GMT; every text must equal the golden columns.txt.
TEST_F(UsbEventTest, EveryColumnText) {
  std::string texts = Texts(Row(0x781, 0x5567, "EG")) + Texts(Row(0x46D, 0xC52B, "", "COM12345678")) +
                      Texts(Row(1, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"));
  UsbEvent row = Row(0x1234, 1);
  texts += Texts(row);
  row.firmwareRevision = 0;
  row.vendorId = 0x12345;
  row.eventTime = 0xFFFFFFFFu;
  row.eventType = EventType::Unplug;
  texts += Texts(row);
  row.firmwareRevision = 100;
  options_.showTimeInGmt = 1;
  texts += Texts(row) + Texts(Row(0x781, 0x5567));
  test::ExpectGolden("events/columns.txt", texts);
}

TEST_F(UsbEventTest, RowsOfOneDeviceShareTheirPoolTexts) {
  const UsbEvent first = Row(1, 1);
  const UsbEvent second = Row(1, 1);
  EXPECT_EQ(std::make_tuple(first.descriptionIndex, first.serialNumberIndex, first.deviceNameIndex),
            std::make_tuple(second.descriptionIndex, second.serialNumberIndex, second.deviceNameIndex));
  EXPECT_NE(first.descriptionIndex, first.serialNumberIndex);
  EXPECT_EQ(InternEventText(""), InternEventText(""));
}

TEST_F(UsbEventTest, DeviceTypes) {
  std::string types;
  const uint32_t codes[][3] = {{0, 0, 0},    {9, 0, 0},    {0xE0, 1, 1}, {0xE0, 1, 3}, {0xE0, 1, 4}, {0xE0, 2, 2},
                               {0xE0, 2, 3}, {0xEF, 1, 2}, {0xEF, 2, 1}, {0xFF, 0, 0}, {0x100, 0, 0}};
  for (const auto& c : codes) types += std::string(GetString(DeviceTypeStringId(c[0], c[1], c[2]))) + "|";
  EXPECT_EQ(types,
            "Unknown||Bluetooth Device|Remote NDIS|Wireless Controller|Host Wire Adapter Control/Data interface|"
            "Device Wire Adapter Isochronous interface|Palm Sync|Miscellaneous|Vendor Specific|Unknown|");
}

// Logged rows come first, then the earlier connections, then live rows, each batch after its own kind; the
// rows that were not seen live show the faded images; removing one kind keeps the others in order.
TEST_F(UsbEventTest, OlderRowsGoBeforeLiveOnesByOrigin) {
  MemoryHive hive;
  test::ApplyRegFixture(hive, "devices/common.reg");
  VolumeTable volumes = test::ScenarioVolumes();
  EventReportList list(hive, volumes, clock_);
  list.Refresh();
  std::vector<std::string> heard;
  list.SetLiveRowListener([&](const UsbEvent& row) { heard.push_back(PooledEventText(row.serialNumberIndex)); });
  test::ApplyRegFixture(hive, "devices/plug_after.reg");
  list.Refresh();
  EXPECT_EQ(heard, std::vector<std::string>{"4C530001230105117312"});

  const auto logged = [&](const char* serial) {
    UsbEvent row = Row(1, 1);
    row.serialNumberIndex = InternEventText(serial);
    row.origin = EventOrigin::Logged;
    return row;
  };
  ASSERT_TRUE(list.InsertOlderRows({logged("L1"), logged("L2")}, EventOrigin::Logged));
  DeviceHistoryTable history({{"vid_0781&pid_5567", "4C530001230105117312", 1, 2, 3}});
  ASSERT_TRUE(list.InsertEarlierConnections(history));
  ASSERT_TRUE(list.InsertOlderRows({logged("L3")}, EventOrigin::Logged));
  const auto order = [&] {
    std::string rows;
    for (int i = 0; i < list.ItemCount(); ++i) {
      const auto& row = *static_cast<const UsbEvent*>(list.ItemAt(i));
      rows += std::string(PooledEventText(row.serialNumberIndex)).substr(0, 2) + ":" + std::to_string(list.ItemImage(row)) + " ";
    }
    return rows;
  };
  EXPECT_EQ(order(), "L1:2 L2:2 L3:2 4C:2 4C:3 4C:0 ");
  list.RemoveRows(EventOrigin::Earlier);
  EXPECT_EQ(order(), "L1:2 L2:2 L3:2 4C:0 ");
  UsbEvent unplug = *static_cast<UsbEvent*>(list.ItemAt(3));
  unplug.eventType = EventType::Unplug;
  EXPECT_EQ(list.ItemImage(unplug), 1);
}

}  // namespace
}  // namespace wrenhollow
