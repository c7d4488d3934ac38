#pragma once

// What in_process_probe.dll and the driver share. Some things of another process cannot be read from outside
// under Wine: its menus live in that process (GetMenuState there answers -1) and WM_GETFONT is not answered across
// processes. So the driver hooks the owner's thread with this DLL, which Windows and Wine load into that process,
// and asks it to read them in place.

#include <windows.h>

#include <cstdint>

namespace wrenhollow::e2e {

// Sent to a window of the thread that owns what is asked about; lParam = a ProbeRequest inside that process.
constexpr char kProbeMessage[] = "WrenhollowE2EProbe";
constexpr char kProbeHook[] = "InProcessProbeHook";

constexpr int kProbeMenuItems = 64;
constexpr int kProbeTextSize = 256;

enum class ProbeKind : int32_t {
  kMenu = 1,  // the items of the menu `handle`
  kFont = 2,  // the font a window (`handle`) draws with: WM_GETFONT, then its LOGFONT
};

struct ProbeMenuItem {
  uint32_t id;     // GetMenuItemID: 0xFFFFFFFF for an item that opens a submenu
  uint32_t state;  // GetMenuState by position
  uint64_t submenu;
  char text[kProbeTextSize];
};

struct ProbeRequest {
  ProbeKind kind;
  uint64_t handle;
  int32_t answered;  // 0 until the probe has answered, then 1
  int32_t count;     // menu: GetMenuItemCount; font: 1 when the window has a font of its own, else 0
  ProbeMenuItem items[kProbeMenuItems];
  LOGFONTA font;
};

}  // namespace wrenhollow::e2e
