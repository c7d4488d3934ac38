// in_process_probe.dll: loaded into the program's process by a WH_CALLWNDPROC hook of the driver; answers a
// request message by reading a menu or a window's font of that process into a block the driver allocated there.
#include "gui_driver/in_process_probe.h"

using namespace wrenhollow::e2e;

namespace {

void ReadMenuInto(HMENU menu, ProbeRequest* request) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count && i < kProbeMenuItems; ++i) {
    ProbeMenuItem& item = request->items[i];
    item.id = GetMenuItemID(menu, i);
    item.state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    item.submenu = reinterpret_cast<uint64_t>(GetSubMenu(menu, i));
    item.text[0] = '\0';
    GetMenuStringA(menu, static_cast<UINT>(i), item.text, kProbeTextSize, MF_BYPOSITION);
  }
  request->count = count;
}

void ReadFontInto(HWND window, ProbeRequest* request) {
  const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  request->count = font != nullptr && GetObjectA(font, sizeof request->font, &request->font) != 0 ? 1 : 0;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK InProcessProbeHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT request = RegisterWindowMessageA(kProbeMessage);
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == request && message->lParam != 0) {
      auto* asked = reinterpret_cast<ProbeRequest*>(message->lParam);
      if (asked->kind == ProbeKind::kMenu) ReadMenuInto(reinterpret_cast<HMENU>(asked->handle), asked);
      if (asked->kind == ProbeKind::kFont) ReadFontInto(reinterpret_cast<HWND>(asked->handle), asked);
      // Last, so that the driver sees a complete answer once it is set.
      asked->answered = 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
