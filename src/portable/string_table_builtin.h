#pragma once

#include <cstddef>

#include "lang/string_table.h"

namespace wrenhollow {

// The texts of resources/string_table.inc compiled into the program: the portable adapter.
class BuiltinStringTable : public StringTable {
 public:
  size_t LoadText(unsigned id, char* buffer, size_t size) override;
};

// One entry of the built-in list.
struct StringTableEntry {
  unsigned id;
  const char* text;
};

// Every entry of the built-in list, in ascending id order; *count gets their number.
const StringTableEntry* BuiltinStringEntries(size_t* count);

}  // namespace wrenhollow
