#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "monitor/device_monitor.h"

namespace wrenhollow::test {

// An event at 2024-03-05 14:07:09 UTC of a device with firmware 1.26 and mass-storage class codes; the drive
// letters may take all 32 slots, with no terminator.
inline DeviceEvent SampleEvent(EventType type, const char* description, const char* serial, const char* location,
                               const char* letters, uint32_t vendorId, uint32_t productId, const char* port = "") {
  DeviceEvent event{};
  event.type = type;
  event.time = 133541212290000000;
  event.device.vendorId = vendorId;
  event.device.productId = productId;
  event.device.firmwareRevision = 126;
  event.device.classCode = 8;
  event.device.subclassCode = 6;
  event.device.protocolCode = 0x50;
  std::snprintf(event.device.description, kDeviceTextSize, "%s", description);
  std::snprintf(event.device.serialNumber, kDeviceTextSize, "%s", serial);
  std::snprintf(event.device.locationInformation, kDeviceTextSize, "%s", location);
  std::memcpy(event.device.driveLetters, letters, std::min<size_t>(std::strlen(letters), kDriveLetterSlots));
  std::snprintf(event.device.portName, kDeviceTextSize, "%s", port);
  return event;
}

}  // namespace wrenhollow::test
