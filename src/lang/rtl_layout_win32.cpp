#include "lang/rtl_layout_win32.h"

#include <vector>

#include "lang/descendant_windows_win32.h"
#include "lang/language_table.h"

namespace wrenhollow {
namespace {

void AddLayoutRtl(HWND window) {
  SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
}

void MirrorPosition(HWND window) {
  HWND parent = GetParent(window);
  RECT client{};
  RECT rect{};
  if (!GetClientRect(parent, &client) || !GetWindowRect(window, &rect)) return;
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  SetWindowPos(window, nullptr, client.right - rect.right, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

void ApplyRtlLayout(HWND window, unsigned flags) {
  const LanguageTable* table = InstalledLanguageTable();
  if (table == nullptr || !table->IsRtl()) return;
  const std::vector<HWND> descendants = DescendantWindows(window);
  if ((flags & kMirrorStyles) != 0) {
    for (HWND descendant : descendants) AddLayoutRtl(descendant);
  }
  if ((flags & kMirrorPositions) != 0) {
    for (HWND descendant : descendants) MirrorPosition(descendant);
  }
  AddLayoutRtl(window);
}

}  // namespace wrenhollow
