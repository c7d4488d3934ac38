#include "monitor/registry_reader.h"

#include <algorithm>
#include <cstring>

namespace wrenhollow {

long RegistryReader::QueryDword(RegKey key, const char* name, uint32_t* value) const {
  // A shorter value overwrites only the low bytes, as RegQueryValueExA into the destination itself would; the
  // copy keeps the destination intact on failure, when the system leaves the buffer undefined.
  uint8_t bytes[sizeof(uint32_t)];
  std::memcpy(bytes, value, sizeof bytes);
  uint32_t type = 0;
  uint32_t size = sizeof bytes;
  const long status = source_.QueryValue(key, name, &type, bytes, &size);
  if (status != kErrorSuccess) return status;
  std::memcpy(value, bytes, sizeof bytes);
  return status;
}

long RegistryReader::QueryString(RegKey key, const char* name, char* buffer, uint32_t limit) const {
  uint32_t type = 0;
  uint32_t size = limit;
  const long status = source_.QueryValue(key, name, &type, reinterpret_cast<uint8_t*>(buffer), &size);
  if (status != kErrorSuccess) {
    buffer[0] = '\0';
    return status;
  }
  buffer[size >= 1 ? std::min(size, limit) : 0] = '\0';
  return status;
}

long RegistryReader::QueryBinary(RegKey key, const char* name, uint8_t* buffer, uint32_t* size) const {
  uint32_t type = 0;
  return source_.QueryValue(key, name, &type, buffer, size);
}

long RegistryReader::EnumSubkey(RegKey key, uint32_t index, char* name) const {
  uint32_t length = kSubkeyNameSize - 1;
  return source_.EnumKey(key, index, name, &length);
}

bool RegistryReader::ReadDwordAt(RegKey parent, const char* path, const char* name, uint32_t* value) const {
  RegKey key = 0;
  if (source_.OpenKey(parent, path, &key) != kErrorSuccess) return false;
  const long status = QueryDword(key, name, value);
  source_.CloseKey(key);
  return status == kErrorSuccess;
}

bool RegistryReader::ReadStringAt(RegKey parent, const char* path, const char* name, char* buffer,
                                  uint32_t limit) const {
  RegKey key = 0;
  if (source_.OpenKey(parent, path, &key) != kErrorSuccess) {
    buffer[0] = '\0';
    return false;
  }
  const long status = QueryString(key, name, buffer, limit);
  source_.CloseKey(key);
  return status == kErrorSuccess;
}

}  // namespace wrenhollow
