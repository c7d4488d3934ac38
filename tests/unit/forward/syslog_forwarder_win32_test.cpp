#include "forward/syslog_forwarder_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "forward/syslog_message.h"
#include "support/rsyslog_server.h"
#include "portable/clock_fixed.h"
#include "support/device_events.h"
#include "util/json.h"

namespace wrenhollow {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

using test::RsyslogServer;
using test::WaitFor;

// The statuses the forwarding thread told.
class StatusLog {
 public:
  SyslogForwarder::StatusCallback Callback() {
    return [this](ForwardingStatus status) {
      std::lock_guard<std::mutex> lock(mutex_);
      statuses_.push_back(status);
    };
  }
  std::vector<ForwardingStatus> Statuses() {
    std::lock_guard<std::mutex> lock(mutex_);
    return statuses_;
  }

 private:
  std::mutex mutex_;
  std::vector<ForwardingStatus> statuses_;
};

class SyslogForwarderTest : public testing::Test {
 protected:
  void SetUp() override { SetEventClock(&clock_, nullptr); }
  void TearDown() override { SetEventClock(nullptr, nullptr); }

  static ForwardingSettings Settings(const char* server, int port, SyslogProtocol protocol) {
    ForwardingSettings settings{{}, port, protocol, 3};
    std::snprintf(settings.server, sizeof settings.server, "%s", server);
    return settings;
  }

  // The n-th event: a plug or an unplug n milliseconds after the sample's time, with the number in its serial.
  UsbEvent Event(EventType type, int n) {
    DeviceEvent event = test::SampleEvent(type, "Cruzer \"Blade\" \xE9", ("SN" + std::to_string(n)).c_str(),
                                          "Port_#0001.Hub_#0004", "E", 0x781, 0x5567);
    event.time += static_cast<FileTime>(n) * 10000;
    return BuildUsbEvent(event, database_);
  }

  // What rsyslog writes for the event: the message as sent, its MSG a JSON object.
  static std::string ExpectedLine(const char* type, int n) {
    return "<29>1 2024-03-05T14:07:09." + std::string(n < 10 ? "00" : n < 100 ? "0" : "") + std::to_string(n) +
           "Z PC-1 Wrenhollow " + std::to_string(GetCurrentProcessId()) +
           " usb - {\"time\":\"2024-03-05T14:07:09." + std::string(n < 10 ? "00" : n < 100 ? "0" : "") +
           std::to_string(n) + "Z\",\"event\":\"" + type +
           "\",\"host\":\"PC-1\",\"device\":\"Port_#0001.Hub_#0004\",\"description\":\"Cruzer \\\"Blade\\\" "
           "\xC3\xA9\",\"type\":\"\",\"drives\":\"E:\",\"serial\":\"SN" + std::to_string(n) +
           "\",\"vid\":\"0781\",\"pid\":\"5567\",\"vendor\":\"\",\"product\":\"\",\"revision\":\"1.26\","
           "\"class\":\"08\",\"subclass\":\"06\",\"protocol\":\"50\",\"deviceKey\":\"\",\"instanceKey\":\"\"}";
  }

  FixedClock clock_{0};
  UsbIdDatabase database_;
  StatusLog status_;
};

TEST_F(SyslogForwarderTest, PlugAndUnplugArriveAsExactLinesOverUdpAndTcp) {
  RsyslogServer server;
  const struct {
    const char* host;
    int port;
    SyslogProtocol protocol;
  } cases[] = {
      {"127.0.0.1", server.UdpPort(), SyslogProtocol::Udp},
      // "localhost" may name ::1 first, where nothing listens: the next address is tried.
      {"localhost", server.TcpPort(), SyslogProtocol::Tcp},
  };
  size_t received = 0;
  for (const auto& c : cases) {
    SyslogForwarder forwarder(status_.Callback());
    ASSERT_TRUE(forwarder.Start(Settings(c.host, c.port, c.protocol), "PC-1"));
    forwarder.Send(Event(EventType::Plug, 1));
    forwarder.Send(Event(EventType::Unplug, 2));
    received += 2;
    ASSERT_TRUE(server.WaitForLines(received)) << c.host;
    forwarder.Stop();
    const std::vector<std::string> lines = server.Lines();
    ASSERT_EQ(lines.size(), received);
    EXPECT_EQ(lines[received - 2], ExpectedLine("plug", 1));
    EXPECT_EQ(lines[received - 1], ExpectedLine("unplug", 2));
    const auto members = ParseFlatJsonObject(lines.back().substr(lines.back().find('{')));
    ASSERT_TRUE(members) << lines.back();
    EXPECT_EQ(members->at(1), (std::pair<std::string, std::string>{"event", "unplug"}));
    EXPECT_EQ(members->at(4).second, "Cruzer \"Blade\" \xC3\xA9");
  }
  EXPECT_TRUE(status_.Statuses().empty());
}

// Events sent while the server is down are queued, told once as refused, and sent after the reconnect.
TEST_F(SyslogForwarderTest, TcpLosesNoEventAcrossAServerRestart) {
  RsyslogServer server;
  SyslogForwarder forwarder(status_.Callback());
  ASSERT_TRUE(forwarder.Start(Settings("127.0.0.1", server.TcpPort(), SyslogProtocol::Tcp), "PC-1"));
  forwarder.Send(Event(EventType::Plug, 1));
  ASSERT_TRUE(server.WaitForLines(1));
  server.Stop();
  for (int n = 2; n <= 5; ++n) forwarder.Send(Event(n % 2 == 0 ? EventType::Unplug : EventType::Plug, n));
  ASSERT_TRUE(WaitFor([&] { return !status_.Statuses().empty(); }));
  server.Start();
  ASSERT_TRUE(server.WaitForLines(5));
  forwarder.Stop();

  std::vector<std::string> lines = server.Lines();
  // A message sent again after a reconnect may arrive twice, one after the other.
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  const std::vector<std::string> expected = {ExpectedLine("plug", 1), ExpectedLine("unplug", 2),
                                             ExpectedLine("plug", 3), ExpectedLine("unplug", 4),
                                             ExpectedLine("plug", 5)};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(status_.Statuses(), (std::vector<ForwardingStatus>{ForwardingStatus::Refused, ForwardingStatus::Connected}));
}

TEST_F(SyslogForwarderTest, UdpWithNothingListeningNeitherFailsNorStalls) {
  RsyslogServer server;
  SyslogForwarder forwarder(status_.Callback());
  ASSERT_TRUE(forwarder.Start(Settings("127.0.0.1", server.ClosedUdpPort(), SyslogProtocol::Udp), "PC-1"));
  for (int n = 1; n <= 100; ++n) forwarder.Send(Event(EventType::Plug, n));
  const auto start = SteadyClock::now();
  forwarder.Stop();
  EXPECT_LT(SteadyClock::now() - start, 1s);  // every datagram went out; none waited for an answer
  EXPECT_TRUE(status_.Statuses().empty());
  EXPECT_TRUE(server.Lines().empty());
}

// An unknown name is told once though it is tried again, and a stop does not wait for it.
TEST_F(SyslogForwarderTest, UnknownHostIsToldOnce) {
  SyslogForwarder forwarder(status_.Callback());
  ASSERT_TRUE(forwarder.Start(Settings("no-such-host.invalid", 514, SyslogProtocol::Tcp), "PC-1"));
  forwarder.Send(Event(EventType::Plug, 1));
  ASSERT_TRUE(WaitFor([&] { return !status_.Statuses().empty(); }));
  std::this_thread::sleep_for(1200ms);  // past the first retry, 1 s after the first try
  const auto start = SteadyClock::now();
  forwarder.Stop();
  EXPECT_LT(SteadyClock::now() - start, 2500ms);
  EXPECT_EQ(status_.Statuses(), std::vector<ForwardingStatus>{ForwardingStatus::UnknownHost});
}

TEST_F(SyslogForwarderTest, EmptyServerForwardsNothing) {
  SyslogForwarder forwarder(status_.Callback());
  EXPECT_FALSE(forwarder.Start(Settings("", 514, SyslogProtocol::Udp), "PC-1"));
  forwarder.Send(Event(EventType::Plug, 1));
  forwarder.Stop();
  EXPECT_TRUE(status_.Statuses().empty());
}

}  // namespace
}  // namespace wrenhollow
