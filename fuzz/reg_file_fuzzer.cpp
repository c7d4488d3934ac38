#include <cstddef>
#include <cstdint>
#include <string_view>

#include "portable/reg_file.h"
#include "portable/registry_memory.h"
#include "monitor/registry_reader.h"

// Loads arbitrary bytes as a .reg file, then walks whatever hive came of it, so that the hive's lookups and
// enumeration see the odd names and sizes the loader let through.
namespace {

void Walk(wrenhollow::RegistryReader& reader, wrenhollow::RegKey key, int depth) {
  char name[wrenhollow::kSubkeyNameSize];
  for (uint32_t i = 0; depth < 8 && reader.EnumSubkey(key, i, name) == wrenhollow::kErrorSuccess; ++i) {
    wrenhollow::RegKey child = 0;
    if (reader.OpenKey(key, name, &child) != wrenhollow::kErrorSuccess) continue;
    char text[128];
    reader.QueryString(child, "", text, sizeof text - 1);
    uint32_t value = 0;
    reader.QueryDword(child, name, &value);
    Walk(reader, child, depth + 1);
    reader.CloseKey(child);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wrenhollow::MemoryHive hive;
  wrenhollow::RegFileError error;
  wrenhollow::LoadRegFile(std::string_view(reinterpret_cast<const char*>(data), size), hive, &error);
  wrenhollow::RegistryReader reader(hive);
  Walk(reader, wrenhollow::kLocalMachine, 0);
  if (hive.OpenKeyCount() != 0) __builtin_trap();
  return 0;
}
