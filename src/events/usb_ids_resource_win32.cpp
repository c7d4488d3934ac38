#include "events/usb_ids_resource_win32.h"

#include <windows.h>

#include <cstring>

namespace wrenhollow {

std::string_view ResourceUsbIds() {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(kUsbIdsResource), "BIN");
  if (resource == nullptr) return {};
  HGLOBAL loaded = LoadResource(nullptr, resource);
  if (loaded == nullptr) return {};
  const auto* bytes = static_cast<const char*>(LockResource(loaded));
  if (bytes == nullptr) return {};
  const DWORD size = SizeofResource(nullptr, resource);
  const void* zero = std::memchr(bytes, '\0', size);
  return std::string_view(bytes, zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : size);
}

}  // namespace wrenhollow
