#pragma once

#include <windows.h>

#include <string>

namespace wrenhollow::e2e {

// A USB device as Windows records it in the control set the fixtures make current.
struct UsbDevice {
  std::string device;    // VID_xxxx&PID_xxxx
  std::string instance;  // its serial number
  std::string description;
  std::string location = "Port_#0009.Hub_#0004";
};
// .reg keys (for after a REGEDIT4 header) recording a device never seen before, attached.
std::string NewDeviceText(const UsbDevice& device);
// .reg keys (for after a REGEDIT4 header) setting the device interface's Linked value: 1 attached, 0 detached.
std::string LinkedText(const UsbDevice& device, int linked);
// The same change straight through the registry API, quick enough to come between notifications of one burst.
bool SetLinked(const UsbDevice& device, DWORD linked);

// WM_DEVICECHANGE with DBT_DEVNODES_CHANGED to every top-level window, as Windows sends it when the device tree
// changes; false when the broadcast failed or timed out.
bool BroadcastDeviceChange(UINT timeoutMs = 1000);

}  // namespace wrenhollow::e2e
