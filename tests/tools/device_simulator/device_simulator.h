#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace wrenhollow::e2e {

// Applies .reg text to the real registry in this process with the program's own .reg reader (regedit costs
// ~80 ms a file and stores the UTF-16 strings of a version 5 file as bytes).
// A missing key to delete is not an error. False with a reason on the first failure.
bool ApplyRegText(std::string_view text, std::string* error);
bool ApplyRegFile(const std::string& path, std::string* error);

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

// WM_DEVICECHANGE with DBT_DEVNODES_CHANGED to every top-level window, as Windows sends it when the device tree
// changes; false when the broadcast failed or timed out.
bool BroadcastDeviceChange(UINT timeoutMs = 1000);

}  // namespace wrenhollow::e2e
