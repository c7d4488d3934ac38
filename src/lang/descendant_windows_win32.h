#pragma once

#include <windows.h>

#include <vector>

namespace wrenhollow {

// Every descendant of window (its children, their children and so on) in the order EnumChildWindows meets
// them, gathered first so that callers may move or restyle them freely.
std::vector<HWND> DescendantWindows(HWND window);

}  // namespace wrenhollow
