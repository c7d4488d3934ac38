#pragma once

#include "lang/string_table.h"

namespace wrenhollow {

// The STRINGTABLE linked into the program (resources/strings.rc), read with LoadStringA.
class Win32StringTable : public StringTable {
 public:
  size_t LoadText(unsigned id, char* buffer, size_t size) override;
};

}  // namespace wrenhollow
