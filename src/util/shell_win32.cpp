#include "util/shell_win32.h"

#include <shellapi.h>

namespace wrenhollow {

bool OpenWithShell(HWND owner, const char* text) {
  const HINSTANCE result = ShellExecuteA(owner, "open", text, "", "", SW_SHOW);
  // The result is an error code below 33, not a handle.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace wrenhollow
