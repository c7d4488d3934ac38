#include "gui_driver/gui_driver.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "gui_driver/in_process_probe.h"

namespace wrenhollow::e2e {
namespace {

constexpr size_t kTextSize = 1024;

bool SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, DWORD timeoutMs = 5000) {
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &answer) == 0) return false;
  if (result != nullptr) *result = static_cast<LRESULT>(answer);
  return true;
}

// Sends the message with lParam pointing at a copy of the block inside the window's process, then reads the block
// back. With text: the block's first textField bytes are a char* aimed at a text buffer placed after the block;
// the text the field points at when the owner answers (its own buffer, or another text it aimed the field at)
// comes back in *text.
bool SendRemote(HWND window, UINT message, WPARAM wParam, void* block, size_t size, LRESULT* answer,
                size_t textField = 0, std::string* text = nullptr) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return false;
  // Zeroed by the system: the text buffer starts empty.
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size + kTextSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  char* textAt = remote + size;
  char* field = static_cast<char*>(block) + textField;
  if (text != nullptr) std::memcpy(field, &textAt, sizeof textAt);
  const bool done = remote != nullptr && WriteProcessMemory(process, remote, block, size, nullptr) &&
                    SendTimed(window, message, wParam, reinterpret_cast<LPARAM>(remote), answer) &&
                    ReadProcessMemory(process, remote, block, size, nullptr);
  if (done && text != nullptr) {
    std::memcpy(&textAt, field, sizeof textAt);
    text->clear();
    // Byte by byte: a text the owner aimed at may end just before memory that cannot be read.
    for (char c = 0; textAt != nullptr && text->size() < kTextSize &&
                     ReadProcessMemory(process, textAt + text->size(), &c, 1, nullptr) && c != '\0';) {
      *text += c;
    }
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return done;
}

// Real pointer input in the middle of a rectangle the control answers in its own coordinates (away from a
// header's dividers, where a press would start a resize). The screen must show the control there: the pointer
// arrives from a pixel away, then the left button clicks `clicks` times (0: the pointer only hovers).
bool ClickCenterOf(HWND control, UINT message, WPARAM wParam, RECT rect, int clicks, std::string* error) {
  LRESULT found = 0;
  POINT point{};
  if (SendRemote(control, message, wParam, &rect, sizeof rect, &found) && found != 0) {
    point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(control, &point);
  }
  if (found == 0 || WindowFromPoint(point) != control) {
    *error = "item " + std::to_string(wParam) + " is not on the screen, or covered, at " + std::to_string(point.x) +
             "," + std::to_string(point.y);
    return false;
  }
  // Clicks within the double-click time make a double click: separate clicks wait it out.
  static ULONGLONG lastClick = 0;
  const ULONGLONG due = lastClick + GetDoubleClickTime() + 50;
  if (clicks > 0 && GetTickCount64() < due) Sleep(static_cast<DWORD>(due - GetTickCount64()));
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;
  input.mi.dx = 1;
  bool done = SetCursorPos(point.x - 1, point.y) && SendInput(1, &input, sizeof input) == 1;
  input.mi.dx = 0;
  for (int i = 0; done && i < clicks * 2; ++i) {
    input.mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    done = SendInput(1, &input, sizeof input) == 1;
    Sleep(30);  // a press and release in the same instant can be merged away
  }
  if (clicks > 0) lastClick = GetTickCount64();
  if (!done) *error = "SendInput failed";
  return done;
}

}  // namespace

std::string ToWindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() >= end) return done();
    Sleep(pollMs);
  }
  return true;
}

HWND WaitForWindow(const char* className, DWORD processId, DWORD timeoutMs, const char* title, HWND owner,
                   bool visibleOnly) {
  HWND found = nullptr;
  const std::function<bool(HWND)> matches = [&](HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    DWORD windowProcess = 0;
    GetWindowThreadProcessId(window, &windowProcess);
    if ((visibleOnly && !IsWindowVisible(window)) || std::strcmp(name, className) != 0 ||
        (processId != 0 && windowProcess != processId) || (owner != nullptr && GetWindow(window, GW_OWNER) != owner) ||
        (title != nullptr && WindowText(window) != title)) {
      return false;
    }
    found = window;
    return true;
  };
  // Enumeration goes on while the window does not match.
  const WNDENUMPROC next = [](HWND window, LPARAM match) -> BOOL {
    return !(*reinterpret_cast<const std::function<bool(HWND)>*>(match))(window);
  };
  WaitUntil([&] { return EnumWindows(next, reinterpret_cast<LPARAM>(&matches)), found != nullptr; }, timeoutMs);
  return found;
}

std::string WindowText(HWND window) {
  char text[kTextSize] = {};
  if (!SendTimed(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), nullptr)) return "";
  return std::string(text, strnlen(text, sizeof text));
}

std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

bool SetText(HWND control, const std::string& text) {
  return SendTimed(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), nullptr) && WindowText(control) == text;
}

bool PressDialogButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return button != nullptr &&
         PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
}

bool PostKey(HWND window, UINT virtualKey) {
  const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  return PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16)) != 0 &&
         PostMessageA(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u) != 0;
}

bool FillSaveDialog(HWND dialog, int filterIndex, const std::string& name) {
  // The file type list, and the file name box (a ComboBoxEx32 holding a ComboBox holding an Edit, all id 1148).
  constexpr int kFileTypeList = 1136;
  HWND types = GetDlgItem(dialog, kFileTypeList);
  LRESULT selected = CB_ERR;
  // A choice in the list ends with both notifications: Windows acts on CBN_SELCHANGE, Wine on CBN_SELENDOK.
  const auto from = reinterpret_cast<LPARAM>(types);
  return SendTimed(types, CB_SETCURSEL, static_cast<WPARAM>(filterIndex - 1), 0, &selected) &&
         selected == filterIndex - 1 &&
         SendTimed(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, CBN_SELCHANGE), from, nullptr) &&
         SendTimed(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, CBN_SELENDOK), from, nullptr) &&
         SetText(GetDlgItem(dialog, 1148), name);
}

bool ReadMenu(HWND owner, HMENU menu, std::vector<MenuItem>* items, std::string* error) {
  static HMODULE probe = LoadLibraryA(ToWindowsPath(WRENHOLLOW_PROBE_DLL).c_str());
  const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, kProbeHook)));
  HHOOK installed = hook == nullptr ? nullptr
                                    : SetWindowsHookExA(WH_CALLWNDPROC, hook, probe, GetWindowThreadProcessId(owner, nullptr));
  if (installed == nullptr) {
    *error = std::string("cannot hook the window's thread with ") + WRENHOLLOW_PROBE_DLL;
    return false;
  }
  auto request = std::make_unique<ProbeRequest>();
  request->menu = reinterpret_cast<uint64_t>(menu);
  static const UINT message = RegisterWindowMessageA(kProbeMessage);
  const bool sent = SendRemote(owner, message, 0, request.get(), sizeof *request, nullptr);
  UnhookWindowsHookEx(installed);
  if (!sent || request->answered != 1 || request->count < 0) {
    *error = "the probe did not read a menu";
    return false;
  }
  for (int i = 0; i < request->count && i < kProbeMenuItems; ++i) {
    const ProbeMenuItem& read = request->items[i];
    items->push_back({read.id, read.state, read.text});
    if (read.submenu != 0 && !ReadMenu(owner, reinterpret_cast<HMENU>(read.submenu), items, error)) return false;
  }
  return true;
}

MenuItem FindItem(const std::vector<MenuItem>& items, UINT id) {
  const auto found = std::find_if(items.begin(), items.end(), [&](const MenuItem& item) { return item.id == id; });
  return found == items.end() ? MenuItem{} : *found;
}

bool TrayIconPresent(HWND owner, UINT id) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = owner;
  icon.uID = id;
  return Shell_NotifyIconA(NIM_MODIFY, &icon) != 0;
}

bool AppWindow::SendCommand(WORD id, DWORD timeoutMs) const {
  return SendTimed(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0, nullptr, timeoutMs);
}

bool AppWindow::PostCommand(WORD id) const { return PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0) != 0; }

HWND AppWindow::Header() const {
  LRESULT header = 0;
  return SendTimed(ListView(), LVM_GETHEADER, 0, 0, &header) ? reinterpret_cast<HWND>(header) : nullptr;
}

int AppWindow::RowCount() const {
  LRESULT count = 0;
  return ListView() != nullptr && SendTimed(ListView(), LVM_GETITEMCOUNT, 0, 0, &count) ? static_cast<int>(count) : -1;
}

bool AppWindow::ReadRow(int row, ListRow* out) const {
  LRESULT columns = 0;
  HWND header = Header();
  if (header == nullptr || !SendTimed(header, HDM_GETITEMCOUNT, 0, 0, &columns) || columns <= 0) return false;
  out->texts.assign(static_cast<size_t>(columns), "");
  for (int column = 0; column < columns; ++column) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | (column == 0 ? LVIF_IMAGE : 0);
    item.iItem = row;
    item.iSubItem = column;
    item.cchTextMax = static_cast<int>(kTextSize);
    LRESULT done = 0;
    if (!SendRemote(ListView(), LVM_GETITEMA, 0, &item, sizeof item, &done, offsetof(LVITEMA, pszText),
                    &out->texts[static_cast<size_t>(column)]) ||
        done == 0) {
      return false;
    }
    if (column == 0) out->image = item.iImage;
  }
  return true;
}

std::vector<ListRow> AppWindow::ReadRows() const {
  std::vector<ListRow> rows(static_cast<size_t>(std::max(RowCount(), 0)));
  for (size_t row = 0; row < rows.size(); ++row) {
    if (!ReadRow(static_cast<int>(row), &rows[row])) return {};
  }
  return rows;
}

bool AppWindow::SelectRows(const std::vector<int>& rows) const {
  auto setState = [&](int row, UINT state) {
    LVITEMA item{};
    item.state = state;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    LRESULT done = 0;
    return SendRemote(ListView(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), &item, sizeof item, &done) && done != 0;
  };
  return setState(-1, 0) &&
         std::all_of(rows.begin(), rows.end(), [&](int row) { return setState(row, LVIS_SELECTED | LVIS_FOCUSED); });
}

std::vector<int> AppWindow::SelectedRows() const {
  std::vector<int> rows;
  LRESULT row = -1;
  while (SendTimed(ListView(), LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED, &row) && row >= 0) {
    rows.push_back(static_cast<int>(row));
  }
  return rows;
}

bool AppWindow::PostContextMenu() const {
  RECT rect{};
  GetWindowRect(ListView(), &rect);
  return PostMessageA(main_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ListView()),
                      MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2)) != 0;
}

bool AppWindow::HoverToolbarButton(WORD command, std::string* error) const {
  return ClickCenterOf(Toolbar(), TB_GETRECT, command, {}, 0, error);
}

bool AppWindow::ClickHeader(int column, std::string* error) const {
  return ClickCenterOf(Header(), HDM_GETITEMRECT, static_cast<WPARAM>(column), {}, 1, error);
}

bool AppWindow::DoubleClickRow(int row, std::string* error) const {
  return ClickCenterOf(ListView(), LVM_GETITEMRECT, static_cast<WPARAM>(row), {LVIR_LABEL, 0, 0, 0}, 2, error);
}

std::string AppWindow::StatusText(int part) const {
  char text[kTextSize] = {};
  return SendRemote(StatusBar(), SB_GETTEXTA, part, text, sizeof text, nullptr) ? std::string(text, strnlen(text, sizeof text))
                                                                                : "";
}

std::string ClipboardText() {
  if (!WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 2000)) return "";
  std::string text;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (const char* locked = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
    text.assign(locked, strnlen(locked, GlobalSize(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace wrenhollow::e2e
