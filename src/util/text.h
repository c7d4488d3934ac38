#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wrenhollow {

// Position of the first occurrence of pattern in text, comparing bytes exactly; 0 for an empty pattern, -1
// when there is none.
int FindSubstring(std::string_view text, std::string_view pattern);
// The same, with ASCII letters compared without regard to case.
int FindNoCase(std::string_view text, std::string_view pattern);
// Whether two texts are equal with ASCII letters compared without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);
// <0, 0 or >0 as a is before, equal to or after b, comparing bytes with ASCII letters in lower case (the
// C runtime's case-insensitive comparison in a single-byte code page).
int CompareNoCase(std::string_view a, std::string_view b);
// Whether the text begins with the prefix, ASCII letters compared without regard to case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// The text with ASCII letters in lower case: a key for lookups that ignore case.
std::string FoldCase(std::string_view text);

// Copies at most size - 1 characters of text into buffer and terminates it (nothing when size is 0).
void CopyBounded(char* buffer, size_t size, std::string_view text);
template <size_t N>
void CopyBounded(char (&buffer)[N], std::string_view text) {
  CopyBounded(buffer, N, text);
}
// A translatable format with one number: each "%d" becomes the value and "%%" a percent sign; any other "%"
// is copied as it stands, so a language file's text can never read arguments that were not given. Cut to fit.
void FormatNumber(char* buffer, size_t size, const char* format, int value);
template <size_t N>
void FormatNumber(char (&buffer)[N], const char* format, int value) {
  FormatNumber(buffer, N, format, value);
}
// CopyBounded of the text without its leading and trailing spaces.
void CopyTrimmed(char* buffer, size_t size, std::string_view text);

}  // namespace wrenhollow
