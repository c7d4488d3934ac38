#include "events/notification_text.h"

#include <gtest/gtest.h>

#include <string>

#include "lang/language_table.h"
#include "portable/code_page_portable.h"
#include "portable/profile_files_portable.h"
#include "portable/string_table_builtin.h"
#include "support/device_events.h"

namespace wrenhollow {
namespace {

class NotificationTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallLanguageTable(&language_);
    ASSERT_TRUE(database_.ParseUsbIds("0781  SanDisk Corp.\n\t5567  Cruzer Blade\n"));
  }
  void TearDown() override {
    InstallLanguageTable(nullptr);
    SetPortableCodePage(1252);
  }

  UsbEvent Row(EventType type, const std::string& description, bool newDevice = false, const char* letters = "") {
    DeviceEvent event = test::SampleEvent(type, description.c_str(), "S", "", letters, 0x781, 0x5567);
    event.newDevice = newDevice;
    return BuildUsbEvent(event, database_);
  }

  // "title|text", or "none".
  static std::string Balloon(const std::vector<UsbEvent>& rows, bool onlyNew) {
    std::vector<const UsbEvent*> pointers;
    for (const UsbEvent& row : rows) pointers.push_back(&row);
    const auto balloon = NotificationFor(pointers, onlyNew);
    if (!balloon) return "none";
    std::string about;
    for (size_t row : balloon->rows) about += std::to_string(row);
    return about + "|" + balloon->title + "|" + balloon->text;
  }

  PortableProfileFiles profiles_;
  BuiltinStringTable strings_;
  LanguageTable language_{profiles_, strings_, [](const char*) { return false; }};
  UsbIdDatabase database_;
};

TEST_F(NotificationTextTest, OneRowSeveralRowsAndNewDevicesOnly) {
  const UsbEvent plug = Row(EventType::Plug, "Stick", false, "EF");
  const UsbEvent newPlug = Row(EventType::Plug, "Reader", true);
  const UsbEvent unplug = Row(EventType::Unplug, "Stick");
  const struct {
    std::vector<UsbEvent> rows;
    bool onlyNew;
    const char* expected;
  } cases[] = {
      {{}, false, "none"},
      {{plug}, false, "0|USB device plugged in|Stick\r\nSanDisk Corp. Cruzer Blade\r\nE:, F:"},
      {{unplug}, false, "0|USB device removed|Stick\r\nSanDisk Corp. Cruzer Blade"},
      {{plug, newPlug, newPlug, unplug}, false, "0123|3 USB devices plugged in, 1 removed|Stick\r\nReader\r\nReader\r\nStick"},
      {{unplug, unplug}, false, "01|2 USB devices removed|Stick\r\nStick"},
      {{plug, plug, plug, plug, plug}, false, "01234|5 USB devices plugged in|Stick\r\nStick\r\nStick\r\nStick\r\n..."},
      {{plug, unplug}, true, "none"},
      {{plug, newPlug, unplug}, true, "1|New USB device|Reader\r\nSanDisk Corp. Cruzer Blade"},
      {{newPlug, plug, newPlug}, true, "02|2 new USB devices|Reader\r\nReader"},
  };
  for (const auto& c : cases) EXPECT_EQ(Balloon(c.rows, c.onlyNew), c.expected);
}

// The system shows 255 characters of a text; a double-byte character is never cut in two.
TEST_F(NotificationTextTest, LongTextsAreCutWholeCharactersAtATime) {
  const std::string line = "a" + std::string(126, '\x83');  // 0x83 0x83: a double-byte character in 932
  const std::vector<UsbEvent> rows(2, Row(EventType::Plug, line));
  EXPECT_EQ(Balloon(rows, false), "01|2 USB devices plugged in|" + line + "\r\n" + line.substr(0, 126));
  SetPortableCodePage(932);
  EXPECT_EQ(Balloon(rows, false), "01|2 USB devices plugged in|" + line + "\r\n" + line.substr(0, 125));
}

}  // namespace
}  // namespace wrenhollow
