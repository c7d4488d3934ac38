#pragma once

#include <cstddef>
#include <string_view>

namespace wrenhollow {

// Position of the first occurrence of pattern in text, comparing bytes exactly; 0 for an empty pattern, -1
// when there is none.
int FindSubstring(std::string_view text, std::string_view pattern);
// The same, with ASCII letters compared without regard to case.
int FindNoCase(std::string_view text, std::string_view pattern);
// Whether two texts are equal with ASCII letters compared without regard to case; nullptr counts as "".
bool EqualsNoCase(const char* a, const char* b);

// Copies at most size - 1 characters of text into buffer and terminates it (nothing when size is 0).
void CopyBounded(char* buffer, size_t size, std::string_view text);
template <size_t N>
void CopyBounded(char (&buffer)[N], std::string_view text) {
  CopyBounded(buffer, N, text);
}
// CopyBounded of the text without its leading and trailing spaces.
void CopyTrimmed(char* buffer, size_t size, std::string_view text);
// Every `c` in the text becomes '_'.
void ReplaceChar(char* text, char c);

// The integral part, toward zero; values beyond int are clamped and NaN gives 0.
int Truncate(double value);
// Sets every byte of a record to 0 except its first 4 (the record's size field).
void ClearAfterHeader(void* record, size_t size);

}  // namespace wrenhollow
