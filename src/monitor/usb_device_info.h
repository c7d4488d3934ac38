#pragma once

#include <cstdint>

namespace wrenhollow {

// Capacities of the record's texts, the terminating NUL included.
constexpr int kDeviceTextSize = 128;
constexpr int kSymbolicNameSize = 256;
constexpr int kDriveLetterSlots = 32;
// Key names are cut to this many characters when stored.
constexpr int kKeyNameMax = 126;

// Capabilities bit: the instance name is a serial number unique to the device.
constexpr uint32_t kCapabilityUniqueId = 0x10;

// One USB device instance as recorded under Enum\USB. A plain record: start from UsbDeviceInfo{}, copy bitwise.
struct UsbDeviceInfo {
  uint32_t capabilities;
  uint32_t classCode;
  uint32_t subclassCode;
  uint32_t protocolCode;
  char description[kDeviceTextSize];
  char locationInformation[kDeviceTextSize];
  char deviceKey[kDeviceTextSize];
  char storageDeviceKey[kDeviceTextSize];
  char storageInstanceKey[kDeviceTextSize];
  char instanceKey[kDeviceTextSize];
  char serialNumber[kDeviceTextSize];
  char parentIdPrefix[kDeviceTextSize];
  char symbolicName[kSymbolicNameSize];
  char portName[kDeviceTextSize];
  // One letter per slot in order of discovery; NUL-terminated only when fewer than 32 are filled.
  char driveLetters[kDriveLetterSlots];
  uint32_t firmwareRevision;
  uint32_t vendorId;
  uint32_t productId;
  uint32_t connected;  // 1 when an interface of the device is linked now
};

}  // namespace wrenhollow
