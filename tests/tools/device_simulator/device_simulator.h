#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "device_simulator/reg_script.h"

namespace wrenhollow::e2e {

constexpr char kUsbInterfaceClass[] = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

// A USB device instance as Windows records it: Enum\USB\<device>\<instance> of the current control set, with
// its interface under Control\DeviceClasses\<interfaceClass>.
struct DeviceId {
  std::string device;    // e.g. VID_0781&PID_5567
  std::string instance;  // e.g. the serial number
  std::string interfaceClass = kUsbInterfaceClass;
};

// The control set that HKLM\SYSTEM\Select "Current" names, as "ControlSet001"; empty when Select is missing.
std::string CurrentControlSetName();

// Registry path (below HKLM) of the key that holds the device interface's "Linked" value.
std::string LinkKeyPath(const DeviceId& device);

// Sets "Linked" (1 attached, 0 detached), creating its key when it is missing. Returns false with a reason.
bool SetLinked(const DeviceId& device, DWORD linked, std::string* error);
// Reads "Linked"; false when the key or value is missing.
bool ReadLinked(const DeviceId& device, DWORD* linked);
// Flips "Linked" between 0 and 1 (a missing value counts as 0) and returns the new value in *linked.
bool FlipLinked(const DeviceId& device, DWORD* linked, std::string* error);

// A device the registry has never recorded, written the way Windows records a newly attached one.
struct NewDevice {
  DeviceId id;              // id.device must name VID_xxxx&PID_xxxx
  std::string description;  // DeviceDesc
  std::string location = "Port_#0009.Hub_#0004";
  DWORD capabilities = 0x94;      // 0x10: the instance name is a unique serial number
  std::string revision = "0100";  // the four digits after &REV_ in HardwareID
  std::string compatibleId = "USB\\Class_08&SubClass_06&Prot_50";
  DWORD linked = 1;
};
bool AddDevice(const NewDevice& device, std::string* error);
// Removes the device's Enum and interface keys.
bool RemoveDevice(const DeviceId& device, std::string* error);

// WM_DEVICECHANGE with DBT_DEVNODES_CHANGED, as Windows sends it when the device tree changes.
// To every top-level window; false when the broadcast failed or timed out.
bool BroadcastDeviceChange(UINT timeoutMs = 1000);
// To one window, directly (no waiting for unrelated windows).
bool SendDeviceChange(HWND window, UINT timeoutMs = 1000);

// Sends count notifications spread evenly over spanMs (to target, or to every window when target is null),
// calling between(i) after the i-th one; returns the milliseconds from the first send to the last.
DWORD BurstDeviceChange(HWND target, int count, DWORD spanMs, const std::function<void(int)>& between = {});

}  // namespace wrenhollow::e2e
