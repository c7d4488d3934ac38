#pragma once

#include <windows.h>

namespace wrenhollow {

// Puts a file's bytes on the clipboard as CF_TEXT. The caller has opened the clipboard; it is emptied first
// and closed in every case. 0, or the system error code of the step that failed.
DWORD LoadFileToClipboard(const char* name);

}  // namespace wrenhollow
