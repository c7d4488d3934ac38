#include <winsock2.h>
#include <ws2tcpip.h>

#include "forward/syslog_forwarder_win32.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <utility>

#include "events/event_json.h"
#include "forward/bounded_queue.h"
#include "forward/syslog_message.h"

namespace wrenhollow {
namespace {

using SteadyClock = std::chrono::steady_clock;
using std::chrono::seconds;

constexpr seconds kFlushTime{2};
// Time for the thread to end after its last send.
constexpr std::chrono::milliseconds kStopMargin{200};
constexpr seconds kFirstBackOff{1};
constexpr seconds kLongestBackOff{60};
// A server that neither accepts nor refuses within this is taken as refusing.
constexpr seconds kConnectTime{5};
// Messages sent as one buffer at most.
constexpr size_t kBatchMax = 256;

// An event as the window's thread leaves it for the forwarding thread.
struct QueuedEvent {
  FileTime time;
  JsonMembers members;
};

enum class SendResult { Sent, Failed, FailedAfterReset };

// One socket to the server: for UDP an unconnected one that sendto addresses, for TCP a connected stream.
class ServerLink {
 public:
  explicit ServerLink(const ForwardingSettings& settings) : settings_(settings) {}
  ~ServerLink() { Close(); }

  bool IsOpen() const { return socket_ != INVALID_SOCKET; }

  ForwardingStatus Open(SteadyClock::time_point deadline) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = IsTcp() ? SOCK_STREAM : SOCK_DGRAM;
    hints.ai_protocol = IsTcp() ? IPPROTO_TCP : IPPROTO_UDP;
    addrinfo* found = nullptr;
    if (getaddrinfo(settings_.server, std::to_string(settings_.port).c_str(), &hints, &found) != 0) {
      return ForwardingStatus::UnknownHost;
    }
    for (const addrinfo* address = found; address != nullptr && !IsOpen(); address = address->ai_next) {
      socket_ = socket(address->ai_family, address->ai_socktype, address->ai_protocol);
      if (!IsOpen()) continue;
      if (IsTcp() ? Connect(*address, deadline) : StoreAddress(*address)) break;
      Close();
    }
    freeaddrinfo(found);
    return IsOpen() ? ForwardingStatus::Connected : ForwardingStatus::Refused;
  }

  void Close() {
    if (IsOpen()) closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }

  // A datagram each is sent whether or not anyone listens; over TCP the frames go out as one buffer, whole, on
  // a connection the server has not closed: one check and one send for whatever was waiting.
  SendResult Send(const std::deque<std::string>& messages) {
    if (!IsTcp()) {
      for (const std::string& message : messages) {
        sendto(socket_, message.data(), static_cast<int>(message.size()), 0,
               reinterpret_cast<const sockaddr*>(&address_), addressLength_);
      }
      return SendResult::Sent;
    }
    if (const SendResult closed = PeerClosed(); closed != SendResult::Sent) return closed;
    std::string frames;
    for (const std::string& message : messages) frames += FrameOctetCounted(message);
    for (size_t at = 0; at < frames.size();) {
      const int sent = send(socket_, frames.data() + at, static_cast<int>(frames.size() - at), 0);
      if (sent == SOCKET_ERROR) return SendResult::FailedAfterReset;
      at += static_cast<size_t>(sent);
    }
    return SendResult::Sent;
  }

 private:
  bool IsTcp() const { return settings_.protocol == SyslogProtocol::Tcp; }

  bool StoreAddress(const addrinfo& address) {
    if (address.ai_addrlen > sizeof address_) return false;
    std::memcpy(&address_, address.ai_addr, address.ai_addrlen);
    addressLength_ = static_cast<int>(address.ai_addrlen);
    return true;
  }

  // Connects without blocking past the deadline.
  bool Connect(const addrinfo& address, SteadyClock::time_point deadline) {
    u_long nonBlocking = 1;
    ioctlsocket(socket_, FIONBIO, &nonBlocking);
    if (connect(socket_, address.ai_addr, static_cast<int>(address.ai_addrlen)) == SOCKET_ERROR &&
        WSAGetLastError() != WSAEWOULDBLOCK) {
      return false;
    }
    const auto wait = std::chrono::duration_cast<std::chrono::microseconds>(
        std::max(SteadyClock::duration::zero(), std::min(deadline, SteadyClock::now() + kConnectTime) - SteadyClock::now()));
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket_, &writable);
    FD_SET(socket_, &failed);
    timeval timeout{static_cast<long>(wait.count() / 1000000), static_cast<long>(wait.count() % 1000000)};
    if (select(0, nullptr, &writable, &failed, &timeout) != 1 || !FD_ISSET(socket_, &writable)) return false;
    int error = 0;
    int errorLength = sizeof error;
    getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &errorLength);
    nonBlocking = 0;
    ioctlsocket(socket_, FIONBIO, &nonBlocking);
    return error == 0;
  }

  // A syslog server never writes, so anything to read is the end of the connection: an orderly close, after
  // which everything sent has been read, or a reset, which may have lost the last message.
  SendResult PeerClosed() {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval now{0, 0};
    if (select(0, &readable, nullptr, nullptr, &now) != 1) return SendResult::Sent;
    char byte;
    const int read = recv(socket_, &byte, 1, 0);
    if (read > 0) return SendResult::Sent;
    return read == 0 ? SendResult::Failed : SendResult::FailedAfterReset;
  }

  const ForwardingSettings settings_;
  SOCKET socket_ = INVALID_SOCKET;
  sockaddr_storage address_{};
  int addressLength_ = 0;
};

}  // namespace

struct SyslogForwarder::Worker {
  Worker(const ForwardingSettings& forwarding, std::string_view host, StatusCallback callback)
      : settings(forwarding), hostName(SyslogHostName(host)), onStatus(std::move(callback)) {}

  // Until Stop, a deadline far enough ahead to wait for, and near enough for every clock's arithmetic.
  SteadyClock::time_point StopDeadline() const {
    const SteadyClock::rep deadline = stopDeadline.load();
    return deadline != 0 ? SteadyClock::time_point(SteadyClock::duration(deadline)) : SteadyClock::now() + std::chrono::hours(1);
  }

  void Report(ForwardingStatus status) {
    if (status == reported) return;
    reported = status;
    if (!silenced) onStatus(status);
  }

  std::string Format(const BoundedQueue<QueuedEvent>::Taken& taken) const {
    const size_t maxLength = settings.protocol == SyslogProtocol::Udp ? kSyslogDatagramMaxLength : SIZE_MAX;
    return FormatSyslogMessage(FormatSyslogHeader(settings.facility, taken.item.time, hostName, processId),
                               taken.item.members, taken.droppedBefore, maxLength);
  }

  void Run() {
    ServerLink link(settings);
    std::deque<std::string> unsent;  // taken from the queue, or to be sent again after a reset
    std::deque<std::string> lastSent;
    SteadyClock::duration backOff = kFirstBackOff;
    SteadyClock::time_point nextAttempt = SteadyClock::now();
    for (;;) {
      if (unsent.empty()) {
        const auto taken = queue.Pop(StopDeadline());
        if (!taken) break;
        unsent.push_back(Format(*taken));
      }
      // What else is waiting goes with it.
      while (unsent.size() < kBatchMax) {
        const auto taken = queue.Pop(SteadyClock::now());
        if (!taken) break;
        unsent.push_back(Format(*taken));
      }
      if (!link.IsOpen()) {
        const SteadyClock::time_point now = SteadyClock::now();
        if (now >= StopDeadline()) break;
        if (now < nextAttempt) {
          if (queue.WaitForClose(nextAttempt) && nextAttempt >= StopDeadline()) break;
          std::this_thread::sleep_until(nextAttempt);
          continue;
        }
        const ForwardingStatus status = link.Open(StopDeadline());
        Report(status);
        if (status != ForwardingStatus::Connected) {
          nextAttempt = now + backOff;
          backOff = std::min<SteadyClock::duration>(backOff * 2, kLongestBackOff);
          continue;
        }
        backOff = kFirstBackOff;
      }
      const SendResult result = link.Send(unsent);
      if (result == SendResult::Sent) {
        lastSent = std::move(unsent);
        unsent.clear();
        continue;
      }
      link.Close();
      // A reset may have lost what went before as well: it goes again, ahead of the rest.
      if (result == SendResult::FailedAfterReset) unsent.insert(unsent.begin(), lastSent.begin(), lastSent.end());
      lastSent.clear();
    }
    std::lock_guard<std::mutex> lock(doneMutex);
    done = true;
    doneChanged.notify_all();
  }

  const ForwardingSettings settings;
  const std::string hostName;
  const uint32_t processId = GetCurrentProcessId();
  const StatusCallback onStatus;
  BoundedQueue<QueuedEvent> queue{kForwardQueueCapacity};
  std::atomic<SteadyClock::rep> stopDeadline{0};  // none until Stop
  std::atomic<bool> silenced{false};
  ForwardingStatus reported = ForwardingStatus::Connected;
  std::mutex doneMutex;
  std::condition_variable doneChanged;
  bool done = false;
};

SyslogForwarder::SyslogForwarder(StatusCallback onStatus) : onStatus_(std::move(onStatus)) {}

SyslogForwarder::~SyslogForwarder() { Stop(); }

bool SyslogForwarder::Start(const ForwardingSettings& settings, std::string_view hostUtf8) {
  Stop();
  WSADATA data;
  if (settings.server[0] == '\0' || WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
  host_ = hostUtf8;
  worker_ = std::make_shared<Worker>(settings, hostUtf8, onStatus_);
  thread_ = std::thread([worker = worker_] { worker->Run(); });
  return true;
}

void SyslogForwarder::Send(const UsbEvent& event) {
  if (worker_) worker_->queue.Push(QueuedEvent{event.eventTime, LoggedEventMembers(event, host_)});
}

void SyslogForwarder::Stop() {
  if (!worker_) return;
  const SteadyClock::time_point deadline = SteadyClock::now() + kFlushTime;
  worker_->stopDeadline = deadline.time_since_epoch().count();
  worker_->silenced = true;
  worker_->queue.Close();
  bool done;
  {
    std::unique_lock<std::mutex> lock(worker_->doneMutex);
    done = worker_->doneChanged.wait_until(lock, deadline + kStopMargin, [this] { return worker_->done; });
  }
  // A thread still waiting for a name server or a stalled server keeps its own share of the state and ends
  // with the process.
  if (done) {
    thread_.join();
    WSACleanup();
  } else {
    thread_.detach();
  }
  worker_.reset();
}

}  // namespace wrenhollow
