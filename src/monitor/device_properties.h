#pragma once

#include "monitor/device_snapshot.h"
#include "monitor/registry_reader.h"

namespace wrenhollow {

// Fills an empty record from its instance key under Enum\USB and that key's "Device Parameters".
void ReadDeviceProperties(const RegistryReader& reader, const char* deviceName, const char* instanceName,
                          RegKey instanceKey, UsbDeviceInfo& info);

// Gives every record whose instance name is the serial number of a child under Enum\USBSTOR that child's key
// names, friendly name and parent-ID prefix.
void MatchStorageChildren(const RegistryReader& reader, RegKey controlSet, DeviceSnapshot& snapshot);

}  // namespace wrenhollow
