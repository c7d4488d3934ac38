// The log file through the real program: rows that come back after an exit and after the process is killed,
// and lines appended in the order the events happened.
#include "e2e_support.h"

#include <shlobj.h>

namespace wrenhollow::e2e {
namespace {

const UsbDevice kStick{"VID_0781&PID_5567", "4C530001230105117312", "SanDisk Cruzer Blade USB Device"};

// The "event" values of the log's lines, in order.
std::string LoggedEvents(const std::string& log) {
  std::string events;
  for (size_t at = log.find("\"event\":\""); at != std::string::npos; at = log.find("\"event\":\"", at + 1)) {
    events += log.substr(at + 9, log.find('"', at + 9) - at - 9) + " ";
  }
  return events;
}

// Each row's event type and image: 0 and 1 for live Plug and Unplug rows, 2 and 3 for the faded logged ones.
std::string Rows(const AppWindow& app) {
  std::string rows;
  ListRow row;
  for (int i = 0; i < app.RowCount(); ++i) rows += app.ReadRow(i, &row) ? row.texts.at(0) + ":" + std::to_string(row.image) + " " : "? ";
  return rows;
}

TEST(LogFile, EveryEventSurvivesAnExitAndAKill) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nKeepLogFile=1\r\n"));
  ASSERT_TRUE(product.Start());
  ASSERT_TRUE(ChangeDevices(product.App(), LinkedText(kStick, 0), 1));
  ASSERT_TRUE(product.Exit());

  ASSERT_TRUE(product.Start());
  EXPECT_EQ(Rows(product.App()), "Unplug:3 ");
  ASSERT_TRUE(ChangeDevices(product.App(), LinkedText(kStick, 1), 2));
  EXPECT_EQ(Rows(product.App()), "Unplug:3 Plug:0 ");
  product.Kill();  // right after the row appeared: the line was on disk before it showed

  ASSERT_TRUE(product.Start());
  EXPECT_EQ(Rows(product.App()), "Unplug:3 Plug:2 ");
  ASSERT_TRUE(product.Exit());
  const std::string log = ReadFileBytes(product.Path("wrenhollow_log.jsonl"));
  EXPECT_EQ(LoggedEvents(log), "unplug plug ");
  EXPECT_EQ(log.find("{\"time\":\""), 0u);
  EXPECT_NE(log.find("\"serial\":\"4C530001230105117312\",\"vid\":\"0781\",\"pid\":\"5567\",\"vendor\":\"SanDisk Corp.\""),
            std::string::npos);
}

// Where no log file can be made (beside the exe and in the local application data, a folder holds its name), the
// status bar says so once and the rows come as always.
TEST(LogFile, ALogThatCannotBeOpenedIsToldAndTheRowsStillCome) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  char localAppData[MAX_PATH];
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, localAppData), S_OK);
  const std::string fallback = std::string(localAppData) + "\\Wrenhollow";
  CreateDirectoryA(fallback.c_str(), nullptr);
  ASSERT_TRUE(CreateDirectoryA((fallback + "\\wrenhollow_log.jsonl").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(product.Path("wrenhollow_log.jsonl").c_str(), nullptr));
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nKeepLogFile=1\r\n"));
  ASSERT_TRUE(product.Start());
  EXPECT_TRUE(WaitForStatus(product.App(), "The log file cannot be written: new events stay in the list only"));
  ASSERT_TRUE(ChangeDevices(product.App(), LinkedText(kStick, 0), 1));
  ASSERT_TRUE(product.Exit());
  RemoveDirectoryA((fallback + "\\wrenhollow_log.jsonl").c_str());
}

}  // namespace
}  // namespace wrenhollow::e2e
