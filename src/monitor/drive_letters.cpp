#include "monitor/drive_letters.h"

#include <cstdio>
#include <cstring>

#include "util/code_page.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

constexpr uint32_t kMountedValueReadSize = 1000;
constexpr size_t kMountedValueBufferSize = 1024;
constexpr size_t kVolumeTextSize = 256;
constexpr int kDiskEnumTextSize = 1024;
constexpr const char* kDiskEnumPath = "SYSTEM\\CurrentControlSet\\Services\\Disk\\Enum";

bool IsLongerThanFour(const char* text) { return std::strlen(text) > 4; }

}  // namespace

void AssignMountedDeviceLetters(const RegistryReader& reader, RegKey mountedDevices, char code,
                                DeviceSnapshot& snapshot) {
  char valueName[] = "\\DosDevices\\A:";
  valueName[12] = code;
  uint8_t data[kMountedValueBufferSize] = {};
  uint32_t size = kMountedValueReadSize;
  if (reader.QueryBinary(mountedDevices, valueName, data, &size) != kErrorSuccess) return;
  if (size > kMountedValueReadSize) return;
  // Three zero bytes end the data as a UTF-16 text even when its length is odd.
  data[size] = data[size + 1] = data[size + 2] = 0;

  // Only device paths ("\??\..." or "_??_..." in UTF-16) name a device; fixed disks hold raw signatures.
  if ((data[0] != '\\' && data[0] != '_') || data[2] != '?' || data[4] != '?') return;
  char16_t units[kMountedValueBufferSize / 2];
  size_t count = 0;
  for (; count < kMountedValueBufferSize / 2; ++count) {
    units[count] = static_cast<char16_t>(data[2 * count] | (data[2 * count + 1] << 8));
    if (units[count] == 0) break;
  }
  char text[kVolumeTextSize] = {};
  WideToAnsi(units, count, text, kVolumeTextSize - 1);

  for (UsbDeviceInfo& info : snapshot) {
    if (IsLongerThanFour(info.parentIdPrefix) && FindNoCase(text, info.parentIdPrefix) >= 0) {
      AddDriveLetter(info, code);
    }
    if (IsLongerThanFour(info.serialNumber) && FindNoCase(text, info.serialNumber) >= 0) {
      AddDriveLetter(info, code);
    }
  }
}

void AssignVolumeLetters(const RegistryReader& reader, VolumeSource& volumes, DeviceSnapshot& snapshot) {
  const uint32_t present = volumes.LogicalDrives();
  for (int bit = 0; bit < 26; ++bit) {
    if ((present & (1u << bit)) == 0) continue;
    const char letter = static_cast<char>('A' + bit);
    if (volumes.DriveType(letter) == kDriveRemote) continue;
    StorageDeviceNumber number = {};
    if (!volumes.QueryDeviceNumber(letter, &number) || number.deviceType != kFileDeviceDisk) continue;

    // The disk driver lists each disk's device instance by disk number.
    char valueName[16];
    std::snprintf(valueName, sizeof valueName, "%u", number.deviceNumber);
    char instancePath[kDiskEnumTextSize];
    if (!reader.ReadStringAt(kLocalMachine, kDiskEnumPath, valueName, instancePath, kDiskEnumTextSize - 1)) continue;
    if (!StartsWithNoCase(instancePath, "USBSTOR")) continue;

    for (UsbDeviceInfo& info : snapshot) {
      if (info.storageDeviceKey[0] == '\0') continue;
      char storagePath[2 * kDeviceTextSize + 16];
      std::snprintf(storagePath, sizeof storagePath, "USBSTOR\\%s\\%s", info.storageDeviceKey,
                    info.storageInstanceKey);
      if (EqualsNoCase(storagePath, instancePath)) AddDriveLetter(info, letter);
    }
  }
}

void AddDriveLetter(UsbDeviceInfo& info, char letter) {
  for (char& slot : info.driveLetters) {
    if (slot == letter) return;
    if (slot == '\0') {
      slot = letter;
      return;
    }
  }
  info.driveLetters[0] = letter;
}

}  // namespace wrenhollow
