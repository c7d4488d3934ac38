#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <vector>

#include "report/column_layout.h"
#include "report/report_list_view_win32.h"
#include "ui/dialog_win32.h"

namespace wrenhollow {

// Dialog 1096: one checkable row per column of the report list, in display order. The user shows, hides and
// reorders columns and sets the selected column's width; the dialog edits its own copy of the layout, which
// the caller applies only when the dialog ends with OK.
class ColumnSettingsDialog : public Dialog {
 public:
  // Width of a column the caller gives no default width for.
  static constexpr int kFallbackDefaultWidth = 120;
  // Width a column gets when it is checked but has no width to come back with.
  static constexpr int kShownWidth = 100;
  static constexpr int kMaxTypedWidth = 999;

  // reportListView supplies the column titles; layout holds every column's {width, position} by column id;
  // defaultWidths the width "Default" gives each column, by id.
  ColumnSettingsDialog(HWND reportListView, std::vector<ColumnLayoutEntry> layout, std::vector<int> defaultWidths);

  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The edited layout; meaningful once the dialog has ended with OK.
  const std::vector<ColumnLayoutEntry>& Layout() const { return layout_; }

 private:
  HWND Rows() const;
  int DefaultWidth(int column) const;
  // The column a row stands for; -1 when the row cannot be read or names no column.
  int ColumnOfRow(int row) const;
  void FillRows();
  void OnRowChanged(const NMLISTVIEW& change);
  void OnWidthTyped();
  void RestoreDefaults();
  void MoveSelectedRows(bool up);
  void SetSelectedChecks(bool checked);
  void TakeRowsIntoLayout();

  HWND reportListView_;
  std::vector<ColumnLayoutEntry> layout_;
  std::vector<int> defaultWidths_;
  // Set while the dialog writes the width box itself, so that its change notification is not a user's edit.
  bool settingWidth_ = false;
};

// Shows dialog 1096 for the view's columns, as the list view shows them now: the edited layout after OK, nothing
// after Cancel. The view is not touched once the dialog runs, as it may be gone when the dialog returns.
std::optional<std::vector<ColumnLayoutEntry>> RunColumnSettings(HWND parent, ReportListView& view);
// Makes the layout the list's and shows it.
void ApplyColumnSettings(ReportListView& view, std::vector<ColumnLayoutEntry> layout);

}  // namespace wrenhollow
