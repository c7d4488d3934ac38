#pragma once

#include <cstddef>
#include <cstdint>

namespace wrenhollow {

// Most bytes HexEncode writes: their text, 8192 characters, fits a value of a settings file.
constexpr int kHexMaxBytes = 2731;
// Buffer that holds the longest hex text and its terminator.
constexpr size_t kHexTextSize = 8193;

// Writes each byte as two upper-case hex digits, pairs separated by one space ("01 AB"). Encodes at most
// kHexMaxBytes bytes, and fewer when the buffer is smaller than kHexTextSize. False, with "", when count <= 0
// (or the buffer holds no pair).
bool HexEncode(const uint8_t* bytes, int count, char* text, size_t size);
// Reads each pair of characters as one byte, skipping spaces between pairs: the value of the pair's leading
// hex digits, so a malformed pair gives 0 when it starts with no hex digit ("-1", "\t5" and "g0" give 0).
// *count holds the capacity on entry and the bytes stored on success. False, with nothing written, when no
// byte was stored.
bool HexDecode(const char* text, int* count, uint8_t* bytes);

}  // namespace wrenhollow
