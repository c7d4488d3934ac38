#pragma once

#include <string>

namespace wrenhollow::test {

// Imports .reg text into the registry of the running (Wine) prefix with "regedit.exe /S". A version 5 text is
// re-encoded as UTF-16LE with a byte-order mark first, because regedit reads hex(1)/hex(2)/hex(7) of a plain
// text file as ANSI bytes; value lines of private types (hex(N) above REG_QWORD) are dropped with their
// continuation lines, because regedit refuses them. regedit exits 0 even on a malformed file, so false means
// only that it could not be run: callers read their values back.
bool ImportRegText(const std::string& regText, std::string* error);

// The same for a file; a file already in UTF-16 is imported unchanged.
bool ImportRegFile(const std::string& path, std::string* error);

}  // namespace wrenhollow::test
