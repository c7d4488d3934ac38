#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "util/string_list.h"

namespace wrenhollow {

// Kinds of DeviceEntry.
constexpr uint16_t kVendorEntry = 1;
constexpr uint16_t kProductEntry = 2;

// One accepted vendor or product line of a usb.ids list. A plain record, copied bitwise.
struct DeviceEntry {
  uint16_t vendorId;
  uint16_t productId;  // 0 for a vendor entry
  uint16_t kind;       // kVendorEntry or kProductEntry
  uint32_t nameIndex;  // index of the entry's name in the database's name list
};

// Vendor and product names from a list in the usb.ids text format. Every accepted line appends one name and one
// entry, in the order of the lines, without looking for an equal one. Lookups give the name of the first
// matching entry and take the same time whatever the length of the list.
class UsbIdDatabase {
 public:
  static constexpr int kEntryStep = 32;
  // Characters of a line that are read; the rest of a longer line is skipped.
  static constexpr int kLineLength = 4094;

  UsbIdDatabase() = default;
  ~UsbIdDatabase() { Clear(); }
  UsbIdDatabase(const UsbIdDatabase&) = delete;
  UsbIdDatabase& operator=(const UsbIdDatabase&) = delete;

  // Empties the name list and the entries.
  void Clear();
  // Appends the entries of text's vendor and product lines; text ends at its first zero byte or at its end.
  // False when the name list or the entries could not grow: the lines before stay appended, the rest are not.
  bool ParseUsbIds(std::string_view text);
  // Name of the first vendor entry whose id equals the low 16 bits of vendorId, or nullptr.
  const char* FindVendorName(uint32_t vendorId) const;
  // Name of the first product entry whose ids equal the low 16 bits of vendorId and productId, or nullptr.
  const char* FindProductName(uint32_t vendorId, uint32_t productId) const;

  int EntryCount() const { return entryCount_; }
  // The entries in the order of their lines; EntryCount() of them.
  const DeviceEntry* Entries() const { return entries_; }
  const StringList& Names() const { return names_; }

 private:
  bool AppendEntry(uint16_t vendorId, uint16_t productId, uint16_t kind, std::string_view name);
  const char* NameOf(const std::unordered_map<uint32_t, int>& index, uint32_t key) const;

  StringList names_;
  DeviceEntry* entries_ = nullptr;
  int entryCount_ = 0;
  int entryCapacity_ = 0;
  // Index of the first entry of each kind by its ids: the vendor id, or the vendor id << 16 | the product id.
  std::unordered_map<uint32_t, int> firstVendor_;
  std::unordered_map<uint32_t, int> firstProduct_;
};

// Empties database and fills it from the file "usb.ids" in programFolder when that opens, is not empty and can be
// read whole; otherwise from embedded, a usb.ids text that ends at its first zero byte or at its end. A folder
// whose length + 8 reaches 260 (no room for the file's path) counts as no file. A file that was used wins over
// embedded whatever either holds.
void LoadUsbIds(UsbIdDatabase& database, const char* programFolder, std::string_view embedded);

}  // namespace wrenhollow
