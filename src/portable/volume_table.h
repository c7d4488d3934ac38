#pragma once

#include <utility>
#include <vector>

#include "monitor/volumes.h"

namespace wrenhollow {

// A fixed set of volumes, for tests and benchmarks.
class VolumeTable : public VolumeSource {
 public:
  struct Volume {
    char letter;
    uint32_t driveType;
    bool answers;  // whether the volume opens and answers the device-number query
    StorageDeviceNumber number;
  };

  VolumeTable() = default;
  explicit VolumeTable(std::vector<Volume> volumes) : volumes_(std::move(volumes)) {}

  uint32_t LogicalDrives() override;
  uint32_t DriveType(char letter) override;
  bool QueryDeviceNumber(char letter, StorageDeviceNumber* number) override;

 private:
  const Volume* Find(char letter) const;

  std::vector<Volume> volumes_;
};

}  // namespace wrenhollow
