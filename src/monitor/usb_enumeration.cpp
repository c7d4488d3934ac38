#include "monitor/usb_enumeration.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "monitor/device_properties.h"
#include "monitor/hardware_id_text.h"
#include "monitor/pattern_matcher.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

constexpr int kPathSize = 1024;

void WalkUsbInstances(const RegistryReader& reader, RegKey controlSet, DeviceSnapshot& snapshot) {
  RegKey usb;
  if (reader.OpenKey(controlSet, "Enum\\USB", &usb) != kErrorSuccess) return;
  char deviceName[kSubkeyNameSize];
  for (uint32_t i = 0; reader.EnumSubkey(usb, i, deviceName) == kErrorSuccess; ++i) {
    RegKey device;
    if (reader.OpenKey(usb, deviceName, &device) != kErrorSuccess) continue;
    char instanceName[kSubkeyNameSize];
    for (uint32_t j = 0; reader.EnumSubkey(device, j, instanceName) == kErrorSuccess; ++j) {
      RegKey instance;
      if (reader.OpenKey(device, instanceName, &instance) != kErrorSuccess) continue;
      UsbDeviceInfo info{};
      ReadDeviceProperties(reader, deviceName, instanceName, instance, info);
      ParseVendorProduct(info);
      snapshot.Add(info);
      reader.CloseKey(instance);
    }
    reader.CloseKey(device);
  }
  reader.CloseKey(usb);
}

// Tests each record under the class its interface path names: the USB device class directly, any other
// class by the path's text from its last "{".
void FirstLinkPass(const RegistryReader& reader, RegKey controlSet, DeviceSnapshot& snapshot) {
  RegKey usbClass;
  const std::string usbClassPath = std::string("Control\\DeviceClasses\\") + kUsbDeviceInterfaceClass;
  if (reader.OpenKey(controlSet, usbClassPath.c_str(), &usbClass) != kErrorSuccess) return;
  for (UsbDeviceInfo& info : snapshot) {
    if (FindNoCase(info.symbolicName, kUsbDeviceInterfaceClass) >= 0) {
      TestLinked(reader, info, usbClass);
      continue;
    }
    const char* classText = std::strrchr(info.symbolicName, '{');
    if (classText == nullptr) continue;
    char classPath[kPathSize];
    std::snprintf(classPath, sizeof classPath, "Control\\DeviceClasses\\%s", classText);
    RegKey otherClass;
    if (reader.OpenKey(controlSet, classPath, &otherClass) != kErrorSuccess) continue;
    TestLinked(reader, info, otherClass);
    reader.CloseKey(otherClass);
  }
  reader.CloseKey(usbClass);
}

// Records without an interface path are linked through any interface, of any class, whose key name contains
// "deviceKey#instanceKey"; the last such interface in enumeration order decides. One multi-pattern search
// per interface name keeps this linear in the number of records.
void SecondLinkPass(const RegistryReader& reader, RegKey controlSet, DeviceSnapshot& snapshot) {
  PatternMatcher matcher;
  std::vector<std::vector<size_t>> recordsByPattern;
  for (size_t i = 0; i < snapshot.Count(); ++i) {
    const UsbDeviceInfo& info = snapshot[i];
    if (info.symbolicName[0] != '\0') continue;
    char pattern[kSymbolicNameSize];
    std::snprintf(pattern, sizeof pattern, "%s#%s", info.deviceKey, info.instanceKey);
    const auto id = static_cast<size_t>(matcher.Add(pattern));
    if (id == recordsByPattern.size()) recordsByPattern.emplace_back();
    recordsByPattern[id].push_back(i);
  }
  if (recordsByPattern.empty()) return;
  matcher.Build();

  RegKey classes;
  if (reader.OpenKey(controlSet, "Control\\DeviceClasses", &classes) != kErrorSuccess) return;
  char className[kSubkeyNameSize];
  for (uint32_t i = 0; reader.EnumSubkey(classes, i, className) == kErrorSuccess; ++i) {
    RegKey interfaceClass;
    if (reader.OpenKey(classes, className, &interfaceClass) != kErrorSuccess) continue;
    char interfaceName[kSubkeyNameSize];
    for (uint32_t j = 0; reader.EnumSubkey(interfaceClass, j, interfaceName) == kErrorSuccess; ++j) {
      std::vector<size_t> matched;
      matcher.Search(interfaceName, [&](int id) {
        for (size_t index : recordsByPattern[static_cast<size_t>(id)]) matched.push_back(index);
      });
      if (matched.empty()) continue;
      // Every matching record would test this same interface: test it once.
      UsbDeviceInfo probe{};
      CopyBounded(probe.symbolicName, kSymbolicNameSize - 1, interfaceName);
      TestLinked(reader, probe, interfaceClass);
      for (size_t index : matched) snapshot[index].connected = probe.connected;
    }
    reader.CloseKey(interfaceClass);
  }
  reader.CloseKey(classes);
}

}  // namespace

void EnumerateUsbDevices(const RegistryReader& reader, RegKey controlSet, DeviceSnapshot& snapshot) {
  WalkUsbInstances(reader, controlSet, snapshot);
  FirstLinkPass(reader, controlSet, snapshot);
  MatchStorageChildren(reader, controlSet, snapshot);
  SecondLinkPass(reader, controlSet, snapshot);
}

void TestLinked(const RegistryReader& reader, UsbDeviceInfo& info, RegKey interfaceClass) {
  info.connected = 0;
  if (info.symbolicName[0] == '\0') return;
  // \??\USB#Vid_0781&Pid_5567#0123#{...} is the key ##?#USB#Vid_0781&Pid_5567#0123#{...}\#\Control.
  const size_t length = std::strlen(info.symbolicName);
  char path[kPathSize];
  std::snprintf(path, sizeof path, "##?#%s\\#\\Control", length > 4 ? info.symbolicName + 4 : "");
  RegKey control;
  if (reader.OpenKey(interfaceClass, path, &control) != kErrorSuccess) return;
  uint32_t linked = 0;
  reader.QueryDword(control, "Linked", &linked);
  reader.CloseKey(control);
  info.connected = linked != 0 ? 1 : 0;
}

void ParseVendorProduct(UsbDeviceInfo& info) {
  uint32_t vendorId = 0;
  uint32_t productId = 0;
  const int pieces = ForEachTaggedPiece(info.deviceKey, [&](std::string_view tag, std::string_view value) {
    if (EqualsNoCase(tag, "vid")) vendorId = ParseHexPrefix(value);
    else if (EqualsNoCase(tag, "pid")) productId = ParseHexPrefix(value);
  });
  if (pieces < 2) return;
  info.vendorId = vendorId;
  info.productId = productId;
}

}  // namespace wrenhollow
