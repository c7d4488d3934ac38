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

  // Sorted as small entries: an event carries a whole record, too large to move around while sorting.
  struct Entry {
    FileTime time;
    const UsbDeviceInfo* device;
    EventType type;
  };
  std::vector<Entry> entries;
  for (const UsbDeviceInfo& device : reading) {
    const auto found = recorded.find(Identity(device.deviceKey, device.instanceKey));
    if (found == recorded.end() || found->second == nullptr) continue;
    const DeviceHistoryRecord& record = *found->second;
    found->second = nullptr;  // a repeated identity in the reading counts once, for its first record
    const FileTime plugged = record.lastArrival != 0 ? record.lastArrival : record.firstInstall;
    if (plugged != 0) entries.push_back(Entry{plugged, &device, EventType::Plug});
    if (record.lastRemoval > plugged) entries.push_back(Entry{record.lastRemoval, &device, EventType::Unplug});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.time < b.time; });

  std::vector<DeviceEvent> events;
  events.reserve(entries.size());
  for (const Entry& entry : entries) events.push_back(DeviceEvent{*entry.device, entry.type, entry.time});
  return events;
}

}  // namespace wrenhollow
