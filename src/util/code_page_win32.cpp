#include <windows.h>

#include <algorithm>
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

size_t AnsiToWide(const char* text, size_t count, char16_t* out, size_t size) {
  if (count == 0 || size == 0) return 0;
  const int units = static_cast<int>(count);
  const int needed = MultiByteToWideChar(CP_ACP, 0, text, units, nullptr, 0);
  if (needed <= 0) return 0;
  std::vector<wchar_t> whole(static_cast<size_t>(needed));
  MultiByteToWideChar(CP_ACP, 0, text, units, whole.data(), needed);
  const size_t kept = std::min(size, whole.size());
  for (size_t i = 0; i < kept; ++i) out[i] = static_cast<char16_t>(whole[i]);
  return kept;
}

bool IsLeadByte(char byte) { return IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE; }

}  // namespace wrenhollow
