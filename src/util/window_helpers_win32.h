#pragma once

#include <windows.h>

namespace wrenhollow {

// Where a window of the given size is centred on a screen of the given size; never negative.
POINT CenteredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight);
// Moves a window, keeping its size, to the centre of the area a maximised window would fill.
void CenterWindow(HWND window);

// Shows the system's wait cursor and remembers the one it replaced; RestoreCursor brings that one back.
void ShowWaitCursor();
void RestoreCursor();

// Checks or unchecks a command in a submenu, by position, of the window's menu.
void SetMenuCheck(HWND window, int submenuPosition, UINT command, bool on);
// Sets or clears the checked state of a toolbar button, keeping its other state bits.
void SetToolbarCheck(HWND toolbar, int command, bool on);
// A bold font of the face and height; the caller deletes it with DeleteObject.
HFONT MakeFont(const char* face, int height, bool underline);

// Whether the window is an edit control.
bool IsEditControl(HWND window);
// Whether the system is of the NT family; asked once.
bool IsNtPlatform();

}  // namespace wrenhollow
