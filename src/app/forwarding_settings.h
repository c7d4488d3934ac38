#pragma once

#include "app/config_store.h"
#include "forward/forwarding_settings.h"

namespace wrenhollow {

// The settings file's section that holds the forwarding settings.
constexpr char kForwardingSection[] = "Forwarding";

// Loads or saves SyslogServer, SyslogPort, SyslogProtocol ("udp" or "tcp") and SyslogFacility in the store's
// section. A loaded value out of its range takes its default; a server name longer than 255 characters turns
// forwarding off.
void ExchangeForwardingSettings(ConfigStore& store, ForwardingSettings& settings);

}  // namespace wrenhollow
