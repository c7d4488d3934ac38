#pragma once

#include <cstddef>

namespace wrenhollow {

// Characters of the save dialog's file-type list, its final NULs included.
constexpr size_t kSaveFilterSize = 1024;

// The save dialog's file types, one per export format in format order, so the dialog's 1-based filter index is
// the format: "<description> (<pattern>)", NUL, the pattern, NUL for each, and one more NUL at the end. The
// descriptions come translated. A list that would not fit ends with the last type that fits.
void BuildSaveFilter(char (&filter)[kSaveFilterSize]);

}  // namespace wrenhollow
