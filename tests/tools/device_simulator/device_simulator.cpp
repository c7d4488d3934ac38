#include "device_simulator/device_simulator.h"

#include <cstdio>

namespace wrenhollow::e2e {
namespace {

constexpr char kControlSet[] = "SYSTEM\\ControlSet001";
constexpr char kUsbClass[] = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

// A REG_MULTI_SZ as REGEDIT4 writes it, from its items each ended by a NUL.
std::string MultiString(const std::string& items) {
  std::string hex = "hex(7):";
  char pair[4];
  for (char c : items + '\0') {
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
