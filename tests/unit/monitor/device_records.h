#pragma once

#include <cstring>
#include <string>

#include "monitor/device_monitor.h"

namespace wrenhollow::test {

// Every field of a record as text, for comparisons that show what differs.
inline std::string Describe(const UsbDeviceInfo& info) {
  auto text = [](const char* field, size_t size) { return std::string(field, strnlen(field, size)); };
  std::string out;
  auto add = [&](const char* name, const std::string& value) { out += std::string(name) + "=" + value + "\n"; };
  add("deviceKey", text(info.deviceKey, sizeof info.deviceKey));
  add("instanceKey", text(info.instanceKey, sizeof info.instanceKey));
  add("capabilities", std::to_string(info.capabilities));
  add("classCode", std::to_string(info.classCode));
  add("subclassCode", std::to_string(info.subclassCode));
  add("protocolCode", std::to_string(info.protocolCode));
  add("description", text(info.description, sizeof info.description));
  add("locationInformation", text(info.locationInformation, sizeof info.locationInformation));
  add("storageDeviceKey", text(info.storageDeviceKey, sizeof info.storageDeviceKey));
  add("storageInstanceKey", text(info.storageInstanceKey, sizeof info.storageInstanceKey));
  add("serialNumber", text(info.serialNumber, sizeof info.serialNumber));
  add("parentIdPrefix", text(info.parentIdPrefix, sizeof info.parentIdPrefix));
  add("symbolicName", text(info.symbolicName, sizeof info.symbolicName));
  add("portName", text(info.portName, sizeof info.portName));
  add("driveLetters", text(info.driveLetters, sizeof info.driveLetters));
  add("firmwareRevision", std::to_string(info.firmwareRevision));
  add("vendorId", std::to_string(info.vendorId));
  add("productId", std::to_string(info.productId));
  add("connected", std::to_string(info.connected));
  return out;
}

inline std::string Describe(const DeviceEvent& event) {
  return "type=" + std::to_string(static_cast<uint32_t>(event.type)) + "\ntime=" + std::to_string(event.time) + "\n" +
         Describe(event.device);
}

}  // namespace wrenhollow::test
