#include "app/forwarding_settings.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "util/text.h"

namespace wrenhollow {
namespace {

// Room to tell a server name that is too long from one that fits.
constexpr size_t kServerReadSize = 2 * kSyslogServerSize;
// The protocol's name, terminator included.
constexpr size_t kProtocolSize = 8;
// Room for any number in range and a few characters more, to tell a longer text.
constexpr size_t kNumberTextSize = 16;
constexpr int32_t kPortMax = 65535;

bool IsTcp(std::string_view name) {
  return name.size() == 3 && (name[0] | 0x20) == 't' && (name[1] | 0x20) == 'c' && (name[2] | 0x20) == 'p';
}

// A number written in decimal digits alone, so that "x" or "12abc" is not read as 0 or 12 the way
// GetPrivateProfileIntA reads it; the default for anything else or outside low to high.
void ExchangeNumber(ConfigStore& store, const char* key, int32_t& value, int32_t low, int32_t high,
                    int32_t defaultValue) {
  char text[kNumberTextSize];
  if (store.IsSaving()) std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
  store.ExchangeString(key, text, "", sizeof text);
  if (store.IsSaving()) return;
  const std::string_view digits = text;
  int64_t number = 0;
  for (char c : digits) number = c >= '0' && c <= '9' && number <= high ? number * 10 + (c - '0') : INT64_MAX;
  value = !digits.empty() && number >= low && number <= high ? static_cast<int32_t>(number) : defaultValue;
}

}  // namespace

void ExchangeForwardingSettings(ConfigStore& store, ForwardingSettings& settings) {
  const ForwardingSettings defaults = DefaultForwardingSettings();
  char server[kServerReadSize];
  char protocol[kProtocolSize];
  if (store.IsSaving()) {
    CopyBounded(server, settings.server);
    CopyBounded(protocol, settings.protocol == SyslogProtocol::Tcp ? "tcp" : "udp");
  }
  store.ExchangeString("SyslogServer", server, "", sizeof server);
  ExchangeNumber(store, "SyslogPort", settings.port, 1, kPortMax, defaults.port);
  store.ExchangeString("SyslogProtocol", protocol, "udp", sizeof protocol);
  ExchangeNumber(store, "SyslogFacility", settings.facility, 0, kSyslogFacilityMax, defaults.facility);
  if (store.IsSaving()) return;

  if (std::strlen(server) < kSyslogServerSize) {
    CopyBounded(settings.server, server);
  } else {
    settings.server[0] = '\0';
  }
  settings.protocol = IsTcp(protocol) ? SyslogProtocol::Tcp : SyslogProtocol::Udp;
}

}  // namespace wrenhollow
