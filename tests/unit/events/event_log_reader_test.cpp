#include "events/event_log_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "events/event_json.h"
#include "support/device_events.h"

namespace wrenhollow {
namespace {

// A logged line of a device whose serial number names the event, so that an order reads as one text.
std::string Line(const char* serial) {
  std::string line;
  AppendLoggedEventJson(line, BuildUsbEvent(test::SampleEvent(EventType::Plug, "d", serial, "", "", 1, 2), UsbIdDatabase()),
                        "PC");
  return line;
}

std::string Serials(const LogReading& reading) {
  std::string serials;
  for (const UsbEvent& row : reading.rows) serials += std::string(PooledEventText(row.serialNumberIndex)) + " ";
  return serials + "/" + std::to_string(reading.skipped);
}

TEST(EventLogReaderTest, LinesOfEveryShapeFromOldestToNewest) {
  const std::string torn = Line("torn").substr(0, 40);
  const std::string huge = "{\"time\":\"" + std::string(1 << 20, 'x') + "\"}";
  const struct {
    std::vector<std::string> files;
    size_t limit;
    const char* expected;
  } cases[] = {
      {{}, 10, "/0"},
      {{""}, 10, "/0"},
      {{Line("a") + "\n" + Line("b") + "\n"}, 10, "a b /0"},
      {{Line("a") + "\r\n" + Line("b")}, 10, "a b /0"},                              // CR LF, no final line end
      {{"\xEF\xBB\xBF" + Line("a") + "\n"}, 10, "a /0"},                             // byte-order mark
      {{Line("a") + "\n" + torn}, 10, "a /1"},                                       // torn by a power cut
      {{torn + "\n" + Line("b") + "\n"}, 10, "b /1"},                                // a torn line was ended later
      {{Line("a") + "\n\n  \r\n" + huge + "\nnot json\n" + Line("b") + "\n"}, 10, "a b /2"},
      {{Line("a") + "\n", Line("b") + "\n" + Line("c") + "\n", Line("d")}, 10, "a b c d /0"},  // a rotated set
      {{Line("a") + "\nx\n", Line("b") + "\n" + Line("c") + "\n", Line("d")}, 3, "b c d /0"},  // the newest three
      {{Line("a") + "\n", Line("b") + "\n" + Line("c") + "\n"}, 0, "/0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(Serials(ReadLoggedEvents(c.files, c.limit, UsbIdDatabase())), c.expected);
  }
}

TEST(EventLogReaderTest, RowsComeBackMarkedAsLogged) {
  const LogReading reading = ReadLoggedEvents({Line("a")}, 10, UsbIdDatabase());
  ASSERT_EQ(reading.rows.size(), 1u);
  EXPECT_EQ(reading.rows[0].origin, EventOrigin::Logged);
  EXPECT_EQ(reading.rows[0].productId, 2u);
}

}  // namespace
}  // namespace wrenhollow
