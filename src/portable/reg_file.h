#pragma once

#include <string>
#include <string_view>

#include "portable/registry_editor.h"

namespace wrenhollow {

struct RegFileError {
  int line = 0;  // 1-based line of the first malformed line, 0 for a malformed header
  std::string message;
};

// Applies a .reg file to a registry as regedit would: "REGEDIT4" or "Windows Registry Editor Version 5.00", as
// ANSI/UTF-8 text or UTF-16LE with a byte-order mark; [KEY] and [-KEY], "name"= and @= with strings, dword:,
// hex:, hex(N): of any type (N may be any 32-bit type, kept as raw bytes), and - to delete; lines continued
// with a trailing backslash; ";" comments. In a version 5 file hex(1), hex(2) and hex(7) data are UTF-16 and
// are stored converted to the ANSI code page. Stops at the first malformed line and reports it; what came
// before it stays applied.
bool LoadRegFile(std::string_view bytes, RegistryEditor& registry, RegFileError* error);

}  // namespace wrenhollow
