#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace wrenhollow::e2e {

// A Linux path as a Windows program under Wine reaches it (through drive Z:); other paths unchanged.
std::string ToWindowsPath(const std::string& path);

// Asks done() every pollMs until it answers true or timeoutMs have passed; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = 10);

// The first visible top-level window of the class, of the process when processId is not 0.
HWND FindTopLevelWindow(const char* className, DWORD processId, bool visibleOnly = true);
HWND WaitForWindow(const char* className, DWORD processId, DWORD timeoutMs);
// A visible dialog (#32770) of the process whose title is exactly title.
HWND WaitForDialog(DWORD processId, const char* title, DWORD timeoutMs);

// A visible window of the class whose owner is owner: a dialog's own message box or prompt, found by its owner
// rather than by a title that a language may change.
HWND WaitForOwnedWindow(HWND owner, const char* className, DWORD timeoutMs);
// Every descendant of a window, parents before their children, in Z order (for a dialog, creation order).
std::vector<HWND> DescendantWindows(HWND parent);

// WM_GETTEXT: another process's window answers with its current text (GetWindowText would not).
std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);
// Presses a dialog button the way a click does: a posted WM_COMMAND with BN_CLICKED from the button.
bool PressDialogButton(HWND dialog, int id);
// The same, sent: returns once the dialog has handled it. False for a button that is missing or disabled (which a
// click could not press). Not for buttons that open a modal window.
bool ClickDialogButton(HWND dialog, int id);
// The window with the keyboard focus in the thread that owns the window.
HWND FocusOfThread(HWND window);
// Real pointer movement onto a point of the screen, which must show the target there.
bool HoverAt(HWND target, POINT point, std::string* error);
// A real left click (or double click) at a point of the screen, which must show the target there.
bool ClickAt(HWND target, POINT point, int clicks, std::string* error);

// Keys as a focused window or a menu loop reads them: WM_KEYDOWN then WM_KEYUP, posted.
bool PostKey(HWND window, UINT virtualKey);
// Characters typed into a control: one WM_CHAR each, as the keyboard's arrive after translation, so the control's
// own rules (digits only, length limit) apply.
bool TypeText(HWND control, const std::string& text);

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

// List views of any window of another process (the main list, a dialog's list).
std::string ListViewText(HWND list, int row, int column);
// LVM_GETITEMSTATE: the row's state bits under mask.
UINT ListViewState(HWND list, int row, UINT mask);
// LVM_SETITEMSTATE, as a click or the keyboard changes it (the owner gets LVN_ITEMCHANGED); row -1 is every row.
bool SetListViewState(HWND list, int row, UINT state, UINT mask);
std::vector<int> SelectedListRows(HWND list);

// An item of a combo box of another process (CB_GETLBTEXT), or "" when there is none.
std::string ComboItemText(HWND combo, int index);

// The common Save As dialog (GetSaveFileName), driven as the user does. The file type is the dialog's 1-based
// filter index.
int SaveDialogFileType(HWND dialog);
bool ChooseSaveDialogFileType(HWND dialog, int filterIndex);
bool SetSaveDialogFileName(HWND dialog, const std::string& name);

// One item of a menu, as its owner sees it.
struct MenuItem {
  UINT id = 0;       // command id; 0xFFFFFFFF for an item that opens a submenu
  UINT state = 0;    // GetMenuState flags: MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
  std::string text;  // as stored: a TAB and the shortcut included
  HMENU submenu = nullptr;
  bool Grayed() const { return (state & (MF_GRAYED | MF_DISABLED)) != 0; }
  bool Checked() const { return (state & MF_CHECKED) != 0; }
  bool Separator() const { return (state & MF_SEPARATOR) != 0; }
};
// Reads a menu of the thread that owns the window, from inside that thread: a hook loads in_process_probe.dll
// there (a menu cannot be read from another process under Wine). Works while the owner sits in a menu or dialog
// loop.
bool ReadMenu(HWND owner, HMENU menu, std::vector<MenuItem>* items, std::string* error);
// The font a window draws with (WM_GETFONT, which Wine does not answer across processes), read the same way;
// false for a window that draws with the system font.
bool ReadFont(HWND window, LOGFONTA* font, std::string* error);
// The visible popup menu window (#32768) of the process, and the menu it shows (MN_GETHMENU).
HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs);
HMENU MenuOfPopup(HWND popup);

// Whether the notification area holds the icon (owner, id): NIM_MODIFY without changes succeeds only then.
bool TrayIconPresent(HWND owner, UINT id);

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

  HWND Toolbar() const { return Control(kToolbarId); }
  HMENU Menu() const { return GetMenu(main_); }

  // WM_COMMAND as a menu item sends it; false when the window did not answer within timeoutMs.
  bool SendCommand(WORD id, DWORD timeoutMs = 5000) const;
  // Posted: for commands that open a modal dialog.
  bool PostCommand(WORD id) const;

  int RowCount() const;     // -1 when the list view does not answer
  int ColumnCount() const;  // header items
  bool ReadRow(int row, ListRow* out) const;
  std::vector<ListRow> ReadRows() const;
  std::string ColumnTitle(int column) const;
  int ColumnWidth(int column) const;  // -1 when the list view does not answer
  // Column indexes from left to right (LVM_GETCOLUMNORDERARRAY).
  std::vector<int> ColumnOrder() const;
  // Selects exactly these rows (none for an empty list), the way a click and Ctrl+clicks leave them. What the
  // owner does about it may come later, from a message it posts itself.
  bool SelectRows(const std::vector<int>& rows) const;
  std::vector<int> SelectedRows() const { return SelectedListRows(ListView()); }
  // TB_GETSTATE of the toolbar button of the command; -1 when there is none.
  int ToolbarState(WORD command) const;
  bool ToolbarButtonScreenRect(WORD command, RECT* rect) const;
  // WM_CONTEXTMENU from the list view, as a right click or the menu key sends it.
  bool PostContextMenu() const;
  // The header item's format bits (HDF_*) and image index, which show the sort arrow.
  bool HeaderItemFormat(int column, int* format, int* image) const;
  bool HeaderItemScreenRect(int column, RECT* rect) const;
  // A real left click in the middle of the header item: the pointer moves there and the button goes down and
  // up, as the user's hand would do it. The window must be visible and not covered at that point. A click
  // soon after the previous one waits out the double-click time, so that each stays a single click.
  bool ClickHeader(int column, std::string* error) const;
  // A real double click in the middle of the row's text.
  bool DoubleClickRow(int row, std::string* error) const;

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
bool SetClipboardText(const std::string& text);

// Copies what the screen shows of the window (children, dialogs over it and all) into a 24-bit .bmp file.
bool SaveScreenshot(HWND window, const std::string& path, std::string* error);

}  // namespace wrenhollow::e2e
