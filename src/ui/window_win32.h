#pragma once

#include <windows.h>

#include "ui/window_map_win32.h"

namespace wrenhollow {

// A top-level window whose messages arrive through SharedWindowProc. The object is the creation parameter
// of CreateWindowExA and must outlive its window.
class Window {
 public:
  Window();
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // A derived window answers what it wants and passes the rest to DispatchDefault.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void OnCommand(WORD notification, WPARAM wParam, LPARAM lParam);
  virtual void OnNotify(WPARAM wParam, LPARAM lParam);
  // Also called for WM_QUERYENDSESSION, so the window saves its state when the session ends.
  virtual void OnDestroy();
  virtual void OnSize();
  virtual void OnCreate();

  // Routes WM_CREATE, WM_DESTROY, WM_QUERYENDSESSION, WM_SIZE, WM_NOTIFY and WM_COMMAND to the handlers;
  // returns result when a handler set handled, else what DefWindowProcA answers.
  LRESULT DispatchDefault(UINT message, WPARAM wParam, LPARAM lParam);
  void PostToWindow(UINT message);
  HWND Handle() const { return hwnd; }

  // Both the registered class name and the title given at creation.
  char className[256];
  HICON icon = nullptr;

 protected:
  HWND hwnd = nullptr;
  bool handled = false;
  LRESULT result = 0;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  bool created = false;

  friend LRESULT CALLBACK SharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The window procedure of every class whose windows are Window objects. An object is in the window map from
// its WM_CREATE until its WM_NCDESTROY; before and after, messages go to DefWindowProcA. A handler that faults
// is reported and its message answers 0.
LRESULT CALLBACK SharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

WindowMap<Window>& TheWindowMap();

}  // namespace wrenhollow
