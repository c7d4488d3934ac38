#pragma once

#include <windows.h>

namespace wrenhollow {

// Opens a file or address with its handler in the system shell; true when the shell took it.
bool OpenWithShell(HWND owner, const char* text);

}  // namespace wrenhollow
