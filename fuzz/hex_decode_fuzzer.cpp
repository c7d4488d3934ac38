#include <cstddef>
#include <cstdint>
#include <string>

#include "util/hex.h"

// Decodes any text into a block whose capacity the first byte sets; whatever was decoded must survive an
// encode and a second decode unchanged, and nothing may be written past the capacity.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wrenhollow;
  if (size == 0) return 0;
  const int capacity = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  uint8_t bytes[256 + 1];
  bytes[capacity] = 0xA5;
  int count = capacity;
  if (!HexDecode(text.c_str(), &count, bytes)) return 0;
  if (count < 1 || count > capacity || bytes[capacity] != 0xA5) __builtin_trap();

  char encoded[kHexTextSize];
  if (!HexEncode(bytes, count, encoded, sizeof encoded)) __builtin_trap();
  uint8_t again[256];
  int againCount = static_cast<int>(sizeof again);
  if (!HexDecode(encoded, &againCount, again) || againCount != count) __builtin_trap();
  for (int i = 0; i < count; ++i) {
    if (again[i] != bytes[i]) __builtin_trap();
  }
  return 0;
}
