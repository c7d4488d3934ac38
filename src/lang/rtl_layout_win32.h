#pragma once

#include <windows.h>

namespace wrenhollow {

// What ApplyRtlLayout does besides mirroring the window itself.
constexpr unsigned kMirrorPositions = 1;
constexpr unsigned kMirrorStyles = 2;
constexpr unsigned kMirrorDialog = kMirrorPositions | kMirrorStyles;

// For a right-to-left language (the installed table's rtl): with kMirrorStyles every descendant of window
// lays itself out right to left; with kMirrorPositions every descendant moves to the mirror position in its
// parent's client area, keeping its top and size; styles go first. Last, window itself lays out right to left.
// Nothing happens for a left-to-right language or without a table.
void ApplyRtlLayout(HWND window, unsigned flags);

}  // namespace wrenhollow
