// Earlier connections through the real program: the time stamps planted where Windows keeps them, read back
// through SetupAPI as rows in the window and in a command-line export.
#include "e2e_support.h"

namespace wrenhollow::e2e {
namespace {

const UsbDevice kStick{"VID_0781&PID_5567", "4C530001230105117312", "SanDisk Cruzer Blade USB Device"};
// 2025-06-01 08:30:15.250 and 2025-06-02 17:45:00.500 UTC.
constexpr FileTime kArrival = 133932402152500000;
constexpr FileTime kRemoval = 133933599005000000;

// The time as the list shows it in GMT: the user's short date and time formats.
std::string GmtText(FileTime time) {
  const FILETIME at{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
  SYSTEMTIME system;
  FileTimeToSystemTime(&at, &system);
  char date[64] = {}, clock[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &system, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &system, nullptr, clock, sizeof clock);
  return std::string(date) + " " + clock;
}

std::string Rows(const AppWindow& app) {
  std::string rows;
  for (const ListRow& row : app.ReadRows()) rows += row.texts.at(0) + "|" + row.texts.at(1) + "|" + std::to_string(row.image) + "\n";
  return rows;
}

class Earlier : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
    std::string error;
    ASSERT_TRUE(ApplyRegText("REGEDIT4\r\n\r\n" + HistoryText(kStick, kArrival - 1, kArrival, kRemoval), &error)) << error;
    ASSERT_TRUE(WriteFileBytes(product_.SettingsPath(), "[General]\r\nShowTimeInGMT=1\r\nShowEarlierConnections=1\r\n"));
  }
  Product product_;
};

TEST_F(Earlier, RowsAtTheRecordedTimesBeforeLiveOnesAndGoneWithTheOption) {
  ASSERT_TRUE(product_.Start());
  const AppWindow app = product_.App();
  const std::string earlier = "Plug|" + GmtText(kArrival) + "|2\nUnplug|" + GmtText(kRemoval) + "|3\n";
  EXPECT_EQ(Rows(app), earlier);
  ListRow row;
  ASSERT_TRUE(app.ReadRow(0, &row));
  EXPECT_EQ(row.texts.at(3), kStick.description);
  EXPECT_EQ(row.texts.at(6), kStick.instance);

  ASSERT_TRUE(ChangeDevices(app, LinkedText(kStick, 0), 3));
  ASSERT_TRUE(app.ReadRow(2, &row));
  EXPECT_EQ(Rows(app), earlier + "Unplug|" + row.texts.at(1) + "|1\n") << "the live row comes after them";
  ASSERT_TRUE(app.SendCommand(IDM_SHOW_EARLIER_CONNECTIONS));
  EXPECT_EQ(app.RowCount(), 1) << "the live row stays";
  ASSERT_TRUE(app.SendCommand(IDM_SHOW_EARLIER_CONNECTIONS));
  EXPECT_EQ(app.RowCount(), 3);
  ASSERT_TRUE(product_.Exit());
  EXPECT_NE(ReadFileBytes(product_.SettingsPath()).find("\r\nShowEarlierConnections=1\r\nKeepLogFile=0\r\nWriteToEventLog=0\r\nShowNotifications=0\r\nOnlyNewDevices=0\r\n"),
            std::string::npos);
}

// "/earlier" puts the record into a command-line export; the JSON Lines export is pinned by its golden file.
TEST_F(Earlier, CommandLineExportWithEarlierConnections) {
  DWORD exitCode = 1;
  std::string output;
  ASSERT_TRUE(product_.Run("/sjsonl \"\" /earlier /nosort", &exitCode, &output));
  EXPECT_EQ(exitCode, 0u);
  test::ExpectGolden("exports/earlier.jsonl", output);
  ASSERT_TRUE(product_.Run("/sjsonl \"\" /nosort", &exitCode, &output));
  EXPECT_EQ(output, "") << "without /earlier the export stays empty";
}

}  // namespace
}  // namespace wrenhollow::e2e
