#pragma once

#include <cstdint>

namespace wrenhollow {

constexpr uint32_t kDriveRemote = 4;
constexpr uint32_t kFileDeviceDisk = 7;

// STORAGE_DEVICE_NUMBER as IOCTL_STORAGE_GET_DEVICE_NUMBER returns it.
struct StorageDeviceNumber {
  uint32_t deviceType;
  uint32_t deviceNumber;
  uint32_t partitionNumber;
};

// The machine's live volumes, as far as drive letters are resolved from them. The caller owns the source and
// *number; a source opens nothing that outlives a call, and a failed query changes nothing.
class VolumeSource {
 public:
  virtual ~VolumeSource() = default;

  // GetLogicalDrives: bit 0 is A:; 0 when the system cannot tell.
  virtual uint32_t LogicalDrives() = 0;
  // GetDriveTypeA of "X:\" (0, unknown, when the system cannot tell).
  virtual uint32_t DriveType(char letter) = 0;
  // Opens "\\.\X:", asks for its storage device number and closes it; false when the open or the query fails,
  // leaving *number untouched.
  virtual bool QueryDeviceNumber(char letter, StorageDeviceNumber* number) = 0;
};

}  // namespace wrenhollow
