#pragma once

#include <cstddef>

namespace wrenhollow {

// The program's own texts by string-table id, as LoadStringA gives them: the low 16 bits of id name the text.
class StringTable {
 public:
  virtual ~StringTable() = default;

  // Copies at most size - 1 characters of the text and a terminator; returns the characters stored. A missing id
  // stores "" and returns 0; size 0 stores nothing and returns 0.
  virtual size_t LoadText(unsigned id, char* buffer, size_t size) = 0;
};

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
