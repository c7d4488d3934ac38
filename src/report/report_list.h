#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "report/column_def.h"
#include "report/column_layout.h"
#include "report/export_format.h"
#include "report/report_item.h"
#include "report/sort_keys.h"

namespace wrenhollow {

class ExportWriter;

// A colour as 0x00BBGGRR; kNoColor for none.
using Colorref = uint32_t;
constexpr Colorref kNoColor = 0xFFFFFFFF;

// The items behind the program's report list: records of one kind, of ItemSize bytes each, copied bitwise into
// one growable array; the columns they are shown in, with their layout; and what an export of them looks like.
class ReportList {
 public:
  ReportList(size_t itemSize, int growthStep);
  virtual ~ReportList();
  ReportList(const ReportList&) = delete;
  ReportList& operator=(const ReportList&) = delete;

  // Copies the record to the end of the array, with no image or overlay yet, and returns the stored copy; null,
  // with nothing added, when the array cannot grow.
  ReportItem* AddItem(const ReportItem& record);
  int ItemCount() const { return count_; }
  // Null for an index outside 0 .. count - 1.
  ReportItem* ItemAt(int index) const;
  // Orders the item array by the keys, the first key that tells two items apart deciding; items equal on every
  // key keep their order. The window-less export writes the items in this order.
  void SortItems(const SortKeyList& keys);
  // Copies the records into the array before the item at index (at the end for index >= count), in their
  // order; false, with nothing added, when the array cannot grow.
  bool InsertItems(int index, const std::vector<const ReportItem*>& records);
  // Releases and removes every item the predicate picks; the others keep their order.
  void RemoveItems(const std::function<bool(const ReportItem&)>& picked);
  // Forgets every item but keeps the array for the items to come (clearing the log).
  void ClearItems() { count_ = 0; }

  // The column and direction the rows are sorted by, kept in the settings as "Sort".
  static constexpr int32_t kInitialSortValue = 0;
  int32_t& SortValue() { return sortValue_; }

  // Where progress texts go (the status bar's first part); none in the window-less export.
  void SetProgressSink(std::function<void(const char*)> sink) { progressSink_ = std::move(sink); }

  // Takes the column table, titles translated and untranslated; every column starts {100 wide, at its id}.
  void InitColumns(const ColumnDef* table, int count);
  const std::vector<ReportColumn>& Columns() const { return columns_; }
  std::vector<ColumnLayoutEntry>& Layout() { return layout_; }
  // Where each column stands; the list view's binding answers from the list view, the window-less export from
  // the stored layout.
  virtual std::vector<ColumnPlacement> ColumnPlacements() const { return PlacementsOf(layout_); }
  std::vector<int> VisibleColumns() const { return ComputeVisibleColumns(ColumnPlacements()); }

  // Whether any searchable column of the item holds the text: equals it with wholeWord, contains it otherwise;
  // letter case counts only with matchCase.
  struct FindQuery {
    const char* text;
    bool wholeWord;
    bool matchCase;
  };
  bool RowMatches(const ReportItem& item, const FindQuery& query) const;
  // Only the first column is searched unless a list says otherwise.
  virtual bool IsColumnSearchable(int column) const { return column == 0; }

  // The row's image in the list view's small image list.
  virtual int ItemImage(const ReportItem&) const { return 0; }

  // What exports show of the list.
  virtual Colorref HeaderBackColor() const { return 0xE0E0E0; }
  virtual Colorref HeaderTextColor() const { return kNoColor; }
  // Background colours of data cells, blended across the columns.
  virtual std::vector<Colorref> CellPalette(ExportFormat) const { return {0xFFFFFF}; }
  const char* ReportTitle() const;
  const char* ReportTitleUntranslated() const;
  virtual bool IncludeInFullExport(const ReportItem&) const { return true; }
  virtual bool IsItemExported(const ReportItem&, int) const { return true; }
  // Document start and end of the HTML formats; the base list writes nothing.
  virtual bool WriteHtmlHead(ExportWriter&, ExportFormat) const { return true; }
  virtual bool WriteHtmlFoot(ExportWriter&, ExportFormat) const { return true; }
  // The item as one JSON object and a line end; a list without a JSON form writes nothing and fails.
  virtual bool WriteJsonLine(ExportWriter&, const ReportItem&) const { return false; }

 protected:
  // The string id of the report's title; 0 for none.
  void SetTitleId(unsigned id) { titleId_ = id; }

  // A format with one %d for the item count, shown every kProgressInterval items; none by default.
  virtual const char* ProgressFormat() const { return nullptr; }
  virtual void OnItemAdded();

  static constexpr int kProgressInterval = 50;

 private:
  size_t itemSize_;
  int growthStep_;
  void* items_ = nullptr;
  int count_ = 0;
  int capacity_ = 0;
  std::function<void(const char*)> progressSink_;
  std::vector<ReportColumn> columns_;
  std::vector<ColumnLayoutEntry> layout_;
  unsigned titleId_ = 0;
  int32_t sortValue_ = kInitialSortValue;
};

}  // namespace wrenhollow
