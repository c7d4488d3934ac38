#pragma once

// A private rsyslogd for tests under Wine that forward to a syslog server.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace wrenhollow::test {

// Waits until the condition holds, at most 10 seconds; whether it held.
template <typename Condition>
bool WaitFor(Condition condition) {
  using namespace std::chrono_literals;
  for (const auto end = std::chrono::steady_clock::now() + 10s; std::chrono::steady_clock::now() < end;
       std::this_thread::sleep_for(20ms)) {
    if (condition()) return true;
  }
  return condition();
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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

}  // namespace wrenhollow::test
