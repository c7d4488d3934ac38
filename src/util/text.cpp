#include "util/text.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace wrenhollow {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualBytesNoCase(const char* a, const char* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

int FindSubstring(std::string_view text, std::string_view pattern) {
  if (pattern.size() > text.size()) return -1;
  for (size_t p = 0; p + pattern.size() <= text.size(); ++p) {
    if (std::memcmp(text.data() + p, pattern.data(), pattern.size()) == 0) return static_cast<int>(p);
  }
  return -1;
}

int FindNoCase(std::string_view text, std::string_view pattern) {
  if (pattern.size() > text.size()) return -1;
  for (size_t p = 0; p + pattern.size() <= text.size(); ++p) {
    if (EqualBytesNoCase(text.data() + p, pattern.data(), pattern.size())) return static_cast<int>(p);
  }
  return -1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && EqualBytesNoCase(a.data(), b.data(), a.size());
}

int CompareNoCase(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto y = static_cast<unsigned char>(LowerAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualBytesNoCase(text.data(), prefix.data(), prefix.size());
}

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = LowerAscii(c);
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
