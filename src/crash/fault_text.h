#pragma once

#include <cstddef>
#include <cstdint>

namespace wrenhollow {

// Bytes in each memory dump of a fault report.
constexpr size_t kFaultDumpLength = 128;
// Buffer that holds HexDump128's longest text (group 1) and its terminator.
constexpr size_t kHexDump128Size = 640;

// Writes the bytes as "%2.2X" pairs separated by one space; when group > 0, two more spaces go before every
// byte whose index is a multiple of group, so the text starts with two spaces and groups are separated by three.
// False when the buffer was too small: then it holds as much of the text as fits, terminated ("" when size is 1;
// nothing written when size is 0).
bool HexDump128(const uint8_t (&bytes)[kFaultDumpLength], int group, char* text, size_t size);

// A module path as the system reports it, made into an ordinary one: a drive path is kept; a prefix before a
// drive letter ("\??\C:\") is dropped; "\SystemRoot" becomes the Windows folder; a path from the root of a
// drive gets the Windows folder's drive; anything else is kept. False, with the text cut, when the buffer was
// too small.
bool FixModulePath(const char* path, const char* windowsFolder, char* fixed, size_t size);

}  // namespace wrenhollow
