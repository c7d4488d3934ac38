#include "monitor/scan_devices.h"

#include <cstdio>

#include "monitor/drive_letters.h"
#include "monitor/usb_enumeration.h"

namespace wrenhollow {

void ScanDevices(const RegistryReader& reader, VolumeSource& volumes, DeviceSnapshot& snapshot) {
  RegKey system;
  if (reader.OpenKey(kLocalMachine, "SYSTEM", &system) != kErrorSuccess) return;

  uint32_t current = 1;
  reader.ReadDwordAt(system, "Select", "Current", &current);
  char controlSetName[256];
  std::snprintf(controlSetName, sizeof controlSetName, "ControlSet%3.3d", static_cast<int>(current));
  RegKey controlSet;
  if (reader.OpenKey(system, controlSetName, &controlSet) == kErrorSuccess) {
    EnumerateUsbDevices(reader, controlSet, snapshot);
    reader.CloseKey(controlSet);
  }

  RegKey mountedDevices;
  if (reader.OpenKey(system, "MountedDevices", &mountedDevices) == kErrorSuccess) {
    for (char code = kFirstMountedCode; code <= kLastMountedCode; ++code) {
      AssignMountedDeviceLetters(reader, mountedDevices, code, snapshot);
    }
    reader.CloseKey(mountedDevices);
  }
  reader.CloseKey(system);

  AssignVolumeLetters(reader, volumes, snapshot);
}

}  // namespace wrenhollow
