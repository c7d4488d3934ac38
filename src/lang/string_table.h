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

}  // namespace wrenhollow
