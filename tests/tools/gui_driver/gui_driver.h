#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace wrenhollow::e2e {

// Asks done() every pollMs until it answers true or timeoutMs have passed; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = 10);

// The first visible top-level window of the class, of the process when processId is not 0.
HWND FindTopLevelWindow(const char* className, DWORD processId, bool visibleOnly = true);
HWND WaitForWindow(const char* className, DWORD processId, DWORD timeoutMs);
// A visible dialog (#32770) of the process whose title is exactly title.
HWND WaitForDialog(DWORD processId, const char* title, DWORD timeoutMs);

// WM_GETTEXT: another process's window answers with its current text (GetWindowText would not).
std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);
// Presses a dialog button the way a click does: a posted WM_COMMAND with BN_CLICKED from the button.
bool PressDialogButton(HWND dialog, int id);

// A block of memory inside the process that owns a window. Messages whose parameters point to memory
// (LVM_GETITEMA, SB_GETTEXTA, HDM_GETITEMRECT...) are not carried across processes, so their structures and
// buffers must live in the target; a pointer into this process would be read there as a wild one.
class RemoteMemory {
 public:
  RemoteMemory(HWND owner, size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool ok() const { return address_ != nullptr; }
  // The block's address as the target sees it, offset bytes in.
  void* At(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(const void* data, size_t size, size_t offset = 0) const;
  bool Read(void* data, size_t size, size_t offset = 0) const;
  // A NUL-terminated text at any address of the target, at most size bytes.
  std::string ReadText(const void* address, size_t size) const;

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_ = 0;
};

struct ListRow {
  std::vector<std::string> texts;  // one per column, by column index
  int image = -1;
};

// The program's main window and its children, driven from another process.
class AppWindow {
 public:
  static constexpr int kStatusBarId = 257;
  static constexpr int kToolbarId = 258;
  static constexpr int kListViewId = 259;

  explicit AppWindow(HWND main) : main_(main) {}
  HWND handle() const { return main_; }
  HWND Control(int id) const { return GetDlgItem(main_, id); }
  HWND ListView() const { return Control(kListViewId); }
  HWND StatusBar() const { return Control(kStatusBarId); }
  HWND Header() const;

  // WM_COMMAND as a menu item sends it; false when the window did not answer within timeoutMs.
  bool SendCommand(WORD id, DWORD timeoutMs = 5000) const;
  // Posted: for commands that open a modal dialog.
  bool PostCommand(WORD id) const;

  int RowCount() const;     // -1 when the list view does not answer
  int ColumnCount() const;  // header items
  bool ReadRow(int row, ListRow* out) const;
  std::vector<ListRow> ReadRows() const;
  std::string ColumnTitle(int column) const;
  // The header item's format bits (HDF_*) and image index, which show the sort arrow.
  bool HeaderItemFormat(int column, int* format, int* image) const;
  bool HeaderItemScreenRect(int column, RECT* rect) const;
  // A real left click in the middle of the header item: the pointer moves there and the button goes down and
  // up, as the user's hand would do it. The window must be visible and not covered at that point. A click
  // soon after the previous one waits out the double-click time, so that each stays a single click.
  bool ClickHeader(int column, std::string* error) const;

  int StatusPartCount() const;
  std::string StatusText(int part) const;

  std::string Title() const { return WindowText(main_); }
  // WM_SETTEXT from another process; returns the window's answer (TRUE when it took the text).
  LRESULT SetTitle(const std::string& text) const;

 private:
  HWND main_;
};

// The clipboard's CF_TEXT, or "" when it holds none.
std::string ClipboardText();

// Copies what the screen shows of the window (children, dialogs over it and all) into a 24-bit .bmp file.
bool SaveScreenshot(HWND window, const std::string& path, std::string* error);

}  // namespace wrenhollow::e2e
