#include "report/sort_keys.h"

#include "util/text.h"

namespace wrenhollow {

int NextSortValue(int current, int requested, bool keepDirection) {
  int value = requested == kCurrentSortValue ? current : requested;
  if (!keepDirection && (current & kSortColumnMask) == value) value = current ^ kSortDescending;
  return value;
}

int CompareItems(int column, const ReportItem& a, const ReportItem& b) {
  if (column == kMarkedItemsColumn) {
    const bool aMarked = (a.flags & kItemMarked) != 0;
    const bool bMarked = (b.flags & kItemMarked) != 0;
    return aMarked == bMarked ? 0 : (aMarked ? -1 : 1);
  }
  return a.ops->compare(a, column, b);
}

int CompareByKey(int key, const ReportItem& a, const ReportItem& b, CompareBuffers& buffers) {
  const int column = key & kSortColumnMask;
  int result = CompareItems(column, a, b);
  if (result == kCompareByText) {
    result = CompareNoCase(a.Text(column, buffers.first, kReportTextSize), b.Text(column, buffers.second, kReportTextSize));
  }
  return (key & kSortDescending) != 0 ? -result : result;
}

bool SortKeyList::Add(int key) {
  if (count_ == kCapacity) return false;
  keys_[count_++] = key;
  return true;
}

int SortKeyList::Compare(const ReportItem& a, const ReportItem& b, CompareBuffers& buffers) const {
  for (int i = 0; i < count_; ++i) {
    const int result = CompareByKey(keys_[i], a, b, buffers);
    if (result != 0) return result;
  }
  return 0;
}

int SortKeyColumn(std::string_view value, const std::vector<int>& visibleColumns,
                  const std::vector<ReportColumn>& columns) {
  if (!value.empty() && value[0] >= '0' && value[0] <= '9' && value.size() <= 2) {
    int position = 0;
    for (char c : value) {
      if (c < '0' || c > '9') break;
      position = position * 10 + (c - '0');
    }
    return position < static_cast<int>(visibleColumns.size()) ? visibleColumns[static_cast<size_t>(position)] : 0;
  }
  int column = -1;
  for (const ReportColumn& candidate : columns) {
    if (CompareNoCase(value, candidate.title) == 0 || CompareNoCase(value, candidate.untranslatedTitle) == 0) {
      column = candidate.def.id;
    }
  }
  if (column >= 0) return column;
  for (const ReportColumn& candidate : columns) {
    if (FindNoCase(candidate.title, value) >= 0 || FindNoCase(candidate.untranslatedTitle, value) >= 0) {
      column = candidate.def.id;
    }
  }
  return column >= 0 ? column : 0;
}

bool AddSortKey(SortKeyList& keys, std::string_view value, bool descending, const std::vector<int>& visibleColumns,
                const std::vector<ReportColumn>& columns) {
  const int column = SortKeyColumn(value, visibleColumns, columns);
  return keys.Add(descending ? column | kSortDescending : column);
}

}  // namespace wrenhollow
