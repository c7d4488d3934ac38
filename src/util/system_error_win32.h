#pragma once

#include <windows.h>

namespace wrenhollow {

// Size of the buffer a system error text is written into.
constexpr int kErrorTextSize = 1024;

// The system's description of an error code; codes 2100..2999 are also looked up in netmsg.dll. A longer
// text is cut to 1023 characters; "Unknown Error" when the system has none.
void SystemErrorText(DWORD code, char (&text)[kErrorTextSize]);
// Shows "Error <code>: <description>" in a warning box titled "Error"; code 0 means GetLastError().
void ShowSystemError(DWORD code, HWND owner);

}  // namespace wrenhollow
