#pragma once

#include <cstddef>

namespace wrenhollow {

// Private INI files, as GetPrivateProfileIntA, GetPrivateProfileStringA and WritePrivateProfileStringA read and
// write them: sections and keys compared without regard to case, values on single lines, a missing file or key
// giving the default.
class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;

  // GetPrivateProfileIntA.
  virtual int ReadInt(const char* path, const char* section, const char* key, int defaultValue) = 0;
  // GetPrivateProfileStringA for one key: at most size - 1 characters and a terminator (size > 0); returns the
  // characters stored.
  virtual size_t ReadString(const char* path, const char* section, const char* key, const char* defaultValue,
                            char* buffer, size_t size) = 0;
  // WritePrivateProfileStringA for one key; a null value deletes the key. Returns whether the file was written.
  virtual bool WriteString(const char* path, const char* section, const char* key, const char* value) = 0;
};

}  // namespace wrenhollow
