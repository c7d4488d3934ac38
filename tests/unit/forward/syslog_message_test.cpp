#include "forward/syslog_message.h"

#include <gtest/gtest.h>

#include <string>

#include "events/event_json.h"
#include "events/usb_event.h"
#include "portable/clock_fixed.h"
#include "support/device_events.h"

namespace wrenhollow {
namespace {

// 2024-03-05 14:07:09.123 UTC, with sub-millisecond digits that must be cut, not rounded.
constexpr FileTime kEventTime = 133541212290000000 + 1239999;

const JsonMembers kMembers = {{"time", "2024-03-05T14:07:09.123Z"}, {"event", "plug"}, {"host", "PC-1"},
                              {"description", "Caf\xC3\xA9 \"Stick\""}};
constexpr char kObject[] =
    "{\"time\":\"2024-03-05T14:07:09.123Z\",\"event\":\"plug\",\"host\":\"PC-1\","
    "\"description\":\"Caf\xC3\xA9 \\\"Stick\\\"\"}";

// The object after the header, parsed back.
JsonMembers ParsedObject(const std::string& message, const std::string& header) {
  EXPECT_EQ(message.compare(0, header.size(), header), 0) << message;
  const auto members = ParseFlatJsonObject(std::string_view(message).substr(header.size()));
  EXPECT_TRUE(members) << message;
  return members.value_or(JsonMembers{});
}

TEST(SyslogHeaderTest, PriorityTimestampAndFields) {
  const struct {
    int facility;
    FileTime time;
    const char* expected;
  } cases[] = {
      {0, kEventTime, "<5>1 2024-03-05T14:07:09.123Z PC-1 Wrenhollow 4242 usb - "},
      {1, kEventTime, "<13>1 2024-03-05T14:07:09.123Z PC-1 Wrenhollow 4242 usb - "},
      {23, kEventTime, "<189>1 2024-03-05T14:07:09.123Z PC-1 Wrenhollow 4242 usb - "},
      {1, 116444736000000000, "<13>1 1970-01-01T00:00:00.000Z PC-1 Wrenhollow 4242 usb - "},
      {1, 0, "<13>1 - PC-1 Wrenhollow 4242 usb - "},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatSyslogHeader(c.facility, c.time, "PC-1", 4242), c.expected);
  EXPECT_EQ(FormatSyslogHeader(1, kEventTime, "-", 4294967295u),
            "<13>1 2024-03-05T14:07:09.123Z - Wrenhollow 4294967295 usb - ");
}

TEST(SyslogHeaderTest, HostNameIsPrintableAsciiWithoutSpaces) {
  const struct {
    std::string computerName;
    std::string expected;
  } cases[] = {
      {"PC-1", "PC-1"},
      {"", "-"},
      {"my pc\t\x7F", "mypc"},
      {"B\xC3\xBCro-PC", "Bro-PC"},
      {"\xC3\xBC \x01", "-"},
      {"!~", "!~"},
      {std::string(300, 'h'), std::string(255, 'h')},
      {" " + std::string(255, 'h') + "x", std::string(255, 'h')},
  };
  for (const auto& c : cases) EXPECT_EQ(SyslogHostName(c.computerName), c.expected) << c.computerName;
}

TEST(SyslogMessageTest, HeaderThenTheObjectWithDroppedAsANumber) {
  const std::string header = FormatSyslogHeader(1, kEventTime, "PC-1", 7);
  EXPECT_EQ(FormatSyslogMessage(header, kMembers, 0, kSyslogDatagramMaxLength), header + kObject);
  std::string dropped = header + kObject;
  dropped.insert(dropped.size() - 1, ",\"dropped\":10000");
  EXPECT_EQ(FormatSyslogMessage(header, kMembers, 10000, kSyslogDatagramMaxLength), dropped);
  // A message that just fits is left whole.
  EXPECT_EQ(FormatSyslogMessage(header, kMembers, 10000, dropped.size()), dropped);
}

// The object of a real row is the log's line, untouched.
TEST(SyslogMessageTest, ObjectOfARowIsTheLoggedObject) {
  FixedClock clock(0);
  SetEventClock(&clock, nullptr);
  UsbIdDatabase database;
  const UsbEvent row = BuildUsbEvent(
      test::SampleEvent(EventType::Unplug, "Caf\xE9 \x80 \"Stick\"\t\x01", "4C53", "Port_#0001.Hub_#0004", "EG",
                        0x781, 0x5567),
      database);
  std::string logged;
  AppendLoggedEventJson(logged, row, "PC-\xC3\x9C");
  const std::string header = FormatSyslogHeader(1, row.eventTime, SyslogHostName("PC-\xC3\x9C"), 1);
  EXPECT_EQ(FormatSyslogMessage(header, LoggedEventMembers(row, "PC-\xC3\x9C"), 0, kSyslogDatagramMaxLength),
            header + logged);
  SetEventClock(nullptr, nullptr);
}

// 3,000 characters of ASCII, two- and three-byte UTF-8, and bytes that take 2 or 6 bytes escaped.
std::string MixedText(size_t characters) {
  const char* pieces[] = {"a", "\xC3\xA9", "\"", "\x01", "\xE2\x82\xAC", "\\", "\n", "Z"};
  std::string text;
  for (size_t i = 0; i < characters; ++i) text += pieces[(i * 7 + i / 3) % 8];
  return text;
}

// From a small limit to the largest that needs a cut: the message fits, wastes less than one character's
// escaped form (6 bytes) for each of the two cut texts, parses, and only the long texts lose their ends, never
// half a character; the longest always loses some.
TEST(SyslogMessageTest, DatagramShortensTheLongestTextsToFit) {
  const std::string header = FormatSyslogHeader(1, kEventTime, "PC-1", 7);
  JsonMembers members = kMembers;
  members.emplace_back("serial", MixedText(1000));
  members[3].second = MixedText(3000);
  const size_t whole = FormatSyslogMessage(header, members, 3, SIZE_MAX).size();
  ASSERT_GT(whole, 4000u);
  for (size_t limit : {size_t{1400}, size_t{300}, size_t{301}, size_t{302}, size_t{303}, size_t{777},
                       size_t{1999}, size_t{2500}, whole - 1}) {
    const std::string message = FormatSyslogMessage(header, members, 3, limit);
    EXPECT_LE(message.size(), limit);
    EXPECT_GT(message.size() + 2 * 6, limit);
    const JsonMembers parsed = ParsedObject(message, header);
    ASSERT_EQ(parsed.size(), 6u) << limit;
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(parsed[i], members[i]) << limit;
    EXPECT_EQ(parsed[5], (std::pair<std::string, std::string>{"dropped", "3"}));
    for (size_t i : {3, 4}) {
      const std::string& cut = parsed[i].second;
      const std::string& original = members[i].second;
      EXPECT_EQ(original.compare(0, cut.size(), cut), 0) << limit;
      if (cut.size() < original.size()) {
        EXPECT_NE(static_cast<unsigned char>(original[cut.size()]) & 0xC0, 0x80);  // cut before a lead byte
      }
    }
    EXPECT_LT(parsed[3].second.size(), members[3].second.size()) << limit;
  }
  // At 1,400 both long texts are cut to one escaped length, which the serial could not give alone.
  const JsonMembers parsed = ParsedObject(FormatSyslogMessage(header, members, 3, 1400), header);
  std::string description, serial;
  AppendJsonString(description, parsed[3].second);
  AppendJsonString(serial, parsed[4].second);
  EXPECT_LT(description.size(), serial.size() + 6);
  EXPECT_LT(serial.size(), description.size() + 6);
}

TEST(SyslogFrameTest, OctetCountIsTheLengthInBytes) {
  const struct {
    std::string message;
    std::string expected;
  } cases[] = {
      {"", "0 "},
      {"<13>1 x", "7 <13>1 x"},
      {"\xC3\xA9\xE2\x82\xAC", "5 \xC3\xA9\xE2\x82\xAC"},
      {std::string(1000, 'x'), "1000 " + std::string(1000, 'x')},
  };
  for (const auto& c : cases) EXPECT_EQ(FrameOctetCounted(c.message), c.expected);
}

}  // namespace
}  // namespace wrenhollow
