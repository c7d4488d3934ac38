#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "events/usb_id_database.h"

// Parses arbitrary bytes as a usb.ids list, then checks that every entry's name is found again under its ids
// whenever that entry is the first of its kind with them, and that lookups of ids from the input never fail.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wrenhollow::UsbIdDatabase database;
  if (!database.ParseUsbIds(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
  const wrenhollow::DeviceEntry* entries = database.Entries();
  for (int i = 0; i < database.EntryCount(); ++i) {
    const wrenhollow::DeviceEntry& e = entries[i];
    const char* found = e.kind == wrenhollow::kVendorEntry ? database.FindVendorName(e.vendorId)
                                                           : database.FindProductName(e.vendorId, e.productId);
    if (found == nullptr || std::strlen(found) > size_t{wrenhollow::UsbIdDatabase::kLineLength}) __builtin_trap();
    bool first = true;
    for (int j = 0; j < i && first; ++j) {
      first = !(entries[j].kind == e.kind && entries[j].vendorId == e.vendorId && entries[j].productId == e.productId);
    }
    if (first && found != database.Names().Get(static_cast<int>(e.nameIndex))) __builtin_trap();
  }
  return 0;
}
