#pragma once

#include <cstdint>

namespace wrenhollow {

// Win32 status codes that the registry reading produces or acts on.
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorNotEnoughMemory = 8;
constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorMoreData = 234;
constexpr long kErrorNoMoreItems = 259;

// Registry value types.
constexpr uint32_t kRegNone = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;
constexpr uint32_t kRegQword = 11;

// An open key. 0 is never a key; kLocalMachine is HKEY_LOCAL_MACHINE's value and is never closed.
using RegKey = std::uintptr_t;
constexpr RegKey kLocalMachine = 0x80000002;

// The read-only registry as the ANSI Win32 functions present it: names and string data in the ANSI code page,
// names compared without regard to case, subkeys enumerated in the registry's own order. Every key a caller
// opens it closes itself. A failing call leaves its outputs untouched unless stated otherwise.
class RegistrySource {
 public:
  virtual ~RegistrySource() = default;

  // RegOpenKeyExA(parent, path, 0, KEY_READ, key): path is relative and may hold backslashes.
  virtual long OpenKey(RegKey parent, const char* path, RegKey* key) = 0;
  // RegCloseKey.
  virtual void CloseKey(RegKey key) = 0;
  // RegQueryValueExA. *size holds the buffer's bytes on entry and the data's bytes on return, also when the
  // result is kErrorMoreData (the buffer is then unchanged). String types come back as ANSI bytes.
  virtual long QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) = 0;
  // RegEnumKeyExA. *length holds the buffer's characters, the NUL included, on entry and the name's length
  // without its NUL on success. A name that does not fit gives kErrorMoreData.
  virtual long EnumKey(RegKey key, uint32_t index, char* name, uint32_t* length) = 0;
};

}  // namespace wrenhollow
