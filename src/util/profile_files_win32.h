#pragma once

#include <cstddef>

#include "util/profile_files.h"

namespace wrenhollow {

// Private INI files through kernel32's GetPrivateProfileIntA, GetPrivateProfileStringA and
// WritePrivateProfileStringA.
class Win32ProfileFiles : public ProfileFiles {
 public:
  int ReadInt(const char* path, const char* section, const char* key, int defaultValue) override;
  size_t ReadString(const char* path, const char* section, const char* key, const char* defaultValue,
                    char* buffer, size_t size) override;
  bool WriteString(const char* path, const char* section, const char* key, const char* value) override;
};

}  // namespace wrenhollow
