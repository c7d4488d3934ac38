#include "util/system_error_win32.h"

#include <cstdio>

#include "util/text.h"

namespace wrenhollow {
namespace {

// Loaded on first need and kept for the life of the process.
HMODULE NetworkMessages() {
  static const HMODULE module = LoadLibraryExA("netmsg.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  return module;
}

}  // namespace

void SystemErrorText(DWORD code, char (&text)[kErrorTextSize]) {
  // No arguments are passed, so inserts such as "%1" stay as they are instead of being read from nowhere.
  DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  HMODULE source = nullptr;
  if (code >= 2100 && code <= 2999) {
    source = NetworkMessages();
    if (source != nullptr) flags |= FORMAT_MESSAGE_FROM_HMODULE;
  }
  char* message = nullptr;
  const DWORD length = FormatMessageA(flags, source, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                      reinterpret_cast<char*>(&message), 0, nullptr);
  if (length == 0 || message == nullptr) {
    CopyBounded(text, "Unknown Error");
    return;
  }
  CopyBounded(text, std::string_view(message, length));
  LocalFree(message);
}

void ShowSystemError(DWORD code, HWND owner) {
  if (code == 0) code = GetLastError();
  char description[kErrorTextSize];
  SystemErrorText(code, description);
  char text[kErrorTextSize];
  std::snprintf(text, sizeof text, "Error %d: %s", static_cast<int>(code), description);
  MessageBoxA(owner, text, "Error", MB_ICONWARNING);
}

}  // namespace wrenhollow
