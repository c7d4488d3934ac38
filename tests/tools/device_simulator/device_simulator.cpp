#include "device_simulator/device_simulator.h"

#include <cstdio>
#include <vector>

namespace wrenhollow::e2e {
namespace {

class Key {
 public:
  Key(const std::string& path, bool create, std::string* error) {
    const LONG status = create ? RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key_, nullptr)
                               : RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key_);
    if (status != ERROR_SUCCESS) {
      key_ = nullptr;
      if (error != nullptr) *error = "cannot open HKLM\\" + path + ": error " + std::to_string(status);
    }
  }
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool SetValue(const std::string& keyPath, const char* name, DWORD type, const void* data, DWORD size,
              std::string* error) {
  Key key(keyPath, true, error);
  if (key.get() == nullptr) return false;
  const LONG status = RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
  if (status != ERROR_SUCCESS) {
    *error = "cannot set " + keyPath + " " + name + ": error " + std::to_string(status);
    return false;
  }
  return true;
}

bool SetString(const std::string& keyPath, const char* name, const std::string& text, std::string* error) {
  return SetValue(keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1), error);
}

bool SetMultiString(const std::string& keyPath, const char* name, const std::vector<std::string>& items,
                    std::string* error) {
  std::string data;
  for (const std::string& item : items) data += item + '\0';
  data += '\0';
  return SetValue(keyPath, name, REG_MULTI_SZ, data.data(), static_cast<DWORD>(data.size()), error);
}

bool SetDword(const std::string& keyPath, const char* name, DWORD value, std::string* error) {
  return SetValue(keyPath, name, REG_DWORD, &value, sizeof value, error);
}

std::string InterfaceKeyPath(const DeviceId& device) {
  return "SYSTEM\\" + CurrentControlSetName() + "\\Control\\DeviceClasses\\" + device.interfaceClass + "\\##?#USB#" +
         device.device + "#" + device.instance + "#" + device.interfaceClass;
}

std::string EnumKeyPath(const DeviceId& device) {
  return "SYSTEM\\" + CurrentControlSetName() + "\\Enum\\USB\\" + device.device + "\\" + device.instance;
}

}  // namespace

std::string CurrentControlSetName() {
  Key select("SYSTEM\\Select", false, nullptr);
  DWORD current = 0;
  DWORD size = sizeof current;
  if (select.get() == nullptr || RegQueryValueExA(select.get(), "Current", nullptr, nullptr,
                                                  reinterpret_cast<BYTE*>(&current), &size) != ERROR_SUCCESS) {
    return "";
  }
  char name[32];
  std::snprintf(name, sizeof name, "ControlSet%03lu", static_cast<unsigned long>(current));
  return name;
}

std::string LinkKeyPath(const DeviceId& device) { return InterfaceKeyPath(device) + "\\#\\Control"; }

bool SetLinked(const DeviceId& device, DWORD linked, std::string* error) {
  if (CurrentControlSetName().empty()) {
    *error = "HKLM\\SYSTEM\\Select has no Current value";
    return false;
  }
  return SetDword(LinkKeyPath(device), "Linked", linked, error);
}

bool ReadLinked(const DeviceId& device, DWORD* linked) {
  Key key(LinkKeyPath(device), false, nullptr);
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  if (key.get() == nullptr ||
      RegQueryValueExA(key.get(), "Linked", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return false;
  }
  *linked = value;
  return true;
}

bool FlipLinked(const DeviceId& device, DWORD* linked, std::string* error) {
  DWORD value = 0;
  ReadLinked(device, &value);
  value = value != 0 ? 0 : 1;
  if (!SetLinked(device, value, error)) return false;
  *linked = value;
  return true;
}

bool AddDevice(const NewDevice& device, std::string* error) {
  if (CurrentControlSetName().empty()) {
    *error = "HKLM\\SYSTEM\\Select has no Current value";
    return false;
  }
  const std::string enumKey = EnumKeyPath(device.id);
  const std::string hardware = "USB\\" + device.id.device;
  const std::string symbolic =
      "\\??\\USB#" + device.id.device + "#" + device.id.instance + "#" + device.id.interfaceClass;
  const std::string interfaceKey = InterfaceKeyPath(device.id);
  return SetString(enumKey, "DeviceDesc", device.description, error) &&
         SetString(enumKey, "LocationInformation", device.location, error) &&
         SetDword(enumKey, "Capabilities", device.capabilities, error) &&
         SetMultiString(enumKey, "HardwareID", {hardware + "&REV_" + device.revision, hardware}, error) &&
         SetMultiString(enumKey, "CompatibleIDs", {device.compatibleId}, error) &&
         SetDword(enumKey, "ConfigFlags", 0, error) && SetString(enumKey, "Service", "USBSTOR", error) &&
         SetString(enumKey + "\\Device Parameters", "SymbolicName", symbolic, error) &&
         SetString(interfaceKey, "DeviceInstance", "USB\\" + device.id.device + "\\" + device.id.instance, error) &&
         SetString(interfaceKey + "\\#", "SymbolicLink",
                   "\\\\?\\USB#" + device.id.device + "#" + device.id.instance + "#" + device.id.interfaceClass,
                   error) &&
         SetDword(LinkKeyPath(device.id), "Linked", device.linked, error);
}

bool RemoveDevice(const DeviceId& device, std::string* error) {
  for (const std::string& path : {EnumKeyPath(device), InterfaceKeyPath(device)}) {
    const LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
      *error = "cannot delete HKLM\\" + path + ": error " + std::to_string(status);
      return false;
    }
  }
  return true;
}

bool BroadcastDeviceChange(UINT timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(HWND_BROADCAST, WM_DEVICECHANGE, 0x0007 /* DBT_DEVNODES_CHANGED */, 0, SMTO_ABORTIFHUNG,
                             timeoutMs, &result) != 0;
}

bool SendDeviceChange(HWND window, UINT timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_DEVICECHANGE, 0x0007 /* DBT_DEVNODES_CHANGED */, 0, SMTO_ABORTIFHUNG, timeoutMs,
                             &result) != 0;
}

DWORD BurstDeviceChange(HWND target, int count, DWORD spanMs, const std::function<void(int)>& between) {
  const DWORD start = GetTickCount();
  DWORD last = start;
  for (int i = 0; i < count; ++i) {
    if (i > 0 && count > 1) {
      const DWORD due = start + spanMs * static_cast<DWORD>(i) / static_cast<DWORD>(count - 1);
      const DWORD now = GetTickCount();
      if (static_cast<LONG>(due - now) > 0) Sleep(due - now);
    }
    last = GetTickCount();
    if (target != nullptr) {
      SendDeviceChange(target, 200);
    } else {
      BroadcastDeviceChange(200);
    }
    if (between) between(i);
  }
  return last - start;
}

}  // namespace wrenhollow::e2e
