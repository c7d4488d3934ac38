#include "ui/window_win32.h"

#include "lang/rtl_layout_win32.h"
#include "ui/fault_reporter_win32.h"
#include "util/text.h"

namespace wrenhollow {

Window::Window() { CopyBounded(className, "Wrenhollow"); }

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Window::OnCommand(WORD, WPARAM, LPARAM) {}
void Window::OnNotify(WPARAM, LPARAM) {}
void Window::OnDestroy() {}
void Window::OnSize() {}
void Window::OnCreate() {}

LRESULT Window::DispatchDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  handled = false;
  this->message = message;
  this->wParam = wParam;
  this->lParam = lParam;
  switch (message) {
    case WM_CREATE:
      // The window alone: it has no children yet.
      ApplyRtlLayout(hwnd, 0);
      OnCreate();
      created = true;
      break;
    case WM_DESTROY:
    case WM_QUERYENDSESSION:
      OnDestroy();
      break;
    case WM_SIZE:
      OnSize();
      break;
    case WM_NOTIFY:
      OnNotify(wParam, lParam);
      break;
    case WM_COMMAND:
      OnCommand(HIWORD(wParam), wParam, lParam);
      break;
  }
  return handled ? result : DefWindowProcA(hwnd, message, wParam, lParam);
}

void Window::PostToWindow(UINT message) { PostMessageA(hwnd, message, 0, 0); }

WindowMap<Window>& TheWindowMap() {
  static WindowMap<Window> map;
  return map;
}

LRESULT CALLBACK SharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    auto* object = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    object->hwnd = window;
    TheWindowMap().Insert(object, window);
  }
  Window* object = TheWindowMap().Find(window);
  if (object == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  CallGuarded(window, [&] { result = object->WindowProc(message, wParam, lParam); });
  // The last message a window gets; after it the handle may name another window.
  if (message == WM_NCDESTROY) TheWindowMap().Remove(object);
  return result;
}

}  // namespace wrenhollow
