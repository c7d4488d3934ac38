#include "monitor/registry_win32.h"

#include <windows.h>

namespace wrenhollow {
namespace {

constexpr REGSAM kKeyRead = 0x20019;

HKEY ToHkey(RegKey key) { return key == kLocalMachine ? HKEY_LOCAL_MACHINE : reinterpret_cast<HKEY>(key); }

}  // namespace

long Win32Registry::OpenKey(RegKey parent, const char* path, RegKey* key) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(ToHkey(parent), path, 0, kKeyRead, &opened);
  if (status == ERROR_SUCCESS) *key = reinterpret_cast<RegKey>(opened);
  return status;
}

void Win32Registry::CloseKey(RegKey key) {
  if (key != kLocalMachine) RegCloseKey(ToHkey(key));
}

long Win32Registry::QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) {
  DWORD valueType = 0;
  DWORD bytes = size ? *size : 0;
  const LONG status = RegQueryValueExA(ToHkey(key), name, nullptr, &valueType, data, size ? &bytes : nullptr);
  if (type && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *type = valueType;
  if (size && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *size = bytes;
  return status;
}

long Win32Registry::EnumKey(RegKey key, uint32_t index, char* name, uint32_t* length) {
  DWORD chars = length ? *length : 0;
  FILETIME lastWrite;
  const LONG status = RegEnumKeyExA(ToHkey(key), index, name, length ? &chars : nullptr, nullptr, nullptr, nullptr,
                                    &lastWrite);
  if (status == ERROR_SUCCESS) *length = chars;
  return status;
}

}  // namespace wrenhollow
