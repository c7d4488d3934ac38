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
#include "portable/clock_fixed.h"
#include "support/device_events.h"
#include "util/json.h"

namespace wrenhollow {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// Waits until the condition holds, at most 10 seconds; whether it held.
template <typename Condition>
bool WaitFor(Condition condition) {
  for (const auto end = SteadyClock::now() + 10s; SteadyClock::now() < end; std::this_thread::sleep_for(20ms)) {
    if (condition()) return true;
  }
  return condition();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A private rsyslogd on 127.0.0.1, run by rsyslog-server.sh in a Unix folder of its own. Wine starts a Unix
// program without a handle to wait on, so each command is waited for through the file it writes at its end (or,
// for "clean", removes).
class RsyslogServer {
 public:
  RsyslogServer() : unixFolder_("/tmp/wrenhollow-rsyslog-" + std::to_string(std::random_device()())) {
    Start();
    std::ifstream(WinePath("ports")) >> tcpPort_ >> udpPort_ >> closedUdpPort_;
  }
  ~RsyslogServer() {
    Run("clean", WinePath("ports"));
  }

  void Start() {
    EXPECT_TRUE(Run("start", WinePath("start.done"))) << "rsyslogd did not start; see " << unixFolder_ << "/script.log";
  }
  void Stop() { EXPECT_TRUE(Run("stop", WinePath("stop.done"))); }

  int TcpPort() const { return tcpPort_; }
  int UdpPort() const { return udpPort_; }
  int ClosedUdpPort() const { return closedUdpPort_; }

  // The messages received so far, one a line.
  std::vector<std::string> Lines() const {
    std::ifstream file(WinePath("out.log"), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
  bool WaitForLines(size_t count) const {
    return WaitFor([&] { return Lines().size() >= count; });
  }

 private:
  std::string WinePath(const std::string& name) const {
    std::string path = "Z:" + unixFolder_ + "/" + name;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
  }

  // Runs the script's command and waits for the file that tells it is done.
  bool Run(const std::string& command, const std::string& doneFile) {
    DeleteFileA(doneFile.c_str());
    std::string line = "/usr/bin/env LC_ALL=C /bin/bash " WRENHOLLOW_FIXTURE_DIR "/../unit/forward/rsyslog-server.sh " +
                       command + " " + unixFolder_;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      return false;
    }
    if (process.hProcess != nullptr) CloseHandle(process.hProcess);
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    return WaitFor([&] { return Exists(doneFile) == (command != "clean"); });
  }

  std::string unixFolder_;
  int tcpPort_ = 0;
  int udpPort_ = 0;
  int closedUdpPort_ = 0;
};

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
