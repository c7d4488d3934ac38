#pragma once

#include <cstddef>

namespace wrenhollow {

// Size of the buffers paths are kept in.
constexpr size_t kPathSize = 260;

// Appends "\" to a non-empty path that does not end in one, when the buffer has room.
void AddBackslash(char* path, size_t size);
// folder, a "\" when it has none at its end, then name; cut to the buffer. An empty folder gives name.
// Either folder or name may be buffer itself.
void JoinPath(char* buffer, size_t size, const char* folder, const char* name);
// The part of path after its last "\" or "/" (the whole path when it has neither).
const char* FileNamePart(const char* path);
// Cuts path at its last "\", removing the separator; a path without one is left as it is.
void CutToFolder(char* path);

}  // namespace wrenhollow
