#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "report/export_writer.h"
#include "report/report_list.h"
#include "report/sort_keys.h"

namespace wrenhollow {

// Shows a ReportList in a report-view list view: one row per item, the row's lParam being the item's index.
// Texts are written into the list view, and only where they differ from what it shows.
class ReportListView {
 public:
  explicit ReportListView(ReportList& list);
  ~ReportListView();
  ReportListView(const ReportListView&) = delete;
  ReportListView& operator=(const ReportListView&) = delete;

  // Takes the list view and inserts the list's columns in id order, so a column's id is its sub-item index.
  void Attach(HWND listView);
  HWND Handle() const { return listView_; }
  ReportList& List() { return list_; }
  const ReportList& List() const { return list_; }
  bool IsAttached() const { return listView_ != nullptr; }

  // Row images (a small list of two, filled by the caller) and the header's sort arrows.
  HIMAGELIST CreateImageLists(int ascendingBitmapId, int descendingBitmapId);

  // Appends the item at index as the last row.
  void InsertRow(int index);
  void UpdateRowTexts(const ReportItem& item, int row);
  void UpdateRowImage(ReportItem& item, int row);
  // UpdateRowTexts for every row whose item can be found (the time column changed its zone).
  void UpdateAllRowTexts();
  // The item a row shows; null when the list view refuses the row or its index is not a live item.
  ReportItem* ItemAtRow(int row, int* index = nullptr) const;
  // Brings the rows in line with the item array; with resort, sorts by the current value and selects row 0.
  void RebuildRows(bool resort);
  // Sorts the rows by a column, or by the current sort value (kCurrentSortValue), and moves the header arrow.
  void SortByColumn(int value, bool keepDirection);

  // Where each column stands in the list view, its width as at 96 DPI; unknown for a column it refuses. Widths
  // are kept and stored as at 96 DPI and shown scaled to the screen, so a settings file means the same anywhere.
  std::vector<ColumnPlacement> ColumnPlacements() const;
  // Stores the list view's widths and order in the list's layout, and applies a stored one.
  void CaptureLayout();
  void ApplyLayout();

  // Every row in display order, with its item and whether it is selected.
  std::vector<ExportRow> Rows() const;
  int RowCount() const;
  int SelectedCount() const;
  // Sets state bits of one row, or of every row when row is -1.
  void SetItemState(int row, UINT state, UINT mask);
  void SetRedraw(bool on);
  void SetExtendedStyle(DWORD bits, bool on);
  // Sizes every visible column to its content; hidden columns stay hidden.
  void AutoSizeColumns();

 private:
  static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM view);
  void WriteRowText(int row, int column, char* text);

  ReportList& list_;
  HWND listView_ = nullptr;
  HIMAGELIST smallImages_ = nullptr;
  HIMAGELIST headerImages_ = nullptr;
  int activeSortKey_ = 0;
  std::unique_ptr<CompareBuffers> buffers_;
};

}  // namespace wrenhollow
