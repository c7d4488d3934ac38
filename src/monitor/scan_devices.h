#pragma once

#include "monitor/device_snapshot.h"
#include "monitor/registry_reader.h"
#include "monitor/volumes.h"

namespace wrenhollow {

// One full reading of the USB devices the system has recorded, into an empty snapshot: the control set named by
// SYSTEM\Select\Current, its Enum\USB with properties, links and storage children, then the drive letters.
void ScanDevices(const RegistryReader& reader, VolumeSource& volumes, DeviceSnapshot& snapshot);

}  // namespace wrenhollow
