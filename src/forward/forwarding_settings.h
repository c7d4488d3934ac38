#pragma once

#include <cstddef>
#include <cstdint>

namespace wrenhollow {

// A host name (at most 253 characters), an IPv4 address or an IPv6 address, terminator included.
constexpr size_t kSyslogServerSize = 256;
constexpr int32_t kSyslogPortDefault = 514;
// "user-level messages".
constexpr int32_t kSyslogFacilityDefault = 1;
constexpr int32_t kSyslogFacilityMax = 23;

enum class SyslogProtocol : int32_t { Udp = 0, Tcp = 1 };

// Where every event is forwarded as a syslog message. An empty server turns forwarding off.
struct ForwardingSettings {
  char server[kSyslogServerSize];
  int32_t port;  // 1 to 65535
  SyslogProtocol protocol;
  int32_t facility;  // 0 to 23
};

// Forwarding off, every other setting at its default.
constexpr ForwardingSettings DefaultForwardingSettings() {
  return ForwardingSettings{{}, kSyslogPortDefault, SyslogProtocol::Udp, kSyslogFacilityDefault};
}

}  // namespace wrenhollow
