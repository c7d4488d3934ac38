#include "events/event_json.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_options.h"
#include "events/event_columns.h"
#include "lang/language_table.h"
#include "portable/clock_fixed.h"
#include "portable/profile_files_portable.h"
#include "portable/string_table_builtin.h"
#include "support/device_events.h"
#include "support/golden.h"
#include "support/temp_folder.h"

namespace wrenhollow {
namespace {

// Rows under a language file that translates the event and device types, so that the log's untranslated texts
// and the export's translated ones differ.
class EventJsonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Put("app_lng.ini", "[strings]\r\n1101=Einstecken\r\n2008=Massenspeicher\r\n");
    language_.LoadLanguageFile(folder_.File("app.exe").c_str());
    InstallLanguageTable(&language_);
    SetEventClock(&clock_, &options_.showTimeInGmt);
    ASSERT_TRUE(database_.ParseUsbIds("0781  SanDisk Corp.\n\t5567  Cruzer \"Blade\"\n"));
  }
  void TearDown() override {
    InstallLanguageTable(nullptr);
    SetEventClock(nullptr, nullptr);
  }

  static DeviceEvent Event(EventType type, const char* description, const char* letters, const char* port = "") {
    DeviceEvent event = test::SampleEvent(type, description, "4C530001\\230105", "Port_#0001.Hub_#0004", letters,
                                          0x781, 0x5567, port);
    event.time += 1234567;  // 123.4567 ms
    std::snprintf(event.device.deviceKey, kDeviceTextSize, "VID_0781&PID_5567");
    std::snprintf(event.device.instanceKey, kDeviceTextSize, "4C530001\\230105");
    return event;
  }

  // Every column's text, "|" after each.
  static std::string Texts(const UsbEvent& row) {
    std::string texts;
    char buffer[kReportTextSize];
    for (int column = 0; column < kEventColumnCount; ++column) texts += std::string(row.Text(column, buffer, sizeof buffer)) + "|";
    return texts;
  }

  // A named device with two letters, and an unknown one with a port name, high bytes and saturated numbers.
  std::vector<UsbEvent> Rows() {
    DeviceEvent unknown = Event(EventType::Unplug, "Caf\xE9 \x80 \"Stick\"\t\x01", "", "COM3");
    unknown.device.vendorId = 0xFFFFFFFF;
    unknown.device.productId = 0x12;
    unknown.device.firmwareRevision = 65535;
    unknown.device.classCode = 0xE0;
    return {BuildUsbEvent(Event(EventType::Plug, "SanDisk Cruzer Blade USB Device", "EG"), database_),
            BuildUsbEvent(unknown, database_)};
  }

  test::TempFolder folder_;
  PortableProfileFiles profiles_;
  BuiltinStringTable strings_;
  LanguageTable language_{profiles_, strings_, [](const char* path) { return std::ifstream(path).good(); }};
  FixedClock clock_{133541212290000000};
  AppOptions options_;
  UsbIdDatabase database_;
};

// The log's objects (every field, untranslated, UTF-8) and the export's (the columns given, as the list shows
// them), each row once with every column and once with a few, must equal the golden objects.jsonl.
TEST_F(EventJsonTest, LoggedAndListedObjects) {
  std::string lines;
  for (const UsbEvent& row : Rows()) {
    AppendLoggedEventJson(lines, row, "PC-\xC3\x9C");
    lines += "\n";
    AppendListedEventJson(lines, row, {kColumnUsbProtocol, kColumnDriveLetter, kColumnEventType, kColumnEventTime, kColumnDeviceType});
    lines += "\n";
    AppendListedEventJson(lines, row, {});
    lines += "\n";
  }
  test::ExpectGolden("events/objects.jsonl", lines);
}

// A logged object read back shows every column as the row it came from did, and is marked as logged.
TEST_F(EventJsonTest, LoggedObjectsReadBackIntoTheSameRows) {
  for (const UsbEvent& row : Rows()) {
    std::string line;
    AppendLoggedEventJson(line, row, "PC");
    UsbEvent back{};
    ASSERT_TRUE(ReadLoggedEvent(line, database_, back)) << line;
    EXPECT_EQ(Texts(back), Texts(row));
    EXPECT_EQ(back.eventTime, row.eventTime / 10000 * 10000);
    EXPECT_EQ(back.origin, EventOrigin::Logged);
    EXPECT_STREQ(PooledEventText(back.instanceKeyIndex), "4C530001\\230105");
  }
  // Only the time and the event are needed; unknown members are ignored.
  UsbEvent back{};
  ASSERT_TRUE(ReadLoggedEvent("{\"event\":\"unplug\",\"dropped\":3,\"time\":\"2024-03-05T14:07:09.000Z\"}",
                              database_, back));
  EXPECT_EQ(Texts(back), "Unplug|2024-03-05 14:07:09|||Unknown|||0000|0000|||0.00|00|00|00|");
}

TEST_F(EventJsonTest, MalformedLoggedObjectsAreRefused) {
  const std::string good = "\"time\":\"2024-03-05T14:07:09.000Z\",\"event\":\"plug\"";
  for (const std::string& line : std::vector<std::string>{
           std::string("{") + good, "{" + good + "}}", "{\"time\":\"2024-03-05T14:07:09.000Z\"}",
           "{\"time\":\"2024-03-05 14:07:09\",\"event\":\"plug\"}", "{\"time\":\"2024-03-05T14:07:09.000Z\",\"event\":\"Plug\"}",
           "{" + good + ",\"vid\":\"123456789\"}", "{" + good + ",\"vid\":\"07z1\"}", "{" + good + ",\"revision\":\"1.2\"}",
           "{" + good + ",\"revision\":\"1,20\"}", "{" + good + ",\"revision\":\".20\"}"}) {
    UsbEvent row{};
    row.vendorId = 7;
    EXPECT_FALSE(ReadLoggedEvent(line, database_, row)) << line;
    EXPECT_EQ(row.vendorId, 7u);
  }
}

}  // namespace
}  // namespace wrenhollow
