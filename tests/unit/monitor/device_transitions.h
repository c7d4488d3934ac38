#pragma once

#include <string>
#include <vector>

#include "monitor/device_monitor.h"
#include "monitor/volumes.h"
#include "portable/volume_table.h"

namespace wrenhollow::test {

// The scenarios of tests/fixtures/devices: each applies <name>_before.reg on top of common.reg, takes the
// baseline, applies <name>_after.reg and refreshes again.
inline const std::vector<std::string>& DeviceScenarios() {
  static const std::vector<std::string> names = {"plug", "replug", "unplug", "composite", "no_change", "case_only",
                                                  "bare_new", "same_identity"};
  return names;
}

// The live volumes the scenarios run with: the system disk and the stick's volume, disk 1.
inline VolumeTable ScenarioVolumes() {
  return VolumeTable({{'C', 3, true, {kFileDeviceDisk, 0, 1}}, {'G', 2, true, {kFileDeviceDisk, 1, 1}}});
}

// A monitor that records what it reports.
class RecordingMonitor : public DeviceMonitor {
 public:
  using DeviceMonitor::DeviceMonitor;
  std::vector<DeviceEvent> events;

 protected:
  void OnDeviceEvent(const DeviceEvent& event) override { events.push_back(event); }
};

}  // namespace wrenhollow::test
