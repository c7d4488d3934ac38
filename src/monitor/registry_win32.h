#pragma once

#include "monitor/registry_source.h"

namespace wrenhollow {

// The real registry through advapi32's ANSI functions; kLocalMachine is HKEY_LOCAL_MACHINE.
class Win32Registry : public RegistrySource {
 public:
  long OpenKey(RegKey parent, const char* path, RegKey* key) override;
  void CloseKey(RegKey key) override;
  long QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) override;
  long EnumKey(RegKey key, uint32_t index, char* name, uint32_t* length) override;
};

}  // namespace wrenhollow
