#include "util/text.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "util/code_page.h"

namespace wrenhollow {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Bytes in the character that starts at text[at]: a lead byte and its trail byte form one character in a
// double-byte code page, and a trail byte is never a letter of its own.
size_t CharLength(std::string_view text, size_t at) {
  return IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
}

// The character at text[at] as the C runtime's multibyte comparison sees it: a double-byte character as lead
// byte * 256 + trail byte, a single byte as it is or with ASCII letters in lower case.
unsigned CharValue(std::string_view text, size_t at, size_t length, bool ignoreCase) {
  if (length == 2) return static_cast<unsigned char>(text[at]) << 8 | static_cast<unsigned char>(text[at + 1]);
  return static_cast<unsigned char>(ignoreCase ? LowerAscii(text[at]) : text[at]);
}

// <0, 0 or >0 comparing a and b character by character; with `prefix`, b only needs to begin a.
int CompareChars(std::string_view a, std::string_view b, bool prefix, bool ignoreCase) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const size_t x = CharLength(a, i), y = CharLength(b, j);
    const unsigned u = CharValue(a, i, x, ignoreCase), v = CharValue(b, j, y, ignoreCase);
    if (u != v) return u < v ? -1 : 1;
    i += x;
    j += y;
  }
  if (j < b.size()) return -1;
  return i == a.size() || prefix ? 0 : 1;
}

// Tries only the places where a character starts, so a pattern never matches from a trail byte.
int Find(std::string_view text, std::string_view pattern, bool ignoreCase) {
  for (size_t p = 0; p + pattern.size() <= text.size(); p += CharLength(text, p)) {
    if (CompareChars(text.substr(p), pattern, true, ignoreCase) == 0) return static_cast<int>(p);
  }
  return -1;
}

}  // namespace

int FindSubstring(std::string_view text, std::string_view pattern) { return Find(text, pattern, false); }

int FindNoCase(std::string_view text, std::string_view pattern) { return Find(text, pattern, true); }

bool EqualsNoCase(std::string_view a, std::string_view b) { return CompareChars(a, b, false, true) == 0; }

int CompareNoCase(std::string_view a, std::string_view b) { return CompareChars(a, b, false, true); }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) { return CompareChars(text, prefix, true, true) == 0; }

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (size_t i = 0; i < folded.size(); i += CharLength(folded, i)) folded[i] = LowerAscii(folded[i]);
  return folded;
}

void CopyBounded(char* buffer, size_t size, std::string_view text) {
  if (size == 0) return;
  const size_t count = text.size() < size - 1 ? text.size() : size - 1;
  std::memmove(buffer, text.data(), count);
  buffer[count] = '\0';
}

void CopyTrimmed(char* buffer, size_t size, std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    CopyBounded(buffer, size, "");
    return;
  }
  CopyBounded(buffer, size, text.substr(first, text.find_last_not_of(' ') - first + 1));
}

void FormatNumber(char* buffer, size_t size, const char* format, int value) {
  if (size == 0) return;
  const std::string number = std::to_string(value);
  std::string text;
  for (const char* c = format; *c != '\0'; ++c) {
    if (c[0] == '%' && c[1] == 'd') {
      text += number;
      ++c;
    } else if (c[0] == '%' && c[1] == '%') {
      text += '%';
      ++c;
    } else {
      text += *c;
    }
  }
  CopyBounded(buffer, size, text);
}

}  // namespace wrenhollow
