#include "portable/code_page_portable.h"

#include "util/code_page.h"

namespace wrenhollow {
namespace {

// Windows-1252's bytes 0x80..0x9F; 0 marks the five bytes it leaves undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToWindows1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == c && c != 0) return static_cast<char>(0x80 + i);
  }
  // Undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D round-trip as the matching C1 controls.
  if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) return static_cast<char>(c);
  return '?';
}

unsigned portableCodePage = 1252;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

size_t WideToAnsi(const char16_t* text, size_t count, char* out, size_t size) {
  size_t written = 0;
  for (size_t i = 0; i < count && written < size; ++i) {
    // A surrogate pair is one character the code page lacks.
    if (IsHighSurrogate(text[i]) && i + 1 < count && IsLowSurrogate(text[i + 1])) {
      out[written++] = '?';
      ++i;
      continue;
    }
    out[written++] = ToWindows1252(text[i]);
  }
  return written;
}

size_t AnsiToWide(const char* text, size_t count, char16_t* out, size_t size) {
  size_t written = 0;
  for (size_t i = 0; i < count && written < size; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const char16_t high = byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : 0;
    out[written++] = high != 0 ? high : byte;
  }
  return written;
}

void SetPortableCodePage(unsigned codePage) { portableCodePage = codePage; }

bool IsLeadByte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return portableCodePage == 932 && ((value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC));
}

}  // namespace wrenhollow
