#pragma once

#include <vector>

#include "monitor/device_history.h"
#include "monitor/device_monitor.h"
#include "monitor/device_snapshot.h"

namespace wrenhollow {

// The Plug and Unplug events the system's record implies for the devices of one reading, oldest first.
// A device's Plug comes at its last arrival (at its first install where the system keeps no arrival), its
// Unplug at its last removal when that is later than the Plug (a removal alone gives an Unplug alone). Each
// event carries the reading's record unchanged. Records are joined by device and instance key ignoring case,
// the history's keys cut as the reading's are; of an identity repeated in the reading or in the history only
// the first counts. Equal times keep the reading's order, a device's Plug before its Unplug.
std::vector<DeviceEvent> EarlierConnections(const DeviceSnapshot& reading,
                                            const std::vector<DeviceHistoryRecord>& history);

}  // namespace wrenhollow
