#pragma once

#include <windows.h>

#include <string>

#include "util/clock.h"

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

// .reg keys (for after a REGEDIT4 header) recording the device's time stamps as Windows keeps them: first
// install, last arrival and last removal, each the FILETIME default value (type 0xFFFF0010) of a Properties
// subkey of the device's instance key; a time of 0 is left out. The keys go into both ControlSet001, which the
// fixtures make current, and Wine's own CurrentControlSet, where SetupAPI looks; the instance key gets a
// ClassGUID, without which Wine's SetupAPI skips it. regedit refuses the types: import with ApplyRegText.
std::string HistoryText(const UsbDevice& device, FileTime firstInstall, FileTime arrival, FileTime removal);
// Applies .reg text through the registry API, which takes every value type; false with a message when the
// text is malformed or a registry call fails (what came before stays applied).
bool ApplyRegText(const std::string& regText, std::string* error);

// WM_DEVICECHANGE with DBT_DEVNODES_CHANGED to every top-level window, as Windows sends it when the device tree
// changes; false when the broadcast failed or timed out.
bool BroadcastDeviceChange(UINT timeoutMs = 1000);

}  // namespace wrenhollow::e2e
