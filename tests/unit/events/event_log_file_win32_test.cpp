#include "events/event_log_file_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "events/event_json.h"
#include "support/device_events.h"
#include "support/temp_folder.h"

namespace wrenhollow {
namespace {

class EventLogFileTest : public testing::Test {
 protected:
  UsbEvent Row(const char* serial) {
    return BuildUsbEvent(test::SampleEvent(EventType::Plug, "d", serial, "", "E", 1, 2), database_);
  }
  bool Append(const char* serial) { return log_.Append(Row(serial), "PC"); }
  std::string Line(const char* serial) {
    std::string line;
    AppendLoggedEventJson(line, Row(serial), "PC");
    return line + "\n";
  }
  std::string Serials() {
    std::string serials;
    const LogReading reading = log_.ReadBack(database_);
    for (const UsbEvent& row : reading.rows) serials += std::string(PooledEventText(row.serialNumberIndex)) + " ";
    return serials + "/" + std::to_string(reading.skipped);
  }

  test::TempFolder folder_;
  UsbIdDatabase database_;
  EventLogFile log_;
};

// Each event is one whole line at once, readable by another program while the log stays open; a line torn
// by a power cut is ended before the next event, which then reads back whole.
TEST_F(EventLogFileTest, AppendsWholeLinesAfterATornOne) {
  folder_.Put(kLogFileName, Line("a") + "{\"time\":\"2024");
  ASSERT_TRUE(log_.Open(folder_.Path().c_str()));
  EXPECT_EQ(std::string(log_.Path()), folder_.File(kLogFileName));
  ASSERT_TRUE(Append("b"));
  ASSERT_TRUE(Append("c"));
  EXPECT_EQ(folder_.Get(kLogFileName), Line("a") + "{\"time\":\"2024\n" + Line("b") + Line("c"));
  EXPECT_EQ(Serials(), "a b c /1");
}

// A line that would pass 10 MB starts a new file; the older ones move up, and the sixth generation goes.
TEST_F(EventLogFileTest, RotatesAtTenMegabytesKeepingFiveOlderFiles) {
  for (int generation = 1; generation <= kLogFilesRotated; ++generation) {
    folder_.Put("wrenhollow_log." + std::to_string(generation) + ".jsonl", Line(std::to_string(generation).c_str()));
  }
  const std::string full = Line("0") + std::string(kLogFileMaxBytes - Line("0").size() - 10, ' ') + "\n";
  folder_.Put(kLogFileName, full);
  ASSERT_TRUE(log_.Open(folder_.Path().c_str()));
  ASSERT_TRUE(Append("new"));
  EXPECT_EQ(folder_.Get(kLogFileName), Line("new"));
  EXPECT_EQ(folder_.Get("wrenhollow_log.1.jsonl"), full);
  EXPECT_EQ(folder_.Get("wrenhollow_log.2.jsonl"), Line("1"));
  EXPECT_EQ(folder_.Get("wrenhollow_log.5.jsonl"), Line("4"));
  EXPECT_FALSE(folder_.Get("wrenhollow_log.6.jsonl"));
  EXPECT_EQ(Serials(), "4 3 2 1 0 new /0");
}

// A folder the log cannot be created in sends it to the user's local application data.
TEST_F(EventLogFileTest, FallsBackToLocalAppData) {
  ASSERT_TRUE(log_.Open(folder_.File("missing\\folder").c_str()));
  const std::string path = log_.Path();
  EXPECT_NE(path.find("\\Wrenhollow\\wrenhollow_log.jsonl"), std::string::npos) << path;
  ASSERT_TRUE(Append("x"));
  log_.Close();
  EXPECT_TRUE(DeleteFileA(path.c_str()));
}

}  // namespace
}  // namespace wrenhollow
