#include "util/hex.h"

namespace wrenhollow {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool HexEncode(const uint8_t* bytes, int count, char* text, size_t size) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  if (size == 0) return false;
  text[0] = '\0';
  if (count <= 0) return false;
  // Each byte takes three characters: two digits and a space, or the terminator after the last.
  size_t limit = size / 3;
  if (limit > static_cast<size_t>(count)) limit = static_cast<size_t>(count);
  if (limit > static_cast<size_t>(kHexMaxBytes)) limit = kHexMaxBytes;
  if (limit == 0) return false;
  char* out = text;
  for (size_t i = 0; i < limit; ++i) {
    if (i > 0) *out++ = ' ';
    *out++ = kDigits[bytes[i] >> 4];
    *out++ = kDigits[bytes[i] & 0x0F];
  }
  *out = '\0';
  return true;
}

bool HexDecode(const char* text, int* count, uint8_t* bytes) {
  const int capacity = *count;
  int stored = 0;
  const char* p = text;
  while (*p != '\0' && stored < capacity) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    // Only the pair's leading hex digits count: strtoul would also accept blanks and a sign before them.
    const int high = HexDigitValue(p[0]);
    const int low = high >= 0 ? HexDigitValue(p[1]) : -1;
    bytes[stored++] = static_cast<uint8_t>(high < 0 ? 0 : low < 0 ? high : high * 16 + low);
    p += p[1] != '\0' ? 2 : 1;
  }
  if (stored == 0) return false;
  *count = stored;
  return true;
}


}  // namespace wrenhollow
