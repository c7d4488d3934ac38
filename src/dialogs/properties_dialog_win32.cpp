#include "dialogs/properties_dialog_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "resource_ids.h"
#include "util/window_helpers_win32.h"

namespace wrenhollow {
namespace {

// A label is its column's title and a colon, cut to 255 characters.
constexpr size_t kLabelSize = 256;
// Pixels as at 96 DPI, scaled to the screen when used.
constexpr int kLabelMargin = 10;
// Below the last row and below the OK button.
constexpr int kSpaceAboveButton = 21;
constexpr int kSpaceBelowButton = 5;

// A control's rectangle in its dialog's client coordinates.
RECT ChildRect(HWND dialog, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

PropertiesDialog::PropertiesDialog(const ReportList& list, const ReportItem& item, int linesPerValue, int rowSpacing)
    : CommandDialog(IDD_PROPERTIES), list_(list), item_(item), linesPerValue_(linesPerValue), rowSpacing_(rowSpacing) {}

INT_PTR PropertiesDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) BuildRows();
  // Read-only edit boxes ask for their colours as statics do.
  if (message == WM_CTLCOLORSTATIC && IsEditControl(reinterpret_cast<HWND>(lParam))) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, kValueTextColor);
    return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
  }
  return CommandDialog::DialogProc(message, wParam, lParam);
}

int PropertiesDialog::FittedLabelWidth() const {
  const std::vector<ReportColumn>& columns = list_.Columns();
  if (columns.empty()) return 0;
  // No font selected: the rows get none either, so both use the system's default.
  HDC dc = GetDC(hwnd);
  if (dc == nullptr) return -1;
  int widest = 0;
  for (const ReportColumn& column : columns) {
    SIZE size{};
    const char* title = column.title != nullptr ? column.title : "";
    if (GetTextExtentPoint32A(dc, title, static_cast<int>(std::strlen(title)), &size)) widest = std::max(widest, int{size.cx});
  }
  ReleaseDC(hwnd, dc);
  return widest + ScaleToScreen(kLabelMargin);
}

void PropertiesDialog::BuildRows() {
  const HWND labelTemplate = GetDlgItem(hwnd, IDC_PROPERTIES_LABEL);
  const HWND valueTemplate = GetDlgItem(hwnd, IDC_PROPERTIES_VALUE);
  const HWND ok = GetDlgItem(hwnd, IDOK);
  if (labelTemplate == nullptr || valueTemplate == nullptr || ok == nullptr) return;
  const RECT label = ChildRect(hwnd, labelTemplate);
  const RECT value = ChildRect(hwnd, valueTemplate);
  const auto labelStyle = static_cast<DWORD>(GetWindowLongA(labelTemplate, GWL_STYLE)) | WS_VISIBLE;
  const auto labelExStyle = static_cast<DWORD>(GetWindowLongA(labelTemplate, GWL_EXSTYLE));
  const auto valueStyle = static_cast<DWORD>(GetWindowLongA(valueTemplate, GWL_STYLE)) | WS_VISIBLE;
  const auto valueExStyle = static_cast<DWORD>(GetWindowLongA(valueTemplate, GWL_EXSTYLE));
  int labelWidth = label.right - label.left;
  const int labelHeight = label.bottom - label.top;
  int valueLeft = value.left;
  int valueWidth = value.right - value.left;
  const int valueHeight = linesPerValue_ * (value.bottom - value.top);

  // The value boxes give up what the labels need, their right edges staying put, but a long translated title
  // must not squeeze them out of sight.
  const int fitted = FittedLabelWidth();
  if (fitted >= 0) {
    const int widest = labelWidth + valueWidth - valueWidth / kMinValueWidthDivisor;
    const int shift = std::min(fitted, widest) - labelWidth;
    labelWidth += shift;
    valueLeft += shift;
    valueWidth -= shift;
  }

  const std::vector<ReportColumn>& columns = list_.Columns();
  int y = 0;
  for (size_t column = 0; column < columns.size(); ++column) {
    const HWND labelControl = CreateChildControl(labelExStyle, "STATIC", labelStyle, label.left, label.top + y,
                                                 labelWidth, labelHeight, 0);
    const HWND valueControl =
        CreateChildControl(valueExStyle, "EDIT", valueStyle, valueLeft, value.top + y, valueWidth, valueHeight, 0);
    char labelText[kLabelSize];
    std::snprintf(labelText, sizeof labelText, "%s:", columns[column].title != nullptr ? columns[column].title : "");
    SetWindowTextA(labelControl, labelText);
    char valueText[kReportTextSize];
    SetWindowTextA(valueControl, item_.Text(static_cast<int>(column), valueText, sizeof valueText));
    y += valueHeight + ScaleToScreen(rowSpacing_);
  }

  RECT window{};
  RECT client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  const RECT button = ChildRect(hwnd, ok);
  const int buttonHeight = button.bottom - button.top;
  const int nonClientHeight = (window.bottom - window.top) - client.bottom;
  const int height = nonClientHeight + y + buttonHeight + ScaleToScreen(kSpaceAboveButton);
  SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(hwnd, &client);
  SetWindowPos(ok, nullptr, button.left, client.bottom - buttonHeight - ScaleToScreen(kSpaceBelowButton), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RunProperties(HWND parent, const ReportList& list, const ReportItem& item) {
  PropertiesDialog dialog(list, item, 1, 4);
  RunModal(IDD_PROPERTIES, &dialog, parent);
}

bool ShowSelectedProperties(HWND parent, ReportListView& view) {
  const ReportItem* item = nullptr;
  if (view.SelectedCount() == 1) {
    const auto row = static_cast<int>(SendMessageA(view.Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    item = view.ItemAtRow(row);
  }
  if (item != nullptr) RunProperties(parent, view.List(), *item);
  return item != nullptr;
}

}  // namespace wrenhollow
