#pragma once

#include <cstddef>

namespace wrenhollow {

// Size of the buffers paths are kept in.
constexpr size_t kPathSize = 260;

// The part of path after its last "\" or "/" (the whole path when it has neither).
const char* FileNamePart(const char* path);
// Cuts path at its last "\", removing the separator; a path without one is left as it is.
void CutToFolder(char* path);

}  // namespace wrenhollow
