#include "monitor/earlier_connections.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include "util/text.h"

namespace wrenhollow {
namespace {

// The identity a reading's record has: both keys cut as they are stored, case folded, joined by a backslash
// (which no key name holds).
std::string Identity(std::string_view deviceKey, std::string_view instanceKey) {
  return FoldCase(deviceKey.substr(0, kKeyNameMax)) + '\\' + FoldCase(instanceKey.substr(0, kKeyNameMax));
}

}  // namespace

std::vector<DeviceEvent> EarlierConnections(const DeviceSnapshot& reading,
                                            const std::vector<DeviceHistoryRecord>& history) {
  std::unordered_map<std::string, const DeviceHistoryRecord*> recorded;
  recorded.reserve(history.size());
  for (const DeviceHistoryRecord& record : history) {
    recorded.emplace(Identity(record.deviceKey, record.instanceKey), &record);
  }

  std::vector<DeviceEvent> events;
  for (const UsbDeviceInfo& device : reading) {
    const auto found = recorded.find(Identity(device.deviceKey, device.instanceKey));
    if (found == recorded.end() || found->second == nullptr) continue;
    const DeviceHistoryRecord& record = *found->second;
    found->second = nullptr;  // a repeated identity in the reading counts once, for its first record
    const FileTime plugged = record.lastArrival != 0 ? record.lastArrival : record.firstInstall;
    if (plugged != 0) events.push_back(DeviceEvent{device, EventType::Plug, plugged});
    if (record.lastRemoval > plugged) events.push_back(DeviceEvent{device, EventType::Unplug, record.lastRemoval});
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const DeviceEvent& a, const DeviceEvent& b) { return a.time < b.time; });
  return events;
}

}  // namespace wrenhollow
