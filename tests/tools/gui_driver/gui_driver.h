#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wrenhollow::e2e {

// A Linux path as a Windows program under Wine reaches it (through drive Z:); other paths unchanged.
std::string ToWindowsPath(const std::string& path);

// Asks done() every pollMs until it answers true or timeoutMs have passed; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = 10);

// The first top-level window of the class, of the process (any: 0), with the title and the owner when given,
// visible unless told; waits up to timeoutMs for it. An owner finds a dialog's message box or prompt without
// relying on a title that a language may change.
HWND WaitForWindow(const char* className, DWORD processId, DWORD timeoutMs = 0, const char* title = nullptr,
                   HWND owner = nullptr, bool visibleOnly = true);

// WM_GETTEXT: another process's window answers with its current text (GetWindowText would not).
std::string WindowText(HWND window);
// The text of a message box: its static with the id MessageBox gives it.
std::string MessageBoxText(HWND box);
// WM_SETTEXT, which an edit control answers with EN_CHANGE to its owner as typing does; true once it shows the text.
bool SetText(HWND control, const std::string& text);
// A dialog button pressed as a click does: WM_COMMAND with BN_CLICKED, posted (it may open a modal window).
bool PressDialogButton(HWND dialog, int id);
// Keys as a focused window or a menu loop reads them: WM_KEYDOWN then WM_KEYUP, posted.
bool PostKey(HWND window, UINT virtualKey);

// The common Save As dialog filled in as the user does it: the file type (its 1-based filter index), the name.
bool FillSaveDialog(HWND dialog, int filterIndex, const std::string& name);

// One item of a menu, as its owner sees it.
struct MenuItem {
  UINT id = 0;       // command id; 0xFFFFFFFF for an item that opens a submenu
  UINT state = 0;    // GetMenuState flags
  std::string text;  // as stored: a TAB and the shortcut included
  bool Grayed() const { return (state & (MF_GRAYED | MF_DISABLED)) != 0; }
  bool Checked() const { return (state & MF_CHECKED) != 0; }
};
// The items of a menu and of its submenus, read inside the thread that owns the window (see in_process_probe.h).
bool ReadMenu(HWND owner, HMENU menu, std::vector<MenuItem>* items, std::string* error);
// The item of the command among them, or an empty item (id 0).
MenuItem FindItem(const std::vector<MenuItem>& items, UINT id);

// Whether the notification area holds the icon (owner, id): NIM_MODIFY without changes succeeds only then.
bool TrayIconPresent(HWND owner, UINT id);

struct ListRow {
  std::vector<std::string> texts;  // one per column, by column index
  int image = -1;
};

// The program's main window and its children, driven from another process. Messages whose parameters point to
// memory are not carried across processes: their blocks are placed inside the program.
class AppWindow {
 public:
  explicit AppWindow(HWND main) : main_(main) {}
  HWND handle() const { return main_; }
  HWND ListView() const { return GetDlgItem(main_, 259); }
  HWND StatusBar() const { return GetDlgItem(main_, 257); }
  HWND Toolbar() const { return GetDlgItem(main_, 258); }

  // WM_COMMAND as a menu item sends it; false when the window did not answer within timeoutMs.
  bool SendCommand(WORD id, DWORD timeoutMs = 5000) const;
  // Posted: for commands that open a modal window.
  bool PostCommand(WORD id) const;

  int RowCount() const;  // -1 when there is no list view that answers
  bool ReadRow(int row, ListRow* out) const;
  std::vector<ListRow> ReadRows() const;
  // Selects exactly these rows, as clicks leave them; the owner may answer later, from a message it posts itself.
  bool SelectRows(const std::vector<int>& rows) const;
  std::vector<int> SelectedRows() const;
  // WM_CONTEXTMENU from the list view, as a right click or the menu key sends it.
  bool PostContextMenu() const;
  // Real pointer input in the middle of a toolbar button (a hover), of a header item (a click), of a row's text
  // (a double click).
  bool HoverToolbarButton(WORD command, std::string* error) const;
  bool ClickHeader(int column, std::string* error) const;
  bool DoubleClickRow(int row, std::string* error) const;
  std::string StatusText(int part) const;  // "" when there is none

 private:
  HWND Header() const;

  HWND main_;
};

// The clipboard's CF_TEXT, or "" when it holds none.
std::string ClipboardText();

}  // namespace wrenhollow::e2e
