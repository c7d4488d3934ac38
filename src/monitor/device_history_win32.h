#pragma once

#include "monitor/device_history.h"

namespace wrenhollow {

// The time stamps SetupAPI reports for every device node under the USB enumerator. It never opens the
// Properties keys of the registry itself: on Windows only SYSTEM may read them.
class SetupApiDeviceHistory : public DeviceHistorySource {
 public:
  bool ReadHistory(std::vector<DeviceHistoryRecord>& records) override;
};

}  // namespace wrenhollow
