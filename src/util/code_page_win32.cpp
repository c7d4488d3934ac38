#include <windows.h>

#include <vector>

#include "util/code_page.h"

namespace wrenhollow {

size_t WideToAnsi(const char16_t* text, size_t count, char* out, size_t size) {
  if (count == 0 || size == 0) return 0;
  auto wide = reinterpret_cast<const wchar_t*>(text);
  const int units = static_cast<int>(count);
  const int needed = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return 0;
  if (static_cast<size_t>(needed) <= size) {
    return static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide, units, out, needed, nullptr, nullptr));
  }
  // The system fails outright on a short buffer; convert whole and keep what fits.
  std::vector<char> whole(static_cast<size_t>(needed));
  WideCharToMultiByte(CP_ACP, 0, wide, units, whole.data(), needed, nullptr, nullptr);
  for (size_t i = 0; i < size; ++i) out[i] = whole[i];
  return size;
}

bool IsLeadByte(char byte) { return IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE; }

}  // namespace wrenhollow
