#pragma once

#include <windows.h>

#include "report/report_list.h"
#include "report/report_list_view_win32.h"
#include "ui/dialog_win32.h"

namespace wrenhollow {

// Dialog 105: every column of one item, a label with the column's title and a read-only box with the item's
// text, one row per column (hidden columns too), built from the template's two invisible controls. The dialog
// grows or shrinks to fit the rows.
class PropertiesDialog : public CommandDialog {
 public:
  static constexpr COLORREF kValueTextColor = 0xC00000;  // dark blue
  // Labels never take more of a row than leaves the value box this fraction of its template width.
  static constexpr int kMinValueWidthDivisor = 3;

  // linesPerValue: each value box's height in template heights; rowSpacing: pixels between rows, as at 96 DPI.
  PropertiesDialog(const ReportList& list, const ReportItem& item, int linesPerValue, int rowSpacing);

  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildRows();
  // The widest column title in the dialog's default font, plus a margin; -1 when it cannot be measured.
  int FittedLabelWidth() const;

  const ReportList& list_;
  const ReportItem& item_;
  int linesPerValue_;
  int rowSpacing_;
};

// Shows the item's properties modally over parent. Its texts are read once, as the dialog opens.
void RunProperties(HWND parent, const ReportList& list, const ReportItem& item);

// The Properties command: the properties of the one selected row, when exactly one is selected. True when the
// dialog was shown; the view is not touched once the dialog runs, as it may be gone when the dialog returns.
bool ShowSelectedProperties(HWND parent, ReportListView& view);

}  // namespace wrenhollow
