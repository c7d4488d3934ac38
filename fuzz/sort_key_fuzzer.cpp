#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "report/sort_keys.h"

// A "/sort" value against a table of titles: the first byte picks the direction and how many columns are
// visible, in which order; the rest is the value.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wrenhollow;
  static const char* titles[] = {"Event Type", "Event Time", "Device Name", "Description", "Vendor ID", "Vendor Name"};
  std::vector<ReportColumn> columns;
  for (int id = 0; id < 6; ++id) columns.push_back({{id, 6, 0, 100, 1001u + id, "", 1, 20}, titles[id], titles[id]});
  if (size == 0) return 0;
  std::vector<int> visible;
  for (int i = 0; i < (data[0] & 7) && i < 6; ++i) visible.push_back((i * 5 + data[0]) % 6);
  SortKeyList keys;
  for (int i = 0; i < 40; ++i) {
    AddSortKey(keys, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), (data[0] & 8) != 0,
               visible, columns);
  }
  for (int i = 0; i < keys.Count(); ++i) {
    if ((keys[i] & kSortColumnMask) >= 6) __builtin_trap();
  }
  return 0;
}
