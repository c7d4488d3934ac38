#include "device_tree.h"

#include <cstdio>
#include <string>

#include "monitor/registry_source.h"

namespace wrenhollow::bench {
namespace {

const std::string kControlSet = "SYSTEM\\ControlSet001\\";
const std::string kUsbClass = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

// String values are written as the ANSI bytes the "A" functions exchange, NUL included.
void SetString(RegistryWriter& writer, const std::string& key, const char* name, const std::string& text,
               uint32_t type = kRegSz) {
  writer.Set(key, name, type, text.c_str(), static_cast<uint32_t>(text.size() + 1));
}

void SetMulti(RegistryWriter& writer, const std::string& key, const char* name, const std::string& first,
              const std::string& second) {
  const std::string data = first + '\0' + second + '\0' + '\0';
  writer.Set(key, name, kRegMultiSz, data.data(), static_cast<uint32_t>(data.size()));
}

void SetDword(RegistryWriter& writer, const std::string& key, const char* name, uint32_t value) {
  writer.Set(key, name, kRegDword, &value, sizeof value);
}

std::string Format(const char* format, int a, int b = 0) {
  char text[128];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

std::string DeviceName(int device) { return Format("VID_%04X&PID_%04X", 0x1000 + device / 16, device % 16); }
std::string SerialOf(int device) { return Format("SN%08d", device); }
std::string InterfaceKeyOf(int device) {
  return kControlSet + "Control\\DeviceClasses\\" + kUsbClass + "\\##?#USB#" + DeviceName(device) + "#" +
         SerialOf(device) + "#" + kUsbClass;
}

}  // namespace

void WriteDeviceHistory(RegistryWriter& writer, int devices) {
  constexpr char kProperties[] = "\\Properties\\{83da6326-97a6-4088-9453-a1923f573b29}\\";
  constexpr uint32_t kFileTimeProperty = 0xFFFF0010;
  for (int i = 0; i < devices; ++i) {
    const std::string instance = "SYSTEM\\CurrentControlSet\\Enum\\USB\\" + DeviceName(i) + "\\" + SerialOf(i);
    SetString(writer, instance, "ClassGUID", "{36fc9e60-c465-11cf-8056-444553540000}");
    const uint64_t installed = 133000000000000000ull + static_cast<uint64_t>(i) * 10000000;
    const uint64_t times[] = {installed, installed + 3600ull * 10000000, installed + 7200ull * 10000000};
    const char* const keys[] = {"0065", "0066", "0067"};
    for (int n = 0; n < (i % 2 == 1 ? 3 : 2); ++n) {
      writer.Set(instance + kProperties + keys[n], "", kFileTimeProperty, &times[n], sizeof times[n]);
    }
  }
}

std::string LinkedKeyOf(int device) { return InterfaceKeyOf(device) + "\\#\\Control"; }

void WriteDeviceTree(RegistryWriter& writer, int devices) {
  SetDword(writer, "SYSTEM\\Select", "Current", 1);
  for (int i = 0; i < devices; ++i) {
    const std::string device = DeviceName(i);
    const std::string serial = SerialOf(i);
    const std::string instance = kControlSet + "Enum\\USB\\" + device + "\\" + serial;
    const bool storage = i % 10 == 0;
    const bool withoutPath = i % 5 == 1;

    SetDword(writer, instance, "Capabilities", 0x94);
    SetDword(writer, instance, "Address", 1 + i % 8);
    SetDword(writer, instance, "ConfigFlags", 0);
    SetString(writer, instance, "DeviceDesc",
              storage ? "@usbstor.inf,%usbstor.devicedesc%;USB Mass Storage Device"
                      : "@input.inf,%hid.devicedesc%;USB Input Device");
    SetString(writer, instance, "LocationInformation", Format("Port_#%04d.Hub_#%04d", 1 + i % 8, 1 + i / 8 % 4));
    SetString(writer, instance, "ContainerID", Format("{8c2a1d9e-5b3f-5e1a-9c77-%012d}", i));
    SetString(writer, instance, "ClassGUID", "{36fc9e60-c465-11cf-8056-444553540000}");
    SetString(writer, instance, "Driver", Format("{36fc9e60-c465-11cf-8056-444553540000}\\%04d", i));
    SetString(writer, instance, "Mfg", "@usb.inf,%generic.mfg%;(Standard USB Host Controller)");
    SetString(writer, instance, "Service", storage ? "USBSTOR" : "HidUsb");
    SetMulti(writer, instance, "HardwareID", "USB\\" + device + "&REV_0100", "USB\\" + device);
    SetMulti(writer, instance, "CompatibleIDs", storage ? "USB\\Class_08&SubClass_06&Prot_50" : "USB\\Class_03&SubClass_01&Prot_02",
             storage ? "USB\\Class_08&SubClass_06" : "USB\\Class_03&SubClass_01");

    const std::string parameters = instance + "\\Device Parameters";
    SetDword(writer, parameters, "EnhancedPowerManagementEnabled", 1);
    if (!withoutPath) SetString(writer, parameters, "SymbolicName", "\\??\\USB#" + device + "#" + serial + "#" + kUsbClass);

    const std::string interfaceKey = InterfaceKeyOf(i);
    SetString(writer, interfaceKey, "DeviceInstance", "USB\\" + device + "\\" + serial);
    SetString(writer, interfaceKey + "\\#", "SymbolicLink", "\\\\?\\USB#" + device + "#" + serial + "#" + kUsbClass);
    if (i % 2 == 0) SetDword(writer, LinkedKeyOf(i), "Linked", 1);

    if (storage) {
      const std::string child = kControlSet + "Enum\\USBSTOR\\Disk&Ven_Bench&Prod_Stick&Rev_1.00\\" + serial + "&0";
      SetString(writer, child, "FriendlyName", "Bench Stick USB Device");
      SetString(writer, child, "ParentIdPrefix", Format("7&%x&0", 0x100000 + i));
    }
  }
  // A few volumes, as on a machine with several sticks attached.
  for (int letter = 0; letter < 4 && letter * 10 < devices; ++letter) {
    std::u16string path;
    for (char c : "_??_USBSTOR#Disk&Ven_Bench&Prod_Stick&Rev_1.00#" + Format("SN%08d", letter * 10) +
                      "&0#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}") {
      path += static_cast<char16_t>(c);
    }
    std::string name = "\\DosDevices\\" + std::string(1, static_cast<char>('E' + letter)) + ":";
    writer.Set("SYSTEM\\MountedDevices", name.c_str(), kRegBinary, path.data(),
               static_cast<uint32_t>(path.size() * sizeof(char16_t)));
  }
}

}  // namespace wrenhollow::bench
