#include "device_simulator/device_simulator.h"

#include <cstdio>
#include <string_view>

#include "portable/reg_file.h"
#include "portable/registry_editor.h"
#include "util/text.h"

namespace wrenhollow::e2e {
namespace {

constexpr char kControlSet[] = "SYSTEM\\ControlSet001";
constexpr char kUsbClass[] = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
// The property set of the install, arrival and removal dates; a property's key is its number in hex.
constexpr char kDatesPropertySet[] = "{83da6326-97a6-4088-9453-a1923f573b29}";

// Bytes as .reg text writes them after "hex(N):", "01,ab,...".
std::string HexBytes(const std::string& bytes) {
  std::string hex;
  char pair[4];
  for (char c : bytes) {
    std::snprintf(pair, sizeof pair, "%02x,", static_cast<unsigned char>(c));
    hex += pair;
  }
  hex.pop_back();
  return hex;
}

// A REG_MULTI_SZ as REGEDIT4 writes it, from its items each ended by a NUL.
std::string MultiString(const std::string& items) { return "hex(7):" + HexBytes(items + '\0'); }

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) quoted += c == '\\' || c == '"' ? std::string("\\") + c : std::string(1, c);
  return quoted + "\"";
}

std::string InterfaceKey(const UsbDevice& device) {
  return std::string(kControlSet) + "\\Control\\DeviceClasses\\" + kUsbClass + "\\##?#USB#" + device.device + "#" +
         device.instance + "#" + kUsbClass;
}

// A FILETIME as the default value of one property key, in .reg text; nothing for 0.
std::string TimePropertyText(const std::string& instanceKey, const char* property, FileTime time) {
  if (time == 0) return "";
  std::string bytes;
  for (int byte = 0; byte < 8; ++byte) bytes += static_cast<char>(time >> (8 * byte));
  return "[" + instanceKey + "\\Properties\\" + kDatesPropertySet + "\\" + property + "]\r\n@=hex(ffff0010):" +
         HexBytes(bytes) + "\r\n\r\n";
}

// The registry as a .reg file changes it, through the ANSI registry functions; remembers the first failure.
class Win32RegistryEditor : public RegistryEditor {
 public:
  void CreateKey(std::string_view path) override {
    HKEY key = Create(path);
    if (key != nullptr) RegCloseKey(key);
  }
  void DeleteKey(std::string_view path) override {
    std::string subkey;
    const HKEY root = Root(path, &subkey);
    const LSTATUS status = RegDeleteTreeA(root, subkey.c_str());
    if (status == ERROR_SUCCESS) {
      Check(RegDeleteKeyA(root, subkey.c_str()), "RegDeleteKeyA", path);
    } else if (status != ERROR_FILE_NOT_FOUND) {
      Check(status, "RegDeleteTreeA", path);
    }
  }
  void SetValue(std::string_view keyPath, const char* name, uint32_t type, const void* data,
                uint32_t size) override {
    HKEY key = Create(keyPath);
    if (key == nullptr) return;
    Check(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), "RegSetValueExA", keyPath);
    RegCloseKey(key);
  }
  void DeleteValue(std::string_view keyPath, const char* name) override {
    std::string subkey;
    const HKEY root = Root(keyPath, &subkey);
    const LSTATUS status = RegDeleteKeyValueA(root, subkey.c_str(), name);
    if (status != ERROR_FILE_NOT_FOUND) Check(status, "RegDeleteKeyValueA", keyPath);
  }

  const std::string& Failure() const { return failure_; }

 private:
  // The root key a .reg path starts with (the loader has checked it is one of these), and the rest.
  static HKEY Root(std::string_view path, std::string* subkey) {
    const size_t separator = path.find('\\');
    const std::string_view root = path.substr(0, separator);
    *subkey = separator == std::string_view::npos ? "" : std::string(path.substr(separator + 1));
    if (EqualsNoCase(root, "HKEY_CURRENT_USER")) return HKEY_CURRENT_USER;
    if (EqualsNoCase(root, "HKEY_CLASSES_ROOT")) return HKEY_CLASSES_ROOT;
    if (EqualsNoCase(root, "HKEY_USERS")) return HKEY_USERS;
    if (EqualsNoCase(root, "HKEY_CURRENT_CONFIG")) return HKEY_CURRENT_CONFIG;
    return HKEY_LOCAL_MACHINE;
  }

  HKEY Create(std::string_view path) {
    std::string subkey;
    const HKEY root = Root(path, &subkey);
    HKEY key = nullptr;
    if (!Check(RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
               "RegCreateKeyExA", path)) {
      return nullptr;
    }
    return key;
  }

  bool Check(LSTATUS status, const char* call, std::string_view path) {
    if (status == ERROR_SUCCESS) return true;
    if (failure_.empty()) {
      failure_ = std::string(call) + " of " + std::string(path) + ": error " + std::to_string(status);
    }
    return false;
  }

  std::string failure_;
};

}  // namespace

std::string HistoryText(const UsbDevice& device, FileTime firstInstall, FileTime arrival, FileTime removal) {
  std::string text;
  for (const char* controlSet : {kControlSet, "SYSTEM\\CurrentControlSet"}) {
    const std::string instanceKey = std::string("HKEY_LOCAL_MACHINE\\") + controlSet + "\\Enum\\USB\\" +
                                    device.device + "\\" + device.instance;
    text += "[" + instanceKey + "]\r\n\"ClassGUID\"=\"{36fc9e60-c465-11cf-8056-444553540000}\"\r\n\r\n" +
            TimePropertyText(instanceKey, "0065", firstInstall) + TimePropertyText(instanceKey, "0066", arrival) +
            TimePropertyText(instanceKey, "0067", removal);
  }
  return text;
}

bool ApplyRegText(const std::string& regText, std::string* error) {
  Win32RegistryEditor registry;
  RegFileError malformed;
  if (!LoadRegFile(regText, registry, &malformed)) {
    *error = "line " + std::to_string(malformed.line) + ": " + malformed.message;
    return false;
  }
  *error = registry.Failure();
  return error->empty();
}

std::string NewDeviceText(const UsbDevice& device) {
  const std::string usb = "USB\\" + device.device;
  const std::string path = "USB#" + device.device + "#" + device.instance + "#" + kUsbClass;
  const std::string enumKey = "HKEY_LOCAL_MACHINE\\" + std::string(kControlSet) + "\\Enum\\USB\\" + device.device +
                              "\\" + device.instance;
  const std::string interfaceKey = "HKEY_LOCAL_MACHINE\\" + InterfaceKey(device);
  // 0x10 among the capabilities: the instance name is a unique serial number.
  return "[" + enumKey + "]\r\n\"DeviceDesc\"=" + Quoted(device.description) +
         "\r\n\"LocationInformation\"=" + Quoted(device.location) +
         "\r\n\"Capabilities\"=dword:00000094\r\n\"HardwareID\"=" + MultiString(usb + "&REV_0100" + '\0' + usb + '\0') +
         "\r\n\"CompatibleIDs\"=" + MultiString(std::string("USB\\Class_08&SubClass_06&Prot_50") + '\0') +
         "\r\n\"ConfigFlags\"=dword:00000000\r\n\"Service\"=\"USBSTOR\"\r\n\r\n[" + enumKey +
         "\\Device Parameters]\r\n\"SymbolicName\"=" + Quoted("\\??\\" + path) + "\r\n\r\n[" + interfaceKey +
         "]\r\n\"DeviceInstance\"=" + Quoted(usb + "\\" + device.instance) + "\r\n\r\n[" + interfaceKey +
         "\\#]\r\n\"SymbolicLink\"=" + Quoted("\\\\?\\" + path) + "\r\n\r\n" + LinkedText(device, 1);
}

std::string LinkedText(const UsbDevice& device, int linked) {
  return "[HKEY_LOCAL_MACHINE\\" + InterfaceKey(device) + "\\#\\Control]\r\n\"Linked\"=dword:0000000" +
         std::to_string(linked) + "\r\n";
}

bool SetLinked(const UsbDevice& device, DWORD linked) {
  return RegSetKeyValueA(HKEY_LOCAL_MACHINE, (InterfaceKey(device) + "\\#\\Control").c_str(), "Linked", REG_DWORD,
                         &linked, sizeof linked) == ERROR_SUCCESS;
}

bool BroadcastDeviceChange(UINT timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(HWND_BROADCAST, WM_DEVICECHANGE, 0x0007 /* DBT_DEVNODES_CHANGED */, 0, SMTO_ABORTIFHUNG,
                             timeoutMs, &result) != 0;
}

}  // namespace wrenhollow::e2e
