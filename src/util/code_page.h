#pragma once

#include <cstddef>

namespace wrenhollow {

// Converts exactly `count` UTF-16 code units, NULs included, to the system's ANSI code page as
// WideCharToMultiByte(CP_ACP) does, writing at most `size` bytes (no terminator is added). Characters the code
// page lacks become "?". Returns the bytes written. The Windows build converts with the system; the portable
// build converts to Windows-1252, the code page the tests run Wine with.
size_t WideToAnsi(const char16_t* text, size_t count, char* out, size_t size);

// The other way, as MultiByteToWideChar(CP_ACP) does: exactly `count` bytes, at most `size` units written.
// Returns the units written. The portable build reads Windows-1252.
size_t AnsiToWide(const char* text, size_t count, char16_t* out, size_t size);

// Whether the byte starts a two-byte character in the system's ANSI code page (IsDBCSLeadByte). The portable
// build answers for the code page SetPortableCodePage chose: none in 1252, 0x81-0x9F and 0xE0-0xFC in 932.
bool IsLeadByte(char byte);

}  // namespace wrenhollow
