#pragma once

#include "monitor/volumes.h"

namespace wrenhollow {

// The machine's volumes through kernel32.
class Win32Volumes : public VolumeSource {
 public:
  uint32_t LogicalDrives() override;
  uint32_t DriveType(char letter) override;
  bool QueryDeviceNumber(char letter, StorageDeviceNumber* number) override;
};

}  // namespace wrenhollow
