#pragma once

// What in_process_probe.dll and the driver share. Under Wine another process's menus cannot be read from outside
// (GetMenuItemCount answers -1 for them), so the driver hooks the owning thread with this DLL, which the system
// loads into that process, and asks it to read the menu there.

#include <windows.h>

#include <cstdint>

namespace wrenhollow::e2e {

// Sent to a window of the thread that owns the menu; lParam = a ProbeRequest inside that process.
constexpr char kProbeMessage[] = "WrenhollowE2EProbe";
constexpr char kProbeHook[] = "InProcessProbeHook";
constexpr int kProbeMenuItems = 64;

struct ProbeMenuItem {
  uint32_t id;     // GetMenuItemID: 0xFFFFFFFF for an item that opens a submenu
  uint32_t state;  // GetMenuState by position
  uint64_t submenu;
  char text[256];
};

struct ProbeRequest {
  uint64_t menu;
  int32_t answered;  // 0 until the probe has answered, then 1
  int32_t count;     // GetMenuItemCount: -1 for what is not a menu of that thread
  ProbeMenuItem items[kProbeMenuItems];
};

}  // namespace wrenhollow::e2e
