// What the benchmarks that run under Wine share: a clock and a writer into the real registry.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "device_tree.h"

namespace wrenhollow::bench {

inline double Seconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class Win32Writer : public RegistryWriter {
 public:
  void Set(const std::string& keyPath, const char* name, uint32_t type, const void* data, uint32_t size) override {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
      std::fprintf(stderr, "cannot create %s\n", keyPath.c_str());
      std::exit(1);
    }
    if (name != nullptr) RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
};

}  // namespace wrenhollow::bench
