#pragma once

#include <cstdint>
#include <string_view>

namespace wrenhollow {

// What a .reg file asks of a registry (reg_file.h), by full path from a root such as
// "HKEY_LOCAL_MACHINE\SYSTEM\Select". CreateKey makes missing parents; DeleteKey removes the whole subtree and
// is a no-op for a missing key; a null name means the key's default value; string data comes as ANSI bytes.
class RegistryEditor {
 public:
  virtual ~RegistryEditor() = default;
  virtual void CreateKey(std::string_view path) = 0;
  virtual void DeleteKey(std::string_view path) = 0;
  virtual void SetValue(std::string_view keyPath, const char* name, uint32_t type, const void* data,
                        uint32_t size) = 0;
  virtual void DeleteValue(std::string_view keyPath, const char* name) = 0;
};

}  // namespace wrenhollow
