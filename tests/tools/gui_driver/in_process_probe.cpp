// in_process_probe.dll: loaded into the program's process by a WH_CALLWNDPROC hook of the driver; answers the
// request message by reading a menu of that process into a block the driver allocated there.
#include "gui_driver/in_process_probe.h"

using namespace wrenhollow::e2e;

extern "C" __declspec(dllexport) LRESULT CALLBACK InProcessProbeHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT request = RegisterWindowMessageA(kProbeMessage);
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == request && message->lParam != 0) {
    auto* asked = reinterpret_cast<ProbeRequest*>(message->lParam);
    const auto menu = reinterpret_cast<HMENU>(asked->menu);
    asked->count = GetMenuItemCount(menu);
    for (int i = 0; i < asked->count && i < kProbeMenuItems; ++i) {
      ProbeMenuItem& item = asked->items[i];
      item.id = GetMenuItemID(menu, i);
      item.state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      item.submenu = reinterpret_cast<uint64_t>(GetSubMenu(menu, i));
      GetMenuStringA(menu, static_cast<UINT>(i), item.text, sizeof item.text, MF_BYPOSITION);
    }
    asked->answered = 1;  // last, so that the driver sees a complete answer once it is set
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
