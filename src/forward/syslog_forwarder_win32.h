#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "events/usb_event.h"
#include "forward/forwarding_settings.h"

namespace wrenhollow {

// Events waiting for the network; beyond this the oldest are dropped and the next message counts them.
constexpr size_t kForwardQueueCapacity = 10000;

enum class ForwardingStatus { Connected, UnknownHost, Refused };

// Sends every event to a syslog server as one RFC 5424 message: over UDP one datagram each, shortened to
// kSyslogDatagramMaxLength; over TCP framed by octet counting, connecting again with a back-off of 1 s doubling
// to 60 s. A message cut off by a dropped connection is sent again after the reconnect, so an event may arrive
// twice across a reconnect but is not lost. The window's thread only queues; one thread of its own sends.
class SyslogForwarder {
 public:
  // Runs on the forwarding thread, so it must not wait for the window's thread (post, never send, a message).
  // Tells UnknownHost or Refused once when the server cannot be reached (it is tried again), and Connected when
  // it is reached after such a report.
  using StatusCallback = std::function<void(ForwardingStatus)>;

  explicit SyslogForwarder(StatusCallback onStatus);
  ~SyslogForwarder();
  SyslogForwarder(const SyslogForwarder&) = delete;
  SyslogForwarder& operator=(const SyslogForwarder&) = delete;

  // Stops a running forwarder, then forwards to the settings' server; hostUtf8 (the computer's name) is the
  // events' "host" and, in printable ASCII, the messages' HOSTNAME. False, forwarding nothing, when the server
  // is empty or Winsock does not start.
  bool Start(const ForwardingSettings& settings, std::string_view hostUtf8);
  // Queues the event's message, built here from the row because the rows' pooled texts belong to this thread.
  // Nothing when the forwarder is not running.
  void Send(const UsbEvent& event);
  // Sends what is queued for at most 2 seconds, then ends the forwarding thread. No status is told after it.
  void Stop();

 private:
  struct Worker;

  StatusCallback onStatus_;
  std::string host_;
  std::shared_ptr<Worker> worker_;
  std::thread thread_;
};

}  // namespace wrenhollow
