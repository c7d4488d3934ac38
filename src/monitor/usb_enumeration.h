#pragma once

#include "monitor/device_snapshot.h"
#include "monitor/registry_reader.h"

namespace wrenhollow {

// The USB device interface class: every attached USB device has an interface of it.
constexpr const char* kUsbDeviceInterfaceClass = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

// Appends one record per instance under Enum\USB of the open control set, with its properties, storage child
// and whether it is attached now.
void EnumerateUsbDevices(const RegistryReader& reader, RegKey controlSet, DeviceSnapshot& snapshot);

// Sets `connected` from the "Linked" value of the interface named by the record's symbolicName under the open
// interface-class key.
void TestLinked(const RegistryReader& reader, UsbDeviceInfo& info, RegKey interfaceClass);

// Vendor and product identifiers from a device key name such as "Vid_0781&Pid_5567".
void ParseVendorProduct(UsbDeviceInfo& info);

}  // namespace wrenhollow
