#include "monitor/hardware_id_text.h"

namespace wrenhollow {
namespace {

int DigitValue(char c, uint32_t base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value >= 0 && static_cast<uint32_t>(value) < base ? value : -1;
}

uint32_t ParsePrefix(std::string_view text, uint32_t base) {
  uint64_t number = 0;
  for (char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) break;
    number = number * base + static_cast<uint32_t>(digit);
    if (number > 0xFFFFFFFFu) return 0xFFFFFFFFu;
  }
  return static_cast<uint32_t>(number);
}

}  // namespace

uint32_t ParseHexPrefix(std::string_view text) { return ParsePrefix(text, 16); }
uint32_t ParseDecimalPrefix(std::string_view text) { return ParsePrefix(text, 10); }

}  // namespace wrenhollow
