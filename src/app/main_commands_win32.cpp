#include "app/main_window_win32.h"

#include <commctrl.h>

#include "dialogs/about_dialog_win32.h"
#include "dialogs/column_settings_dialog_win32.h"
#include "dialogs/find_win32.h"
#include "dialogs/properties_dialog_win32.h"
#include "lang/language_table.h"
#include "report/row_commands_win32.h"
#include "resource_ids.h"

namespace wrenhollow {
namespace {

// Main-menu positions of the popups that hold the commands.
constexpr int kFileMenu = 0;
constexpr int kEditMenu = 1;
constexpr int kViewMenu = 2;
constexpr int kOptionsMenu = 3;

constexpr int kTooltipTextMax = 79;

// The options the Options and View menus flip, with their menu and what follows a flip.
struct OptionCommand {
  UINT command;
  int menu;
  int32_t AppOptions::*option;
  void (MainWindow::*apply)();
};
constexpr OptionCommand kOptionCommands[] = {
    {IDM_SHOW_GRID_LINES, kViewMenu, &AppOptions::showGridLines, &MainWindow::ApplyViewOptions},
    {IDM_SHOW_TOOLTIPS, kViewMenu, &AppOptions::showInfoTip, &MainWindow::ApplyViewOptions},
    {IDM_SHOW_TIME_IN_GMT, kOptionsMenu, &AppOptions::showTimeInGmt, &MainWindow::UpdateAllRowTexts},
    {IDM_PUT_ICON_ON_TRAY, kOptionsMenu, &AppOptions::trayIcon, &MainWindow::UpdateTrayIcon},
    {IDM_START_AS_HIDDEN, kOptionsMenu, &AppOptions::startAsHidden, nullptr},
    {IDM_SHOW_EARLIER_CONNECTIONS, kOptionsMenu, &AppOptions::showEarlierConnections, &MainWindow::ApplyEarlierConnections},
    {IDM_KEEP_LOG_FILE, kOptionsMenu, &AppOptions::keepLogFile, &MainWindow::ApplyLogFile},
    {IDM_WRITE_TO_EVENT_LOG, kOptionsMenu, &AppOptions::writeToEventLog, &MainWindow::ApplyEventLog},
    {IDM_SHOW_NOTIFICATIONS, kOptionsMenu, &AppOptions::showNotifications, &MainWindow::RedrawRows},
    {IDM_ONLY_NEW_DEVICES, kOptionsMenu, &AppOptions::onlyNewDevices, &MainWindow::RedrawRows},
};

}  // namespace

// A modal dialog runs its own message loop, in which log-off or Exit from the tray menu may destroy the event
// list: nothing here holds on to the list across one.
void MainWindow::OnCommand(WORD notification, WPARAM wParam, LPARAM) {
  if ((notification != 0 && notification != 1) || list_ == nullptr) return;
  const UINT command = LOWORD(wParam);
  for (const OptionCommand& toggle : kOptionCommands) {
    if (toggle.command != command) continue;
    FlipOption(&(options_.*toggle.option));
    UpdateMenuStates(nullptr);
    if (toggle.apply != nullptr) (this->*toggle.apply)();
    return;
  }
  switch (command) {
    case IDM_EXIT: DestroyWindow(hwnd); break;
    case IDM_REFRESH: PostToWindow(kClearAndRebuildMessage); break;
    case IDM_SAVE_SELECTED: SaveSelected(); break;
    case IDM_COPY_SELECTED: CopySelectedItems(hwnd, list_->View()); break;
    case IDM_HTML_REPORT_ALL: ShowReport(false); break;
    case IDM_HTML_REPORT_SELECTED: ShowReport(true); break;
    case IDM_FIND: OpenFind(hwnd, &findDialog); break;
    case IDM_PROPERTIES: ShowProperties(); break;
    case IDM_CHOOSE_COLUMNS: ChooseColumns(); break;
    case IDM_ABOUT: RunAbout(hwnd), FocusList(); break;
    case IDM_SELECT_ALL: list_->View().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); break;
    case IDM_DESELECT_ALL: list_->View().SetItemState(-1, 0, LVIS_SELECTED); break;
    case IDM_AUTO_SIZE_COLUMNS: list_->View().AutoSizeColumns(); break;
    case IDM_OPEN: ShowWindow(hwnd, SW_SHOWNORMAL); break;
    case IDM_CLEAR_LOG: ConfirmClearLog(); break;
    default: break;
  }
}

void MainWindow::SaveSelected() {
  char fileName[kPathSize];
  if (!ChooseSaveFile(hwnd, &options_.saveFilterIndex, fileName) || list_ == nullptr) return;
  SaveSelectedItems(hwnd, list_->View(), fileName, options_.saveFilterIndex);
}

void MainWindow::ShowProperties() {
  ShowSelectedProperties(hwnd, list_->View());
  FocusList();
}

void MainWindow::ChooseColumns() {
  const std::optional<std::vector<ColumnLayoutEntry>> layout = RunColumnSettings(hwnd, list_->View());
  if (layout && list_ != nullptr) ApplyColumnSettings(list_->View(), *layout);
  FocusList();
}

void MainWindow::FocusList() {
  if (list_ != nullptr) SetFocus(ListViewHandle());
}

void MainWindow::UpdateAllRowTexts() { list_->View().UpdateAllRowTexts(); }

void MainWindow::ConfirmClearLog() {
  if (MessageBoxA(hwnd, GetString(9), className, MB_YESNO | MB_ICONQUESTION) == IDYES && list_ != nullptr) {
    list_->ClearItems();
    SendMessageA(ListViewHandle(), LVM_DELETEALLITEMS, 0, 0);
  }
  SetFocus(ListViewHandle());
}

void MainWindow::OnNotify(WPARAM, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->idFrom == kStatusBarId && header->code == NM_CLICK) {
    if (reinterpret_cast<const NMMOUSE*>(lParam)->dwItemSpec == 1) OpenLink();
    return;
  }
  if (header->code == TTN_GETDISPINFOA &&
      header->hwndFrom == reinterpret_cast<HWND>(SendMessageA(toolbar_, TB_GETTOOLTIPS, 0, 0))) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    GetMenuStringA(mainMenu_, static_cast<UINT>(info->hdr.idFrom), info->szText, kTooltipTextMax + 1, MF_BYCOMMAND);
    info->lpszText = info->szText;
    info->hinst = nullptr;
    return;
  }
  if (header->idFrom != kListViewId || list_ == nullptr) return;
  if (header->code == NM_DBLCLK) {
    ShowProperties();
  } else if (header->code == LVN_COLUMNCLICK) {
    list_->View().SortByColumn(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem, false);
  } else if (header->code == LVN_ITEMCHANGED) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0 && !selectionUpdatePending_) {
      selectionUpdatePending_ = true;
      PostToWindow(kSelectionChangedMessage);
    }
  }
}

void MainWindow::ShowListContextMenu() {
  POINT cursor;
  GetCursorPos(&cursor);
  const HMENU popup = GetSubMenu(contextMenu_, 0);
  UpdateMenuStates(popup);
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd, nullptr);
}

void MainWindow::SetMenuItemEnabled(HMENU popup, int position, UINT command, bool enabled, bool withToolbar) {
  EnableMenuItem(popup != nullptr ? popup : GetSubMenu(mainMenu_, position), command,
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  if (!withToolbar) return;
  const auto state = static_cast<BYTE>(SendMessageA(toolbar_, TB_GETSTATE, command, 0));
  const BYTE newState = enabled ? (state | TBSTATE_ENABLED) : (state & ~TBSTATE_ENABLED);
  SendMessageA(toolbar_, TB_SETSTATE, command, MAKELPARAM(newState, 0));
}

void MainWindow::UpdateMenuStates(HMENU popup) {
  if (list_ == nullptr) return;
  const int selected = list_->View().SelectedCount();
  const int rows = list_->View().RowCount();
  SetMenuItemEnabled(popup, kFileMenu, IDM_PROPERTIES, selected == 1, true);
  SetMenuItemEnabled(popup, kFileMenu, IDM_SAVE_SELECTED, selected >= 1, true);
  SetMenuItemEnabled(popup, kEditMenu, IDM_COPY_SELECTED, selected >= 1, true);
  SetMenuItemEnabled(popup, kViewMenu, IDM_HTML_REPORT_SELECTED, selected >= 1, false);
  SetMenuItemEnabled(popup, kViewMenu, IDM_AUTO_SIZE_COLUMNS, rows > 0, false);
  for (const OptionCommand& toggle : kOptionCommands) {
    CheckMenuItem(GetSubMenu(mainMenu_, toggle.menu), toggle.command,
                  MF_BYCOMMAND | (options_.*toggle.option != 0 ? MF_CHECKED : MF_UNCHECKED));
  }
  SetMenuItemEnabled(popup, kOptionsMenu, IDM_START_AS_HIDDEN, options_.trayIcon != 0, false);
  SetMenuItemEnabled(popup, kOptionsMenu, IDM_ONLY_NEW_DEVICES, options_.showNotifications != 0, false);
  SetMenuItemEnabled(popup, kViewMenu, IDM_HTML_REPORT_ALL, rows > 0, false);
  SetMenuItemEnabled(popup, kEditMenu, IDM_FIND, rows > 0, true);
}

}  // namespace wrenhollow
