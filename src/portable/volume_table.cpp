#include "portable/volume_table.h"

namespace wrenhollow {

const VolumeTable::Volume* VolumeTable::Find(char letter) const {
  for (const Volume& volume : volumes_) {
    if (volume.letter == letter) return &volume;
  }
  return nullptr;
}

uint32_t VolumeTable::LogicalDrives() {
  uint32_t mask = 0;
  for (const Volume& volume : volumes_) {
    if (volume.letter >= 'A' && volume.letter <= 'Z') mask |= 1u << (volume.letter - 'A');
  }
  return mask;
}

uint32_t VolumeTable::DriveType(char letter) {
  const Volume* volume = Find(letter);
  return volume != nullptr ? volume->driveType : 1;  // DRIVE_NO_ROOT_DIR
}

bool VolumeTable::QueryDeviceNumber(char letter, StorageDeviceNumber* number) {
  const Volume* volume = Find(letter);
  if (volume == nullptr || !volume->answers) return false;
  *number = volume->number;
  return true;
}

}  // namespace wrenhollow
