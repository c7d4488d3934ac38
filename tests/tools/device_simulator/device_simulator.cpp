#include "device_simulator/device_simulator.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "portable/reg_file.h"

namespace wrenhollow::e2e {
namespace {

constexpr char kControlSet[] = "HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001";
constexpr char kUsbClass[] = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

// The registry API behind the .reg reader; keeps the first failure, as the reader expects no answers.
class Win32RegistryEditor : public RegistryEditor {
 public:
  void CreateKey(std::string_view path) override { RegCloseKey(Open(path)); }

  void DeleteKey(std::string_view path) override {
    std::string subkey;
    const LONG status = RegDeleteTreeA(Root(path, &subkey), subkey.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) Fail("cannot delete", path, status);
  }

  void SetValue(std::string_view path, const char* name, uint32_t type, const void* data, uint32_t size) override {
    HKEY key = Open(path);
    if (key == nullptr) return;
    const LONG status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) Fail("cannot set a value of", path, status);
  }

  void DeleteValue(std::string_view path, const char* name) override {
    HKEY key = Open(path);
    if (key == nullptr) return;
    const LONG status = RegDeleteValueA(key, name);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) Fail("cannot delete a value of", path, status);
  }

  std::string error;

 private:
  static HKEY Root(std::string_view path, std::string* subkey) {
    const size_t slash = std::min(path.find('\\'), path.size());
    *subkey = std::string(path.substr(std::min(slash + 1, path.size())));
    const std::string_view root = path.substr(0, slash);
    if (root == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
    if (root == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
    return nullptr;
  }

  HKEY Open(std::string_view path) {
    std::string subkey;
    const HKEY root = Root(path, &subkey);
    HKEY key = nullptr;
    const LONG status = root == nullptr ? ERROR_INVALID_PARAMETER
                                        : RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                          &key, nullptr);
    if (status != ERROR_SUCCESS) Fail("cannot create", path, status);
    return key;
  }

  void Fail(const char* what, std::string_view path, LONG status) {
    if (error.empty()) error = std::string(what) + " " + std::string(path) + " (" + std::to_string(status) + ")";
  }
};

// A REG_MULTI_SZ as REGEDIT4 writes it: the bytes of every item and its NUL, and the closing NUL.
std::string MultiString(const std::vector<std::string>& items) {
  std::string bytes;
  for (const std::string& item : items) bytes += item + '\0';
  std::string hex = "hex(7):";
  char pair[4];
  for (char c : bytes + '\0') {
    std::snprintf(pair, sizeof pair, "%02x,", static_cast<unsigned char>(c));
    hex += pair;
  }
  hex.pop_back();
  return hex;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) quoted += c == '\\' || c == '"' ? std::string("\\") + c : std::string(1, c);
  return quoted + "\"";
}

std::string InterfaceKey(const UsbDevice& device) {
  return std::string(kControlSet) + "\\Control\\DeviceClasses\\" + kUsbClass + "\\##?#USB#" + device.device + "#" +
         device.instance + "#" + kUsbClass;
}

}  // namespace

bool ApplyRegText(std::string_view text, std::string* error) {
  Win32RegistryEditor registry;
  RegFileError fileError;
  if (!LoadRegFile(text, registry, &fileError)) {
    *error = "line " + std::to_string(fileError.line) + ": " + fileError.message;
    return false;
  }
  *error = registry.error;
  return error->empty();
}

bool ApplyRegFile(const std::string& path, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  if (!file || !ApplyRegText(text.str(), error)) {
    *error = path + ": " + (file ? *error : "cannot be read");
    return false;
  }
  return true;
}

std::string NewDeviceText(const UsbDevice& device) {
  const std::string usb = "USB\\" + device.device;
  const std::string path = "USB#" + device.device + "#" + device.instance + "#" + kUsbClass;
  const std::string enumKey = std::string(kControlSet) + "\\Enum\\USB\\" + device.device + "\\" + device.instance;
  // 0x10 among the capabilities: the instance name is a unique serial number.
  return "[" + enumKey + "]\r\n\"DeviceDesc\"=" + Quoted(device.description) +
         "\r\n\"LocationInformation\"=" + Quoted(device.location) +
         "\r\n\"Capabilities\"=dword:00000094\r\n\"HardwareID\"=" + MultiString({usb + "&REV_0100", usb}) +
         "\r\n\"CompatibleIDs\"=" + MultiString({"USB\\Class_08&SubClass_06&Prot_50"}) +
         "\r\n\"ConfigFlags\"=dword:00000000\r\n\"Service\"=\"USBSTOR\"\r\n\r\n[" + enumKey +
         "\\Device Parameters]\r\n\"SymbolicName\"=" + Quoted("\\??\\" + path) + "\r\n\r\n[" + InterfaceKey(device) +
         "]\r\n\"DeviceInstance\"=" + Quoted(usb + "\\" + device.instance) + "\r\n\r\n[" + InterfaceKey(device) +
         "\\#]\r\n\"SymbolicLink\"=" + Quoted("\\\\?\\" + path) + "\r\n\r\n" + LinkedText(device, 1);
}

std::string LinkedText(const UsbDevice& device, int linked) {
  return "[" + InterfaceKey(device) + "\\#\\Control]\r\n\"Linked\"=dword:0000000" +
         std::to_string(linked) + "\r\n";
}

bool BroadcastDeviceChange(UINT timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(HWND_BROADCAST, WM_DEVICECHANGE, 0x0007 /* DBT_DEVNODES_CHANGED */, 0, SMTO_ABORTIFHUNG,
                             timeoutMs, &result) != 0;
}

}  // namespace wrenhollow::e2e
