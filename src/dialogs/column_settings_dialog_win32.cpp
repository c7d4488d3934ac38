#include "dialogs/column_settings_dialog_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>

#include "resource_ids.h"
#include "util/window_helpers_win32.h"

namespace wrenhollow {
namespace {

// Column titles are read up to 255 characters.
constexpr int kTitleSize = 256;
// The one column of the rows, in pixels as at 96 DPI.
constexpr int kRowWidth = 200;
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

int RowCount(HWND rows) { return static_cast<int>(SendMessageA(rows, LVM_GETITEMCOUNT, 0, 0)); }

UINT RowState(HWND rows, int row, UINT mask) {
  return static_cast<UINT>(SendMessageA(rows, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

bool IsSelected(HWND rows, int row) { return (RowState(rows, row, LVIS_SELECTED) & LVIS_SELECTED) != 0; }

bool IsChecked(HWND rows, int row) { return (RowState(rows, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) == kChecked; }

void SetRowState(HWND rows, int row, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageA(rows, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void SetChecked(HWND rows, int row, bool checked) {
  SetRowState(rows, row, checked ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
}

bool ReadRow(HWND rows, int row, LVITEMA* item, char (&text)[kTitleSize]) {
  *item = LVITEMA{};
  item->mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  item->iItem = row;
  item->stateMask = ~0u;
  item->pszText = text;
  item->cchTextMax = kTitleSize;
  return SendMessageA(rows, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)) != 0;
}

// Exchanges two rows' text, column and state, so that the check box and the selection travel with the row. The
// list has one column, so the row's own record is all there is.
void SwapRows(HWND rows, int first, int second) {
  LVITEMA a;
  LVITEMA b;
  char aText[kTitleSize] = "";
  char bText[kTitleSize] = "";
  if (!ReadRow(rows, first, &a, aText) || !ReadRow(rows, second, &b, bText)) return;
  std::swap(a.iItem, b.iItem);
  SendMessageA(rows, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&a));
  SendMessageA(rows, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&b));
}

// Column ids by display position; every column appears once, even one whose position is out of range or shared.
std::vector<int> DisplayOrder(const std::vector<ColumnLayoutEntry>& layout) {
  std::vector<int> ids(layout.size());
  std::iota(ids.begin(), ids.end(), 0);
  std::stable_sort(ids.begin(), ids.end(), [&](int a, int b) {
    return layout[static_cast<size_t>(a)].position < layout[static_cast<size_t>(b)].position;
  });
  return ids;
}

}  // namespace

ColumnSettingsDialog::ColumnSettingsDialog(HWND reportListView, std::vector<ColumnLayoutEntry> layout,
                                           std::vector<int> defaultWidths)
    : Dialog(IDD_COLUMN_SETTINGS),
      reportListView_(reportListView),
      layout_(std::move(layout)),
      defaultWidths_(std::move(defaultWidths)) {}

HWND ColumnSettingsDialog::Rows() const { return GetDlgItem(hwnd, IDC_COLUMNS_LIST); }

int ColumnSettingsDialog::DefaultWidth(int column) const {
  if (column >= static_cast<int>(defaultWidths_.size())) return kFallbackDefaultWidth;
  return std::clamp(defaultWidths_[static_cast<size_t>(column)], 0, static_cast<int>(INT16_MAX));
}

int ColumnSettingsDialog::ColumnOfRow(int row) const {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (row < 0 || SendMessageA(Rows(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) == 0) return -1;
  if (item.lParam < 0 || item.lParam >= static_cast<LPARAM>(layout_.size())) return -1;
  return static_cast<int>(item.lParam);
}

INT_PTR ColumnSettingsDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageA(hwnd, IDC_COLUMNS_WIDTH, EM_LIMITTEXT, 3, 0);
      FillRows();
      // The rows have the focus.
      return FALSE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_COLUMNS_LIST) return 0;
      if (header->code == LVN_ITEMCHANGED) {
        OnRowChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        return 1;
      }
      if (header->code == NM_DBLCLK) {
        const int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
        if (row >= 0) SetChecked(Rows(), row, !IsChecked(Rows(), row));
      }
      return 0;
    }
    case WM_COMMAND: {
      const WORD notification = HIWORD(wParam);
      const WORD id = LOWORD(wParam);
      if (notification == EN_CHANGE && id == IDC_COLUMNS_WIDTH && !settingWidth_) OnWidthTyped();
      if (notification != 0) return 0;
      switch (id) {
        case IDC_COLUMNS_DEFAULT:
          RestoreDefaults();
          break;
        case IDC_COLUMNS_MOVE_UP:
        case IDC_COLUMNS_MOVE_DOWN:
          MoveSelectedRows(id == IDC_COLUMNS_MOVE_UP);
          break;
        case IDC_COLUMNS_SHOW:
        case IDC_COLUMNS_HIDE:
          SetSelectedChecks(id == IDC_COLUMNS_SHOW);
          break;
        case IDOK:
          TakeRowsIntoLayout();
          EndDialog(hwnd, IDOK);
          break;
        case IDCANCEL:
          EndDialog(hwnd, IDCANCEL);
          break;
      }
      return 1;
    }
  }
  return 0;
}

void ColumnSettingsDialog::FillRows() {
  const HWND rows = Rows();
  SendMessageA(rows, LVM_DELETEALLITEMS, 0, 0);
  SendMessageA(rows, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
  while (SendMessageA(rows, LVM_DELETECOLUMN, 0, 0) != 0) {
  }
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  column.cx = ScaleToScreen(kRowWidth);
  SendMessageA(rows, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));

  for (int id : DisplayOrder(layout_)) {
    // The list view's titles, so that translated ones show.
    char title[kTitleSize] = "";
    LVCOLUMNA shown{};
    shown.mask = LVCF_TEXT;
    shown.pszText = title;
    shown.cchTextMax = kTitleSize;
    SendMessageA(reportListView_, LVM_GETCOLUMNA, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&shown));
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = RowCount(rows);
    row.pszText = title;
    row.lParam = id;
    const int inserted = static_cast<int>(SendMessageA(rows, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
    ColumnLayoutEntry& entry = layout_[static_cast<size_t>(id)];
    if (inserted >= 0) SetChecked(rows, inserted, entry.width > 0);
    // A hidden column offers the width it would come back with.
    if (entry.width <= 0) entry.width = static_cast<int16_t>(DefaultWidth(id));
  }
  SetRowState(rows, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SetFocus(rows);
}

void ColumnSettingsDialog::OnRowChanged(const NMLISTVIEW& change) {
  if ((change.uChanged & LVIF_STATE) == 0 || change.iItem < 0) return;
  const HWND rows = Rows();
  const bool becameSelected = (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0;
  const bool checkChanged = ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0;
  if ((becameSelected || checkChanged) && IsSelected(rows, change.iItem)) {
    const bool checked = IsChecked(rows, change.iItem);
    EnableDlgItem(IDC_COLUMNS_SHOW, !checked);
    EnableDlgItem(IDC_COLUMNS_HIDE, checked);
  }
  if (!becameSelected) return;
  EnableDlgItem(IDC_COLUMNS_MOVE_UP, change.iItem > 0);
  EnableDlgItem(IDC_COLUMNS_MOVE_DOWN, change.iItem < RowCount(rows) - 1);
  const int column = ColumnOfRow(change.iItem);
  if (column < 0) return;
  settingWidth_ = true;
  SetDlgItemInt(hwnd, IDC_COLUMNS_WIDTH, static_cast<UINT>(layout_[static_cast<size_t>(column)].width), FALSE);
  settingWidth_ = false;
}

void ColumnSettingsDialog::OnWidthTyped() {
  BOOL read = FALSE;
  const UINT width = GetDlgItemInt(hwnd, IDC_COLUMNS_WIDTH, &read, FALSE);
  if (!read || width < 1 || width > kMaxTypedWidth) return;
  const HWND rows = Rows();
  if (SendMessageA(rows, LVM_GETSELECTEDCOUNT, 0, 0) != 1) return;
  const int row = static_cast<int>(SendMessageA(rows, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  const int column = ColumnOfRow(row);
  if (column >= 0) layout_[static_cast<size_t>(column)].width = static_cast<int16_t>(width);
}

void ColumnSettingsDialog::RestoreDefaults() {
  for (size_t column = 0; column < layout_.size(); ++column) {
    layout_[column] = {static_cast<int16_t>(DefaultWidth(static_cast<int>(column))), static_cast<int16_t>(column)};
  }
  FillRows();
}

void ColumnSettingsDialog::MoveSelectedRows(bool up) {
  const HWND rows = Rows();
  const int count = RowCount(rows);
  // Walking away from the direction of the move takes each row one place only.
  if (up) {
    for (int row = 1; row < count; ++row) {
      if (IsSelected(rows, row)) SwapRows(rows, row - 1, row);
    }
  } else {
    for (int row = count - 2; row >= 0; --row) {
      if (IsSelected(rows, row)) SwapRows(rows, row, row + 1);
    }
  }
}

void ColumnSettingsDialog::SetSelectedChecks(bool checked) {
  const HWND rows = Rows();
  const int count = RowCount(rows);
  for (int row = 0; row < count; ++row) {
    if (IsSelected(rows, row)) SetChecked(rows, row, checked);
  }
}

void ColumnSettingsDialog::TakeRowsIntoLayout() {
  const HWND rows = Rows();
  const int count = RowCount(rows);
  for (int row = 0; row < count; ++row) {
    const int column = ColumnOfRow(row);
    if (column < 0) continue;
    ColumnLayoutEntry& entry = layout_[static_cast<size_t>(column)];
    entry.position = static_cast<int16_t>(row);
    if (!IsChecked(rows, row)) {
      entry.width = 0;
    } else if (entry.width <= 0) {
      entry.width = kShownWidth;
    }
  }
}

std::optional<std::vector<ColumnLayoutEntry>> RunColumnSettings(HWND parent, ReportListView& view) {
  view.CaptureLayout();
  std::vector<int> defaultWidths;
  for (const ReportColumn& column : view.List().Columns()) defaultWidths.push_back(column.def.defaultWidth);
  ColumnSettingsDialog dialog(view.Handle(), view.List().Layout(), std::move(defaultWidths));
  if (RunModal(IDD_COLUMN_SETTINGS, &dialog, parent) != IDOK) return std::nullopt;
  return dialog.Layout();
}

void ApplyColumnSettings(ReportListView& view, std::vector<ColumnLayoutEntry> layout) {
  view.List().Layout() = std::move(layout);
  view.ApplyLayout();
  InvalidateRect(view.Handle(), nullptr, FALSE);
}

}  // namespace wrenhollow
