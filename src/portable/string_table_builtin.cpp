#include "portable/string_table_builtin.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "util/text.h"

namespace wrenhollow {
namespace {

#define WRENHOLLOW_STRING(id, text) StringTableEntry{id, text},
constexpr StringTableEntry kEntries[] = {
#include "../../resources/string_table.inc"
};
#undef WRENHOLLOW_STRING

constexpr bool IsStrictlyAscending() {
  for (size_t i = 1; i < std::size(kEntries); ++i) {
    if (kEntries[i - 1].id >= kEntries[i].id) return false;
  }
  return true;
}
// The binary search needs this, and a resource compiler would reject a repeated id.
static_assert(IsStrictlyAscending(), "string_table.inc must list its ids once each, in ascending order");

}  // namespace

const StringTableEntry* BuiltinStringEntries(size_t* count) {
  *count = std::size(kEntries);
  return kEntries;
}

size_t BuiltinStringTable::LoadText(unsigned id, char* buffer, size_t size) {
  if (size == 0) return 0;
  const unsigned key = id & 0xFFFF;
  const auto* end = std::end(kEntries);
  const auto* entry =
      std::lower_bound(std::begin(kEntries), end, key, [](const StringTableEntry& e, unsigned k) { return e.id < k; });
  const std::string_view text = entry != end && entry->id == key ? entry->text : "";
  CopyBounded(buffer, size, text);
  return std::min(text.size(), size - 1);
}

}  // namespace wrenhollow
