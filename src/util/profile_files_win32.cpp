#include "util/profile_files_win32.h"

#include <windows.h>

#include <limits>

namespace wrenhollow {

int Win32ProfileFiles::ReadInt(const char* path, const char* section, const char* key, int defaultValue) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, path));
}

size_t Win32ProfileFiles::ReadString(const char* path, const char* section, const char* key,
                                     const char* defaultValue, char* buffer, size_t size) {
  if (size == 0) return 0;
  // The function takes a 32-bit size; a larger buffer is only partly used.
  const DWORD limit = size > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                               : static_cast<DWORD>(size);
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, limit, path);
}

bool Win32ProfileFiles::WriteString(const char* path, const char* section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section, key, value, path) != FALSE;
}

}  // namespace wrenhollow
