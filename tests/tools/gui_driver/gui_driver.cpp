#include "gui_driver/gui_driver.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <memory>

#include "gui_driver/in_process_probe.h"

namespace wrenhollow::e2e {
namespace {

constexpr size_t kTextSize = 1024;
constexpr size_t kNoText = SIZE_MAX;

bool SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, DWORD timeoutMs = 5000) {
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &answer) == 0) return false;
  if (result != nullptr) *result = static_cast<LRESULT>(answer);
  return true;
}

// A NUL-terminated text at an address of the process, read in chunks; near the end of readable memory a chunk
// is read again byte by byte.
std::string ReadRemoteText(HANDLE process, const char* address) {
  std::string text;
  char chunk[64];
  for (size_t done = 0; address != nullptr && done < kTextSize; done += sizeof chunk) {
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, address + done, chunk, sizeof chunk, &read)) {
      for (read = 0; read < sizeof chunk && ReadProcessMemory(process, address + done + read, chunk + read, 1, nullptr);)
        ++read;
    }
    const size_t length = strnlen(chunk, read);
    text.append(chunk, length);
    if (length < sizeof chunk) break;
  }
  return text;
}

// Sends the message with lParam pointing at a copy of the block inside the window's process, then reads the block
// back. textField: the offset of a char* field of the block, aimed at a text buffer placed after it, whose text
// (or whatever other text the owner aimed the field at) comes back in *text.
bool SendRemote(HWND window, UINT message, WPARAM wParam, void* block, size_t size, LRESULT* answer = nullptr,
                size_t textField = kNoText, std::string* text = nullptr) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return false;
  // Zeroed by the system: the text buffer starts empty.
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size + kTextSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  char* textAt = remote + size;
  auto* field = static_cast<char*>(block) + (textField == kNoText ? 0 : textField);
  if (textField != kNoText) std::memcpy(field, &textAt, sizeof textAt);
  const bool done = remote != nullptr && WriteProcessMemory(process, remote, block, size, nullptr) &&
                    SendTimed(window, message, wParam, reinterpret_cast<LPARAM>(remote), answer) &&
                    ReadProcessMemory(process, remote, block, size, nullptr);
  if (done && text != nullptr) {
    std::memcpy(&textAt, field, sizeof textAt);
    *text = ReadRemoteText(process, textAt);
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return done;
}

struct WindowSearch {
  const char* className;
  const char* title;
  DWORD processId;
  HWND owner;
  bool visibleOnly;
  HWND found;
};

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if ((search->visibleOnly && !IsWindowVisible(window)) || ClassNameOf(window) != search->className ||
      (search->processId != 0 && processId != search->processId) ||
      (search->owner != nullptr && GetWindow(window, GW_OWNER) != search->owner) ||
      (search->title != nullptr && WindowText(window) != search->title)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND WaitForMatch(WindowSearch search, DWORD timeoutMs) {
  WaitUntil([&] { return EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search)), search.found != nullptr; },
            timeoutMs);
  return search.found;
}

bool SetRowState(HWND list, int row, UINT state) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  LRESULT done = 0;
  return SendRemote(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), &item, sizeof item, &done) && done != 0;
}

// The screen point in the middle of a rectangle the control answers in its own coordinates.
bool CenterOf(HWND control, UINT message, WPARAM wParam, RECT rect, POINT* point) {
  LRESULT done = 0;
  if (!SendRemote(control, message, wParam, &rect, sizeof rect, &done) || done == 0) return false;
  *point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return ClientToScreen(control, point) != 0;
}

}  // namespace

std::string ToWindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  for (char& c : windows) c = c == '/' ? '\\' : c;
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

HWND FindTopLevelWindow(const char* className, DWORD processId, const char* title, bool visibleOnly) {
  return WaitForMatch({className, title, processId, nullptr, visibleOnly, nullptr}, 0);
}

HWND WaitForWindow(const char* className, DWORD processId, DWORD timeoutMs, const char* title) {
  return WaitForMatch({className, title, processId, nullptr, true, nullptr}, timeoutMs);
}

HWND WaitForOwnedWindow(HWND owner, const char* className, DWORD timeoutMs) {
  return WaitForMatch({className, nullptr, 0, owner, true, nullptr}, timeoutMs);
}

std::string WindowText(HWND window) {
  char text[kTextSize] = {};
  LRESULT length = 0;
  if (!SendTimed(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), &length)) return "";
  return std::string(text, strnlen(text, sizeof text));
}

std::string MessageBoxText(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassNameOf(child) == "Static" && !WindowText(child).empty()) return WindowText(child);
  }
  return "";
}

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

bool ClickAt(HWND target, POINT point, int clicks, std::string* error) {
  if (WindowFromPoint(point) != target) {
    *error = "the target is covered or off the screen at " + std::to_string(point.x) + "," + std::to_string(point.y);
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

// The file dialog's file name box (a ComboBoxEx32 holding a ComboBox holding an Edit, all with this id) and its
// file type list.
constexpr int kFileNameBox = 1148;
constexpr int kFileTypeList = 1136;

bool ChooseSaveDialogFileType(HWND dialog, int filterIndex) {
  HWND types = GetDlgItem(dialog, kFileTypeList);
  LRESULT selected = CB_ERR;
  // A choice in the list ends with both notifications: Windows acts on CBN_SELCHANGE, Wine on CBN_SELENDOK.
  const auto from = reinterpret_cast<LPARAM>(types);
  return SendTimed(types, CB_SETCURSEL, static_cast<WPARAM>(filterIndex - 1), 0, &selected) &&
         selected == filterIndex - 1 &&
         SendTimed(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, CBN_SELCHANGE), from, nullptr) &&
         SendTimed(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, CBN_SELENDOK), from, nullptr);
}

bool SetSaveDialogFileName(HWND dialog, const std::string& name) { return SetText(GetDlgItem(dialog, kFileNameBox), name); }

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
  const bool sent = SendRemote(owner, message, 0, request.get(), sizeof *request);
  UnhookWindowsHookEx(installed);
  if (!sent || request->answered != 1 || request->count < 0) {
    *error = "the probe did not read a menu";
    return false;
  }
  for (int i = 0; i < request->count && i < kProbeMenuItems; ++i) {
    const ProbeMenuItem& read = request->items[i];
    items->push_back({read.id, read.state, read.text, reinterpret_cast<HMENU>(read.submenu)});
    if (read.submenu != 0 && !ReadMenu(owner, items->back().submenu, items, error)) return false;
  }
  return true;
}

MenuItem FindItem(const std::vector<MenuItem>& items, UINT id) {
  for (const MenuItem& item : items) {
    if (item.id == id) return item;
  }
  return {};
}

HMENU MenuOfPopup(HWND popup) {
  LRESULT menu = 0;
  return SendTimed(popup, MN_GETHMENU, 0, 0, &menu) ? reinterpret_cast<HMENU>(menu) : nullptr;
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
  if (!SetRowState(ListView(), -1, 0)) return false;
  for (int row : rows) {
    if (!SetRowState(ListView(), row, LVIS_SELECTED | LVIS_FOCUSED)) return false;
  }
  return true;
}

std::vector<int> AppWindow::SelectedRows() const {
  std::vector<int> rows;
  LRESULT row = -1;
  while (SendTimed(ListView(), LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED, &row) && row >= 0) {
    rows.push_back(static_cast<int>(row));
  }
  return rows;
}

int AppWindow::ToolbarState(WORD command) const {
  LRESULT state = -1;
  return SendTimed(Toolbar(), TB_GETSTATE, command, 0, &state) ? static_cast<int>(state) : -1;
}

bool AppWindow::ToolbarButtonCenter(WORD command, POINT* point) const {
  return CenterOf(Toolbar(), TB_GETRECT, command, {}, point);
}

bool AppWindow::PostContextMenu() const {
  RECT rect{};
  GetWindowRect(ListView(), &rect);
  return PostMessageA(main_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ListView()),
                      MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2)) != 0;
}

bool AppWindow::ClickHeader(int column, std::string* error) const {
  POINT point{};
  // In the middle, away from the dividers, where a press would start a resize.
  if (!CenterOf(Header(), HDM_GETITEMRECT, column, {}, &point)) {
    *error = "no rectangle for header item " + std::to_string(column);
    return false;
  }
  return ClickAt(Header(), point, 1, error);
}

bool AppWindow::DoubleClickRow(int row, std::string* error) const {
  POINT point{};
  if (!CenterOf(ListView(), LVM_GETITEMRECT, row, {LVIR_LABEL, 0, 0, 0}, &point)) {
    *error = "no rectangle for row " + std::to_string(row);
    return false;
  }
  return ClickAt(ListView(), point, 2, error);
}

std::string AppWindow::StatusText(int part) const {
  char text[kTextSize] = {};
  return SendRemote(StatusBar(), SB_GETTEXTA, part, text, sizeof text) ? std::string(text, strnlen(text, sizeof text))
                                                                       : "";
}

LRESULT AppWindow::SetTitle(const std::string& text) const {
  LRESULT result = 0;
  SendTimed(main_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result);
  return result;
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

bool SaveScreenshot(HWND window, const std::string& path, std::string* error) {
  RECT rect{};
  if (!IsWindowVisible(window) || !GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
    *error = "the window is not visible";
    return false;
  }
  // The owner paints on its own time, and Wine hands its drawing to the X server a little later still.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SendTimed(window, WM_NULL, 0, 0, nullptr);
  Sleep(300);
  // 24 bits: a 32-bit .bmp would carry the screen's unused fourth byte, which viewers take for transparency.
  BITMAPINFOHEADER header{sizeof header, rect.right - rect.left, rect.bottom - rect.top, 1, 24, BI_RGB};
  header.biSizeImage = ((static_cast<DWORD>(header.biWidth) * 3 + 3) & ~3u) * static_cast<DWORD>(header.biHeight);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, header.biWidth, header.biHeight, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  BITMAPFILEHEADER file{0x4D42 /* "BM" */, 0, 0, 0, sizeof file + sizeof header};
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  if (copied) out.write(static_cast<const char*>(bits), header.biSizeImage);
  DeleteObject(bitmap);
  if (!copied || !out.good()) *error = copied ? "cannot write " + path : "BitBlt from the screen failed";
  return copied && out.good();
}

}  // namespace wrenhollow::e2e
