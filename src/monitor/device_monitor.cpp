#include "monitor/device_monitor.h"

#include <utility>

#include "monitor/scan_devices.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

// Key names never hold a backslash, so it separates the two halves of an identity unambiguously.
std::string Identity(const UsbDeviceInfo& info) {
  return FoldCase(info.deviceKey) + '\\' + FoldCase(info.instanceKey);
}

}  // namespace

DeviceMonitor::DeviceMonitor(RegistrySource& registry, VolumeSource& volumes, Clock& clock)
    : reader_(registry), volumes_(volumes), clock_(clock) {}

void DeviceMonitor::Refresh() {
  DeviceSnapshot current;
  ScanDevices(reader_, volumes_, current);

  std::unordered_map<std::string, size_t> currentIndex;
  currentIndex.reserve(current.Count());
  for (size_t i = 0; i < current.Count(); ++i) {
    std::string identity = Identity(current[i]);
    if (firstScanDone_ == 1) {
      const auto found = previousIndex_.find(identity);
      bool report = true;
      EventType type = EventType::Plug;
      if (found != previousIndex_.end()) {
        const uint32_t was = previous_[found->second].connected;
        const uint32_t is = current[i].connected;
        report = was != is;
        type = was == 1 && is == 0 ? EventType::Unplug : EventType::Plug;
      }
      if (report) OnDeviceEvent(DeviceEvent{current[i], type, clock_.NowUtc(), found == previousIndex_.end()});
    }
    currentIndex.emplace(std::move(identity), i);  // keeps the first record of an identity
  }

  firstScanDone_ = 1;
  previous_ = std::move(current);
  previousIndex_ = std::move(currentIndex);
}

}  // namespace wrenhollow
