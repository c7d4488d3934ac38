#pragma once

#include <cstdint>
#include <string>

namespace wrenhollow::bench {

// Where the generated keys are written: the in-memory hive or the real registry.
class RegistryWriter {
 public:
  virtual ~RegistryWriter() = default;
  // Creates the key (below HKEY_LOCAL_MACHINE) and its parents, then sets the value unless name is null.
  virtual void Set(const std::string& keyPath, const char* name, uint32_t type, const void* data, uint32_t size) = 0;
};

// Writes `devices` recorded USB device instances as Windows lays them out: instance values, Device Parameters,
// interface keys (half of them linked), a USBSTOR child and mounted volume for every tenth, and no interface
// path for every fifth, which only the second link pass can tie to its interface.
void WriteDeviceTree(RegistryWriter& writer, int devices);

// Writes the time stamps Windows keeps for the same devices where SetupAPI reads them (Wine's own
// CurrentControlSet): first install, last arrival and, for odd devices, a later last removal.
void WriteDeviceHistory(RegistryWriter& writer, int devices);

// The key (below HKEY_LOCAL_MACHINE) holding the "Linked" value of a device's interface; even devices are linked.
std::string LinkedKeyOf(int device);

}  // namespace wrenhollow::bench
