#pragma once

#include "monitor/registry_source.h"

namespace wrenhollow::bench {

// Passes every call through and counts it: each one is a round trip to the registry.
class CountingRegistry : public RegistrySource {
 public:
  explicit CountingRegistry(RegistrySource& inner) : inner_(inner) {}

  long OpenKey(RegKey parent, const char* path, RegKey* key) override {
    ++calls;
    return inner_.OpenKey(parent, path, key);
  }
  void CloseKey(RegKey key) override {
    ++calls;
    inner_.CloseKey(key);
  }
  long QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) override {
    ++calls;
    return inner_.QueryValue(key, name, type, data, size);
  }
  long EnumKey(RegKey key, uint32_t index, char* name, uint32_t* length) override {
    ++calls;
    return inner_.EnumKey(key, index, name, length);
  }

  long long calls = 0;

 private:
  RegistrySource& inner_;
};

}  // namespace wrenhollow::bench
