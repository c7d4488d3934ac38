#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "monitor/device_snapshot.h"
#include "monitor/registry_reader.h"
#include "monitor/volumes.h"
#include "util/clock.h"

namespace wrenhollow {

enum class EventType : uint32_t { Plug = 1, Unplug = 2 };

// One change found by a refresh: the device as the current reading saw it, what happened, and when (UTC); new when
// the previous reading did not hold the device at all.
struct DeviceEvent {
  UsbDeviceInfo device;
  EventType type;
  FileTime time;
  bool newDevice = false;
};

// Keeps the previous reading and reports, at each refresh, every device that appeared or whose attached state
// changed. The first refresh is a baseline and reports nothing.
class DeviceMonitor {
 public:
  DeviceMonitor(RegistrySource& registry, VolumeSource& volumes, Clock& clock);
  virtual ~DeviceMonitor() = default;
  DeviceMonitor(const DeviceMonitor&) = delete;
  DeviceMonitor& operator=(const DeviceMonitor&) = delete;

  // Reads the devices anew and calls OnDeviceEvent for each change, in the order of the new reading.
  void Refresh();
  // The records of the latest reading; none before the first.
  const DeviceSnapshot& LastReading() const { return previous_; }

 protected:
  // The event is valid only during the call.
  virtual void OnDeviceEvent(const DeviceEvent& event) = 0;

 private:
  RegistryReader reader_;
  VolumeSource& volumes_;
  Clock& clock_;
  DeviceSnapshot previous_;
  // Identity (device and instance key, case folded) of each previous record to the first record holding it.
  std::unordered_map<std::string, size_t> previousIndex_;
  uint32_t firstScanDone_ = 0;
};

}  // namespace wrenhollow
