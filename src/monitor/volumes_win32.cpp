#include "monitor/volumes_win32.h"

#include <windows.h>
#include <winioctl.h>

namespace wrenhollow {

uint32_t Win32Volumes::LogicalDrives() { return GetLogicalDrives(); }

uint32_t Win32Volumes::DriveType(char letter) {
  const char root[] = {letter, ':', '\\', '\0'};
  return GetDriveTypeA(root);
}

bool Win32Volumes::QueryDeviceNumber(char letter, StorageDeviceNumber* number) {
  const char path[] = {'\\', '\\', '.', '\\', letter, ':', '\0'};
  HANDLE volume = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (volume == INVALID_HANDLE_VALUE) return false;
  STORAGE_DEVICE_NUMBER answer = {};
  DWORD returned = 0;
  const BOOL ok = DeviceIoControl(volume, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &answer, sizeof answer,
                                  &returned, nullptr);
  CloseHandle(volume);
  if (!ok) return false;
  *number = StorageDeviceNumber{answer.DeviceType, answer.DeviceNumber, answer.PartitionNumber};
  return true;
}

}  // namespace wrenhollow
