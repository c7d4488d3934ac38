#include "gui_driver/gui_driver.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <fstream>
#include <memory>

#include "gui_driver/in_process_probe.h"

namespace wrenhollow::e2e {
namespace {

constexpr size_t kTextSize = 1024;

struct WindowSearch {
  const char* className;
  const char* title;
  DWORD processId;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (search->processId != 0 && processId != search->processId) return TRUE;
  if (ClassNameOf(window) != search->className) return TRUE;
  if (search->title != nullptr && WindowText(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindWindowMatching(const char* className, const char* title, DWORD processId, bool visibleOnly) {
  WindowSearch search{className, title, processId, visibleOnly, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, DWORD timeoutMs = 5000) {
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &answer) == 0) return false;
  if (result != nullptr) *result = static_cast<LRESULT>(answer);
  return true;
}

BOOL CALLBACK AddDescendant(HWND window, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
  return TRUE;
}

struct OwnedSearch {
  HWND owner;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<OwnedSearch*>(lParam);
  if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search->owner ||
      ClassNameOf(window) != search->className) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

std::string ToWindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  return windows;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return done();
    Sleep(pollMs);
  }
}

HWND FindTopLevelWindow(const char* className, DWORD processId, bool visibleOnly) {
  return FindWindowMatching(className, nullptr, processId, visibleOnly);
}

HWND WaitForWindow(const char* className, DWORD processId, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevelWindow(className, processId)) != nullptr; }, timeoutMs);
  return found;
}

HWND WaitForDialog(DWORD processId, const char* title, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowMatching("#32770", title, processId, true)) != nullptr; }, timeoutMs);
  return found;
}

HWND WaitForOwnedWindow(HWND owner, const char* className, DWORD timeoutMs) {
  OwnedSearch search{owner, className, nullptr};
  WaitUntil([&] { return EnumWindows(MatchOwned, reinterpret_cast<LPARAM>(&search)), search.found != nullptr; },
            timeoutMs);
  return search.found;
}

std::vector<HWND> DescendantWindows(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, AddDescendant, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string WindowText(HWND window) {
  char text[kTextSize] = {};
  DWORD_PTR length = 0;
  if (SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                          &length) == 0) {
    return "";
  }
  return std::string(text, strnlen(text, sizeof text));
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool ClickDialogButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return button != nullptr && IsWindowEnabled(button) &&
         SendTimed(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button), nullptr);
}

HWND FocusOfThread(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
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

bool TypeText(HWND control, const std::string& text) {
  // Sent rather than posted, so that each character has been handled when the call returns.
  for (char c : text) {
    if (!SendTimed(control, WM_CHAR, static_cast<unsigned char>(c), 1, nullptr)) return false;
  }
  return true;
}

RemoteMemory::RemoteMemory(HWND owner, size_t size) : size_(size) {
  DWORD processId = 0;
  GetWindowThreadProcessId(owner, &processId);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
                         processId);
  if (process_ != nullptr) {
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
}

RemoteMemory::~RemoteMemory() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  if (process_ != nullptr) CloseHandle(process_);
}

bool RemoteMemory::Write(const void* data, size_t size, size_t offset) const {
  SIZE_T written = 0;
  return ok() && offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, &written) &&
         written == size;
}

bool RemoteMemory::Read(void* data, size_t size, size_t offset) const {
  SIZE_T read = 0;
  return ok() && offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, &read) && read == size;
}

std::string RemoteMemory::ReadText(const void* address, size_t size) const {
  std::string text;
  char chunk[64];
  for (size_t done = 0; done < size && address != nullptr; done += sizeof chunk) {
    SIZE_T read = 0;
    // Byte by byte at the end of a page would be slow; a short read near the end of readable memory is retried
    // one byte at a time.
    if (!ReadProcessMemory(process_, static_cast<const char*>(address) + done, chunk, sizeof chunk, &read)) {
      for (read = 0; read < sizeof chunk; ++read) {
        if (!ReadProcessMemory(process_, static_cast<const char*>(address) + done + read, chunk + read, 1, nullptr)) {
          break;
        }
      }
    }
    for (size_t i = 0; i < read && done + i < size; ++i) {
      if (chunk[i] == '\0') return text;
      text += chunk[i];
    }
    if (read < sizeof chunk) break;
  }
  return text;
}

std::string ListViewText(HWND list, int row, int column) {
  RemoteMemory memory(list, sizeof(LVITEMA) + kTextSize);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = static_cast<char*>(memory.At(sizeof(LVITEMA)));
  item.cchTextMax = static_cast<int>(kTextSize);
  const char empty = '\0';
  if (!memory.Write(&item, sizeof item) || !memory.Write(&empty, 1, sizeof(LVITEMA)) ||
      !SendTimed(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.At()), nullptr) ||
      !memory.Read(&item, sizeof item)) {
    return "";
  }
  return memory.ReadText(item.pszText, kTextSize);
}

UINT ListViewState(HWND list, int row, UINT mask) {
  LRESULT state = 0;
  SendTimed(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask, &state);
  return static_cast<UINT>(state);
}

bool SetListViewState(HWND list, int row, UINT state, UINT mask) {
  RemoteMemory memory(list, sizeof(LVITEMA));
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  LRESULT ok = 0;
  return memory.Write(&item, sizeof item) &&
         SendTimed(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.At()), &ok) &&
         ok != 0;
}

std::vector<int> SelectedListRows(HWND list) {
  std::vector<int> rows;
  LRESULT row = -1;
  while (SendTimed(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED, &row) && row >= 0) {
    rows.push_back(static_cast<int>(row));
  }
  return rows;
}

std::string ComboItemText(HWND combo, int index) {
  LRESULT length = 0;
  if (!SendTimed(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0, &length) || length < 0 ||
      static_cast<size_t>(length) >= kTextSize) {
    return "";
  }
  // A standard control's message below WM_USER: the system carries its buffer across processes, as for WM_GETTEXT.
  // Asked for in UTF-16, which a Unicode combo box (the common dialogs') hands over unconverted either way.
  wchar_t wide[kTextSize] = {};
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide),
                          SMTO_ABORTIFHUNG, 5000, &ignored) == 0) {
    return "";
  }
  char text[kTextSize] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return std::string(text, strnlen(text, sizeof text));
}

namespace {
// Controls of the common file dialog: the file name box (a ComboBoxEx32 holding a ComboBox holding an Edit, all
// with this id) and the file type list.
constexpr int kFileNameBox = 1148;
constexpr int kFileTypeList = 1136;
}  // namespace

int SaveDialogFileType(HWND dialog) {
  LRESULT selected = CB_ERR;
  if (!SendTimed(GetDlgItem(dialog, kFileTypeList), CB_GETCURSEL, 0, 0, &selected) || selected < 0) return 0;
  return static_cast<int>(selected) + 1;
}

bool ChooseSaveDialogFileType(HWND dialog, int filterIndex) {
  HWND types = GetDlgItem(dialog, kFileTypeList);
  LRESULT selected = CB_ERR;
  if (types == nullptr || !SendTimed(types, CB_SETCURSEL, static_cast<WPARAM>(filterIndex - 1), 0, &selected) ||
      selected != filterIndex - 1) {
    return false;
  }
  // A choice in the list ends with both notifications: Windows acts on CBN_SELCHANGE, Wine on CBN_SELENDOK.
  const LPARAM from = reinterpret_cast<LPARAM>(types);
  return SendTimed(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, CBN_SELCHANGE), from, nullptr) &&
         SendTimed(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, CBN_SELENDOK), from, nullptr);
}

bool SetSaveDialogFileName(HWND dialog, const std::string& name) {
  HWND box = GetDlgItem(dialog, kFileNameBox);
  LRESULT ok = 0;
  return box != nullptr && SendTimed(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), &ok) && ok != 0 &&
         WindowText(box) == name;
}

namespace {

// Asks in_process_probe.dll, hooked into the thread that owns the window, to answer the request there.
bool AskProbe(HWND owner, ProbeRequest* request, std::string* error) {
  static HMODULE probe = LoadLibraryA(ToWindowsPath(WRENHOLLOW_PROBE_DLL).c_str());
  const auto hook = probe == nullptr
                        ? nullptr
                        : reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, kProbeHook)));
  if (hook == nullptr) {
    *error = std::string("cannot load ") + WRENHOLLOW_PROBE_DLL;
    return false;
  }
  RemoteMemory memory(owner, sizeof(ProbeRequest));
  request->answered = 0;
  if (!memory.Write(request, sizeof *request)) {
    *error = "no memory in the window's process";
    return false;
  }
  HHOOK installed = SetWindowsHookExA(WH_CALLWNDPROC, hook, probe, GetWindowThreadProcessId(owner, nullptr));
  if (installed == nullptr) {
    *error = "SetWindowsHookEx failed: " + std::to_string(GetLastError());
    return false;
  }
  static const UINT message = RegisterWindowMessageA(kProbeMessage);
  const bool sent = SendTimed(owner, message, 0, reinterpret_cast<LPARAM>(memory.At()), nullptr);
  UnhookWindowsHookEx(installed);
  if (!sent || !memory.Read(request, sizeof *request) || request->answered != 1) {
    *error = "the probe did not answer";
    return false;
  }
  return true;
}

}  // namespace

bool ReadMenu(HWND owner, HMENU menu, std::vector<MenuItem>* items, std::string* error) {
  items->clear();
  auto request = std::make_unique<ProbeRequest>();
  request->kind = ProbeKind::kMenu;
  request->handle = reinterpret_cast<uint64_t>(menu);
  if (!AskProbe(owner, request.get(), error)) return false;
  if (request->count < 0) {
    *error = "not a menu of that thread";
    return false;
  }
  for (int i = 0; i < request->count && i < kProbeMenuItems; ++i) {
    const ProbeMenuItem& read = request->items[i];
    MenuItem item;
    item.id = read.id;
    item.state = read.state;
    item.text.assign(read.text, strnlen(read.text, sizeof read.text));
    item.submenu = reinterpret_cast<HMENU>(read.submenu);
    items->push_back(item);
  }
  return true;
}

bool ReadFont(HWND window, LOGFONTA* font, std::string* error) {
  auto request = std::make_unique<ProbeRequest>();
  request->kind = ProbeKind::kFont;
  request->handle = reinterpret_cast<uint64_t>(window);
  if (!AskProbe(window, request.get(), error)) return false;
  if (request->count != 1) {
    *error = "the window draws with the system font";
    return false;
  }
  *font = request->font;
  return true;
}

HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs) { return WaitForWindow("#32768", processId, timeoutMs); }

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

HWND AppWindow::Header() const {
  LRESULT header = 0;
  return SendTimed(ListView(), LVM_GETHEADER, 0, 0, &header) ? reinterpret_cast<HWND>(header) : nullptr;
}

bool AppWindow::SendCommand(WORD id, DWORD timeoutMs) const {
  return SendTimed(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0, nullptr, timeoutMs);
}

bool AppWindow::PostCommand(WORD id) const { return PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0) != 0; }

int AppWindow::RowCount() const {
  LRESULT count = 0;
  return SendTimed(ListView(), LVM_GETITEMCOUNT, 0, 0, &count) ? static_cast<int>(count) : -1;
}

int AppWindow::ColumnCount() const {
  LRESULT count = 0;
  HWND header = Header();
  return header != nullptr && SendTimed(header, HDM_GETITEMCOUNT, 0, 0, &count) ? static_cast<int>(count) : -1;
}

bool AppWindow::ReadRow(int row, ListRow* out) const {
  const int columns = ColumnCount();
  HWND list = ListView();
  RemoteMemory memory(list, sizeof(LVITEMA) + kTextSize);
  if (columns < 0 || !memory.ok()) return false;
  out->texts.clear();
  out->image = -1;
  for (int column = 0; column < columns; ++column) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | (column == 0 ? LVIF_IMAGE : 0);
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = static_cast<char*>(memory.At(sizeof(LVITEMA)));
    item.cchTextMax = static_cast<int>(kTextSize);
    const char empty = '\0';
    LRESULT ok = 0;
    if (!memory.Write(&item, sizeof item) || !memory.Write(&empty, 1, sizeof(LVITEMA)) ||
        !SendTimed(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory.At()), &ok) || ok == 0 ||
        !memory.Read(&item, sizeof item)) {
      return false;
    }
    // The owner may have pointed pszText at a text of its own instead of filling the buffer.
    out->texts.push_back(memory.ReadText(item.pszText, kTextSize));
    if (column == 0) out->image = item.iImage;
  }
  return true;
}

std::vector<ListRow> AppWindow::ReadRows() const {
  std::vector<ListRow> rows;
  const int count = RowCount();
  for (int row = 0; row < count; ++row) {
    ListRow read;
    if (!ReadRow(row, &read)) break;
    rows.push_back(read);
  }
  return rows;
}

std::string AppWindow::ColumnTitle(int column) const {
  HWND header = Header();
  RemoteMemory memory(header, sizeof(HDITEMA) + kTextSize);
  HDITEMA item{};
  item.mask = HDI_TEXT;
  item.pszText = static_cast<char*>(memory.At(sizeof(HDITEMA)));
  item.cchTextMax = static_cast<int>(kTextSize);
  const char empty = '\0';
  LRESULT ok = 0;
  if (header == nullptr || !memory.Write(&item, sizeof item) || !memory.Write(&empty, 1, sizeof(HDITEMA)) ||
      !SendTimed(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(memory.At()), &ok) || ok == 0 ||
      !memory.Read(&item, sizeof item)) {
    return "";
  }
  return memory.ReadText(item.pszText, kTextSize);
}

int AppWindow::ColumnWidth(int column) const {
  LRESULT width = 0;
  return SendTimed(ListView(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0, &width) ? static_cast<int>(width)
                                                                                           : -1;
}

std::vector<int> AppWindow::ColumnOrder() const {
  const int count = ColumnCount();
  if (count <= 0) return {};
  std::vector<int> order(static_cast<size_t>(count));
  RemoteMemory memory(ListView(), order.size() * sizeof(int));
  LRESULT ok = 0;
  if (!memory.ok() ||
      !SendTimed(ListView(), LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(memory.At()), &ok) ||
      ok == 0 || !memory.Read(order.data(), order.size() * sizeof(int))) {
    return {};
  }
  return order;
}

bool AppWindow::SelectRows(const std::vector<int>& rows) const {
  if (RowCount() > 0 && !SetListViewState(ListView(), -1, 0, LVIS_SELECTED)) return false;
  for (int row : rows) {
    if (!SetListViewState(ListView(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED)) return false;
  }
  return true;
}

int AppWindow::ToolbarState(WORD command) const {
  LRESULT state = -1;
  return SendTimed(Toolbar(), TB_GETSTATE, command, 0, &state) ? static_cast<int>(state) : -1;
}

bool AppWindow::ToolbarButtonScreenRect(WORD command, RECT* rect) const {
  HWND toolbar = Toolbar();
  RemoteMemory memory(toolbar, sizeof(RECT));
  LRESULT ok = 0;
  if (!memory.ok() || !SendTimed(toolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(memory.At()), &ok) || ok == 0 ||
      !memory.Read(rect, sizeof *rect)) {
    return false;
  }
  MapWindowPoints(toolbar, HWND_DESKTOP, reinterpret_cast<POINT*>(rect), 2);
  return true;
}

bool AppWindow::PostContextMenu() const {
  RECT rect{};
  GetWindowRect(ListView(), &rect);
  return PostMessageA(main_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ListView()),
                      MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2)) != 0;
}

bool AppWindow::HeaderItemFormat(int column, int* format, int* image) const {
  HWND header = Header();
  RemoteMemory memory(header, sizeof(HDITEMA));
  HDITEMA item{};
  item.mask = HDI_FORMAT | HDI_IMAGE;
  LRESULT ok = 0;
  if (header == nullptr || !memory.Write(&item, sizeof item) ||
      !SendTimed(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(memory.At()), &ok) || ok == 0 ||
      !memory.Read(&item, sizeof item)) {
    return false;
  }
  *format = item.fmt;
  *image = item.iImage;
  return true;
}

bool AppWindow::HeaderItemScreenRect(int column, RECT* rect) const {
  HWND header = Header();
  RemoteMemory memory(header, sizeof(RECT));
  LRESULT ok = 0;
  if (header == nullptr || !memory.ok() ||
      !SendTimed(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(memory.At()), &ok) || ok == 0 ||
      !memory.Read(rect, sizeof *rect)) {
    return false;
  }
  MapWindowPoints(header, HWND_DESKTOP, reinterpret_cast<POINT*>(rect), 2);
  return true;
}

bool AppWindow::ClickHeader(int column, std::string* error) const {
  RECT rect;
  if (!HeaderItemScreenRect(column, &rect)) {
    *error = "no rectangle for header item " + std::to_string(column);
    return false;
  }
  // Away from the dividers, where a press would start a resize instead of a click.
  const POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return ClickAt(Header(), point, 1, error);
}

bool AppWindow::DoubleClickRow(int row, std::string* error) const {
  HWND list = ListView();
  RemoteMemory memory(list, sizeof(RECT));
  RECT rect{LVIR_LABEL, 0, 0, 0};
  LRESULT ok = 0;
  if (!memory.Write(&rect, sizeof rect) ||
      !SendTimed(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.At()), &ok) ||
      ok == 0 || !memory.Read(&rect, sizeof rect)) {
    *error = "no rectangle for row " + std::to_string(row);
    return false;
  }
  MapWindowPoints(list, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return ClickAt(list, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, 2, error);
}

bool HoverAt(HWND target, POINT point, std::string* error) {
  if (WindowFromPoint(point) != target) {
    *error = "the target is covered or off the screen";
    return false;
  }
  // The pointer arrives from a pixel away, as a hand moves it: the target sees a move onto it.
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;
  input.mi.dx = 1;
  if (!SetCursorPos(point.x - 1, point.y) || SendInput(1, &input, sizeof input) != 1) {
    *error = "cannot move the pointer";
    return false;
  }
  return true;
}

bool ClickAt(HWND target, POINT point, int clicks, std::string* error) {
  if (WindowFromPoint(point) != target) {
    *error =
        "the target is covered or off the screen at (" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
    return false;
  }
  // Clicks within the double-click time make a double click: separate clicks wait it out.
  static ULONGLONG lastClick = 0;
  const ULONGLONG due = lastClick + GetDoubleClickTime() + 50;
  if (lastClick != 0 && GetTickCount64() < due) Sleep(static_cast<DWORD>(due - GetTickCount64()));
  if (!SetCursorPos(point.x, point.y)) {
    *error = "SetCursorPos failed";
    return false;
  }
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  for (int click = 0; click < clicks; ++click) {
    for (INPUT& input : inputs) {
      if (SendInput(1, &input, sizeof(INPUT)) != 1) {
        *error = "SendInput failed";
        return false;
      }
      Sleep(30);  // a press and release in the same instant can be merged away
    }
  }
  lastClick = GetTickCount64();
  return true;
}

int AppWindow::StatusPartCount() const {
  LRESULT parts = 0;
  return SendTimed(StatusBar(), SB_GETPARTS, 0, 0, &parts) ? static_cast<int>(parts) : -1;
}

std::string AppWindow::StatusText(int part) const {
  HWND status = StatusBar();
  RemoteMemory memory(status, kTextSize);
  LRESULT length = 0;
  if (status == nullptr || !memory.ok() || !SendTimed(status, SB_GETTEXTLENGTHA, part, 0, &length) ||
      LOWORD(length) >= kTextSize) {
    return "";
  }
  const char empty = '\0';
  if (!memory.Write(&empty, 1) ||
      !SendTimed(status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(memory.At()), nullptr)) {
    return "";
  }
  return memory.ReadText(memory.At(), kTextSize);
}

LRESULT AppWindow::SetTitle(const std::string& text) const {
  LRESULT result = 0;
  SendTimed(main_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result);
  return result;
}

std::string ClipboardText() {
  if (!WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 2000)) return "";
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
      text.assign(locked, strnlen(locked, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool SetClipboardText(const std::string& text) {
  if (!WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 2000)) return false;
  bool set = false;
  if (EmptyClipboard()) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (char* locked = memory != nullptr ? static_cast<char*>(GlobalLock(memory)) : nullptr) {
      std::memcpy(locked, text.c_str(), text.size() + 1);
      GlobalUnlock(memory);
      set = SetClipboardData(CF_TEXT, memory) != nullptr;
    }
    if (!set && memory != nullptr) GlobalFree(memory);
  }
  CloseClipboard();
  return set;
}

bool SaveScreenshot(HWND window, const std::string& path, std::string* error) {
  RECT rect;
  if (!IsWindowVisible(window) || !GetWindowRect(window, &rect)) {
    *error = "the window is not visible";
    return false;
  }
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) {
    *error = "the window has no area";
    return false;
  }
  // The owner paints on its own time, and Wine hands its drawing to the X server a little later still.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  Sleep(300);
  // 24 bits: a 32-bit .bmp would carry the screen's unused fourth byte, which viewers take for transparency.
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as a .bmp file stores its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = imageSize;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool copied = false;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
    SelectObject(memory, old);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    *error = "BitBlt from the screen failed";
    return false;
  }
  GdiFlush();
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageSize;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), imageSize);
  DeleteObject(bitmap);
  if (!out.good()) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace wrenhollow::e2e
