#pragma once

#include <cstdint>

#include "monitor/registry_source.h"

namespace wrenhollow {

// Size of the buffers that subkey names are enumerated into; the system is told one less, NUL included.
constexpr uint32_t kSubkeyNameSize = 1024;

// The reads the device monitor makes, each with the status of its Win32 call (0 on success) unless a bool.
class RegistryReader {
 public:
  explicit RegistryReader(RegistrySource& source) : source_(source) {}

  long OpenKey(RegKey parent, const char* path, RegKey* key) const { return source_.OpenKey(parent, path, key); }
  void CloseKey(RegKey key) const { source_.CloseKey(key); }

  // Reads up to four bytes whatever the value's type; only on success is *value changed.
  long QueryDword(RegKey key, const char* name, uint32_t* value) const;
  // Reads at most `limit` bytes into buffer[limit + 1] and terminates them; on failure buffer holds "".
  long QueryString(RegKey key, const char* name, char* buffer, uint32_t limit) const;
  // *size holds the buffer's bytes on entry and the data's bytes on success.
  long QueryBinary(RegKey key, const char* name, uint8_t* buffer, uint32_t* size) const;
  // OpenKey, EnumSubkey into name[kSubkeyNameSize].
  long EnumSubkey(RegKey key, uint32_t index, char* name) const;

  bool ReadDwordAt(RegKey parent, const char* path, const char* name, uint32_t* value) const;
  bool ReadStringAt(RegKey parent, const char* path, const char* name, char* buffer, uint32_t limit) const;

 private:
  RegistrySource& source_;
};

}  // namespace wrenhollow
