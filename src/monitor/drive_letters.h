#pragma once

#include "monitor/device_snapshot.h"
#include "monitor/registry_reader.h"
#include "monitor/volumes.h"

namespace wrenhollow {

// Character codes whose "\DosDevices\X:" values are read: "A" (0x41) up to 0x60.
constexpr char kFirstMountedCode = 0x41;
constexpr char kLastMountedCode = 0x60;

// Letters from the volume names under MountedDevices, for one character code: a record gets the letter when its
// parent-ID prefix or serial number (each longer than 4 characters) occurs in the volume's device path.
void AssignMountedDeviceLetters(const RegistryReader& reader, RegKey mountedDevices, char code,
                                DeviceSnapshot& snapshot);

// Letters from the live volumes: a disk whose number the disk driver lists as a USBSTOR instance belongs to the
// record with that storage child.
void AssignVolumeLetters(const RegistryReader& reader, VolumeSource& volumes, DeviceSnapshot& snapshot);

// Adds a letter unless present; when all 32 slots are taken it replaces the first.
void AddDriveLetter(UsbDeviceInfo& info, char letter);

}  // namespace wrenhollow
