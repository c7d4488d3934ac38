#include "gui_driver/gui_driver.h"

#include <commctrl.h>

#include <fstream>

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

}  // namespace

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

bool PressDialogButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return button != nullptr &&
         PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
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
  HWND header = Header();
  if (WindowFromPoint(point) != header) {
    *error = "header item " + std::to_string(column) + " is covered or off the screen at (" + std::to_string(point.x) +
             "," + std::to_string(point.y) + ")";
    return false;
  }
  // Two clicks within the double-click time make a double click, which a header does not take as a click.
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
  if (SendInput(1, &inputs[0], sizeof(INPUT)) != 1) {
    *error = "SendInput failed";
    return false;
  }
  Sleep(30);  // a press and release in the same instant can be merged away
  if (SendInput(1, &inputs[1], sizeof(INPUT)) != 1) {
    *error = "SendInput failed";
    return false;
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
