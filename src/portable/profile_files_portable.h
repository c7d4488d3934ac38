#pragma once

#include <cstddef>

#include "util/profile_files.h"

namespace wrenhollow {

// Private INI files read and rewritten with the C++ library, following what Wine's profile functions do:
// - Lines end at any run of CR and LF; each line is trimmed of spaces, tabs, CR, LF, VT, FF and ^Z. Blank lines
//   are dropped. A UTF-8 byte-order mark is skipped and written back; other bytes are kept as they are.
// - "[" starts a section header when the line holds a "]" after it: the name is the text up to the last "]",
//   trimmed; text after that "]" is dropped. Lines before the first header form a section without a name.
// - Any other line is a key: the name up to the first "=", trimmed, and the trimmed value after it. A line
//   without "=" (comments included) is a key without a value, which reads as missing. A name or value ends at
//   a NUL byte. Of consecutive lines with empty names only the first is kept.
// - Lookups trim the requested names and compare them with ASCII letters folded; only the first section of a
//   repeated name is searched, and its first key of that name is used.
// - Reads strip one pair of matching quotes around the value or default (Wine's way, which can also drop the
//   last kept character when the buffer is one too small for the quoted text); the default loses trailing
//   spaces. A file that cannot be opened (a missing folder, a folder given as the file) gives the default
//   unquoted.
// - ReadInt reads at most 29 characters: optional blanks and sign, then "0x", "0o" or "0b" picks the base
//   (decimal otherwise); the leading digits count, wrapping modulo 2^32. An empty value gives the default.
// - A write rewrites the whole file (CRLF line ends, "key=value", no spaces around "="), dropping blank lines
//   and text after section headers but keeping comments and other lines. The new value loses its leading
//   blanks; an unchanged value does not touch the file. A new key goes to the end of its section, a new
//   section to the end of the file, each named as given without leading blanks. A null value deletes the
//   first key of that exact name (untrimmed) in any section of that exact name.
// A path without a folder is relative to the working directory (Windows would use its own folder).
class PortableProfileFiles : public ProfileFiles {
 public:
  int ReadInt(const char* path, const char* section, const char* key, int defaultValue) override;
  size_t ReadString(const char* path, const char* section, const char* key, const char* defaultValue,
                    char* buffer, size_t size) override;
  bool WriteString(const char* path, const char* section, const char* key, const char* value) override;
};

}  // namespace wrenhollow
