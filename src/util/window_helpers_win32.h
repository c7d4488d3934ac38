#pragma once

#include <windows.h>
#include <commctrl.h>

namespace wrenhollow {

// Where a window of the given size is centred on a screen of the given size; never negative.
POINT CenteredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight);
// Moves a window, keeping its size, to the centre of the area a maximised window would fill.
void CenterWindow(HWND window);

// Shows the system's wait cursor and remembers the one it replaced; RestoreCursor brings that one back.
void ShowWaitCursor();
void RestoreCursor();

// A bold font of the face and height; the caller deletes it with DeleteObject.
HFONT MakeFont(const char* face, int height, bool underline);

// The screen's resolution in dots per inch, read once: the program is aware of the system DPI only, which
// holds for its whole run.
int ScreenDpi();
// A size given as at 96 DPI in pixels of the screen, and pixels of the screen back to such a size.
int ScaleToScreen(int size);
int UnscaleFromScreen(int pixels);

// Appends to the image list a copy of its image at index, blended half-way into the window colour: the same
// picture, visibly faded. Returns the copy's index, or -1.
int AddFadedImage(HIMAGELIST images, int index);

// Whether the window is an edit control.
bool IsEditControl(HWND window);

}  // namespace wrenhollow
