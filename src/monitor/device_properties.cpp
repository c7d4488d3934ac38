#include "monitor/device_properties.h"

#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "monitor/hardware_id_text.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

constexpr int kHardwareIdSize = 4096;
constexpr int kCompatibleIdsSize = 1024;

template <int N>
void CopyKeyName(char (&field)[N], const char* name) {
  CopyBounded(field, kKeyNameMax + 1, name);
}

// "USB\Vid_0781&Pid_5567&Rev_0126" gives 126: the decimal digits after "&Rev_", which must not start the text.
uint32_t FirmwareRevision(const char* hardwareId) {
  const int at = FindNoCase(hardwareId, "&Rev_");
  if (at <= 0) return 0;
  std::string_view rest(hardwareId + at + 5);
  return ParseDecimalPrefix(rest.substr(0, rest.find('&')));
}

void ReadClassCodes(const char* compatibleId, UsbDeviceInfo& info) {
  if (!StartsWithNoCase(compatibleId, "usb\\")) return;
  ForEachTaggedPiece(compatibleId + 4, [&](std::string_view tag, std::string_view value) {
    if (EqualsNoCase(tag, "class")) info.classCode = ParseHexPrefix(value);
    else if (EqualsNoCase(tag, "subclass")) info.subclassCode = ParseHexPrefix(value);
    else if (EqualsNoCase(tag, "prot")) info.protocolCode = ParseHexPrefix(value);
  });
}

// An indirect description such as "@usb.inf,%usb.composite%;USB Composite Device" keeps only its plain text:
// the last non-empty ";"-separated piece.
void ReduceDescription(char (&description)[kDeviceTextSize]) {
  if (description[0] != '@' || std::strchr(description, ';') == nullptr) return;
  std::string_view text(description);
  std::string_view last;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) last = text.substr(start, std::min<size_t>(end - start, kKeyNameMax));
    start = end + 1;
  }
  char reduced[kDeviceTextSize];
  CopyBounded(reduced, sizeof reduced, last);
  CopyBounded(description, sizeof description, reduced);
}

}  // namespace

void ReadDeviceProperties(const RegistryReader& reader, const char* deviceName, const char* instanceName,
                          RegKey instanceKey, UsbDeviceInfo& info) {
  CopyKeyName(info.deviceKey, deviceName);
  CopyKeyName(info.instanceKey, instanceName);
  reader.QueryDword(instanceKey, "Capabilities", &info.capabilities);
  reader.QueryString(instanceKey, "DeviceDesc", info.description, sizeof info.description - 1);
  reader.QueryString(instanceKey, "LocationInformation", info.locationInformation,
                     sizeof info.locationInformation - 1);
  reader.QueryString(instanceKey, "ParentIdPrefix", info.parentIdPrefix, sizeof info.parentIdPrefix - 1);

  // Both values of "Device Parameters" through one open of the key.
  RegKey parameters;
  if (reader.OpenKey(instanceKey, "Device Parameters", &parameters) == kErrorSuccess) {
    reader.QueryString(parameters, "SymbolicName", info.symbolicName, sizeof info.symbolicName - 1);
    reader.QueryString(parameters, "PortName", info.portName, sizeof info.portName - 1);
    reader.CloseKey(parameters);
  }

  std::vector<char> hardwareId(kHardwareIdSize);
  if (reader.QueryString(instanceKey, "HardwareID", hardwareId.data(), kHardwareIdSize - 1) == kErrorSuccess) {
    info.firmwareRevision = FirmwareRevision(hardwareId.data());
  }

  if (info.capabilities & kCapabilityUniqueId) CopyBounded(info.serialNumber, sizeof info.serialNumber, info.instanceKey);

  char compatibleIds[kCompatibleIdsSize];
  if (reader.QueryString(instanceKey, "CompatibleIDs", compatibleIds, sizeof compatibleIds - 1) == kErrorSuccess) {
    ReadClassCodes(compatibleIds, info);
  }

  ReduceDescription(info.description);
}

void MatchStorageChildren(const RegistryReader& reader, RegKey controlSet, DeviceSnapshot& snapshot) {
  RegKey usbstor;
  if (reader.OpenKey(controlSet, "Enum\\USBSTOR", &usbstor) != kErrorSuccess) return;

  // Records by instance name, case folded, in snapshot order: every record of a name takes the child's names.
  std::unordered_map<std::string, std::vector<size_t>> recordsByInstance;
  for (size_t i = 0; i < snapshot.Count(); ++i) recordsByInstance[FoldCase(snapshot[i].instanceKey)].push_back(i);

  char deviceName[kSubkeyNameSize];
  for (uint32_t i = 0; reader.EnumSubkey(usbstor, i, deviceName) == kErrorSuccess; ++i) {
    RegKey device;
    if (reader.OpenKey(usbstor, deviceName, &device) != kErrorSuccess) continue;
    char instanceName[kSubkeyNameSize];
    for (uint32_t j = 0; reader.EnumSubkey(device, j, instanceName) == kErrorSuccess; ++j) {
      // The child is named after the USB serial number, up to its first "&": 0123456789AB&0.
      std::string_view name(instanceName);
      const auto matches = recordsByInstance.find(FoldCase(name.substr(0, name.find('&'))));
      if (matches == recordsByInstance.end()) continue;
      RegKey instance;
      if (reader.OpenKey(device, instanceName, &instance) != kErrorSuccess) continue;
      char friendlyName[kDeviceTextSize];
      char parentIdPrefix[kDeviceTextSize];
      reader.QueryString(instance, "FriendlyName", friendlyName, sizeof friendlyName - 1);
      reader.QueryString(instance, "ParentIdPrefix", parentIdPrefix, sizeof parentIdPrefix - 1);
      reader.CloseKey(instance);
      for (size_t index : matches->second) {
        UsbDeviceInfo& info = snapshot[index];
        CopyKeyName(info.storageDeviceKey, deviceName);
        CopyKeyName(info.storageInstanceKey, instanceName);
        if (friendlyName[0] != '\0') CopyBounded(info.description, sizeof info.description, friendlyName);
        if (parentIdPrefix[0] != '\0') CopyBounded(info.parentIdPrefix, sizeof info.parentIdPrefix, parentIdPrefix);
      }
    }
    reader.CloseKey(device);
  }
  reader.CloseKey(usbstor);
}

}  // namespace wrenhollow
