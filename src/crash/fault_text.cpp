#include "crash/fault_text.h"

#include <string_view>

#include "util/text.h"

namespace wrenhollow {
namespace {

// Appends text at *length when it fits with the terminator; otherwise fills what fits and reports false.
bool AppendBounded(char* buffer, size_t size, size_t* length, std::string_view text) {
  const bool fits = *length + text.size() < size;
  CopyBounded(buffer + *length, size - *length, text);
  *length += fits ? text.size() : size - 1 - *length;
  return fits;
}

}  // namespace

bool HexDump128(const uint8_t (&bytes)[kFaultDumpLength], int group, char* text, size_t size) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  if (size == 0) return false;
  text[0] = '\0';
  size_t length = 0;
  for (size_t i = 0; i < kFaultDumpLength; ++i) {
    char piece[5];
    size_t pieceLength = 0;
    if (i > 0) piece[pieceLength++] = ' ';
    if (group > 0 && i % static_cast<size_t>(group) == 0) {
      piece[pieceLength++] = ' ';
      piece[pieceLength++] = ' ';
    }
    piece[pieceLength++] = kDigits[bytes[i] >> 4];
    piece[pieceLength++] = kDigits[bytes[i] & 0x0F];
    if (!AppendBounded(text, size, &length, std::string_view(piece, pieceLength))) return false;
  }
  return true;
}

bool FixModulePath(const char* path, const char* windowsFolder, char* fixed, size_t size) {
  if (size == 0) return false;
  fixed[0] = '\0';
  const std::string_view text(path);
  size_t length = 0;
  if (text.size() >= 2 && text[1] == ':') return AppendBounded(fixed, size, &length, text);
  const size_t colon = text.size() > 2 ? text.find(':', 2) : std::string_view::npos;
  if (colon != std::string_view::npos) return AppendBounded(fixed, size, &length, text.substr(colon - 1));
  constexpr std::string_view kSystemRoot = "\\systemroot";
  const int systemRoot = FindNoCase(text, kSystemRoot);
  if (systemRoot >= 0) {
    return AppendBounded(fixed, size, &length, windowsFolder) &&
           AppendBounded(fixed, size, &length, text.substr(static_cast<size_t>(systemRoot) + kSystemRoot.size()));
  }
  if (!text.empty() && text[0] == '\\') {
    const std::string_view folder(windowsFolder);
    return AppendBounded(fixed, size, &length, folder.substr(0, 2)) && AppendBounded(fixed, size, &length, text);
  }
  return AppendBounded(fixed, size, &length, text);
}

}  // namespace wrenhollow
