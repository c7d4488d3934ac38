#pragma once

#include <cstring>
#include <string>

#include "monitor/device_monitor.h"

namespace wrenhollow::test {

// Every field of a record as text, for comparisons that show what differs.
inline std::string Describe(const UsbDeviceInfo& info) {
  std::string out;
#define WRENHOLLOW_TEXT(field) out += #field "=" + std::string(info.field, strnlen(info.field, sizeof info.field)) + "\n";
#define WRENHOLLOW_NUMBER(field) out += #field "=" + std::to_string(info.field) + "\n";
  WRENHOLLOW_TEXT(deviceKey) WRENHOLLOW_TEXT(instanceKey) WRENHOLLOW_NUMBER(capabilities)
  WRENHOLLOW_NUMBER(classCode) WRENHOLLOW_NUMBER(subclassCode) WRENHOLLOW_NUMBER(protocolCode)
  WRENHOLLOW_TEXT(description) WRENHOLLOW_TEXT(locationInformation) WRENHOLLOW_TEXT(storageDeviceKey)
  WRENHOLLOW_TEXT(storageInstanceKey) WRENHOLLOW_TEXT(serialNumber) WRENHOLLOW_TEXT(parentIdPrefix)
  WRENHOLLOW_TEXT(symbolicName) WRENHOLLOW_TEXT(portName) WRENHOLLOW_TEXT(driveLetters)
  WRENHOLLOW_NUMBER(firmwareRevision) WRENHOLLOW_NUMBER(vendorId) WRENHOLLOW_NUMBER(productId)
  WRENHOLLOW_NUMBER(connected)
#undef WRENHOLLOW_TEXT
#undef WRENHOLLOW_NUMBER
  return out;
}

inline std::string Describe(const DeviceEvent& event) {
  return "type=" + std::to_string(static_cast<uint32_t>(event.type)) + "\ntime=" + std::to_string(event.time) + "\n" +
         Describe(event.device);
}

}  // namespace wrenhollow::test
