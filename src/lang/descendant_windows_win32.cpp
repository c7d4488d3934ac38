#include "lang/descendant_windows_win32.h"

namespace wrenhollow {
namespace {

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> DescendantWindows(HWND window) {
  std::vector<HWND> windows;
  EnumChildWindows(window, AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace wrenhollow
