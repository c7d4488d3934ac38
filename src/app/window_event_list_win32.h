#pragma once

#include "events/event_report_list.h"
#include "report/report_list_view_win32.h"

namespace wrenhollow {

// The event log as the main window shows it: each new event becomes a row at once, and exports take the
// columns' order and widths from the list view. Without a list view (the command-line export) it is the plain
// event log with its stored layout.
class WindowEventList : public EventReportList {
 public:
  WindowEventList(RegistrySource& registry, VolumeSource& volumes, Clock& clock)
      : EventReportList(registry, volumes, clock), view_(*this) {}

  ReportListView& View() { return view_; }

  std::vector<ColumnPlacement> ColumnPlacements() const override {
    return view_.IsAttached() ? view_.ColumnPlacements() : EventReportList::ColumnPlacements();
  }

 protected:
  void ShowNewItem(int index) override {
    if (view_.IsAttached()) view_.InsertRow(index);
  }

 private:
  ReportListView view_;
};

}  // namespace wrenhollow
