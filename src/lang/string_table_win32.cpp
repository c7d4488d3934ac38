#include "lang/string_table_win32.h"

#include <windows.h>

#include <climits>

namespace wrenhollow {

size_t Win32StringTable::LoadText(unsigned id, char* buffer, size_t size) {
  // No room even for the terminator: LoadStringA would fail or hand out the resource itself.
  if (size == 0) return 0;
  const int room = size < INT_MAX ? static_cast<int>(size) : INT_MAX;
  const int length = LoadStringA(GetModuleHandleA(nullptr), id & 0xFFFF, buffer, room);
  if (length <= 0) {
    buffer[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(length);
}

}  // namespace wrenhollow
