#pragma once

#include <string_view>
#include <vector>

#include "report/column_def.h"
#include "report/report_item.h"

namespace wrenhollow {

// A sort key: a column id in the low 12 bits, kSortDescending for descending order.
constexpr int kSortColumnMask = 0xFFF;
constexpr int kSortDescending = 0x1000;
// Pseudo-column that orders marked items first.
constexpr int kMarkedItemsColumn = 2048;
// Asks SortByColumn for the current sort value.
constexpr int kCurrentSortValue = 0xFFFF;

// The sort value a column click or a rebuild leads to: clicking the sorted column reverses its direction,
// clicking another sorts it ascending; with keepDirection the requested value stands as it is.
int NextSortValue(int current, int requested, bool keepDirection);

// The two texts a comparison reads, each of the list's work-buffer size.
struct CompareBuffers {
  char first[kReportTextSize];
  char second[kReportTextSize];
};

// The items' own comparison of a column; marked items first under kMarkedItemsColumn.
int CompareItems(int column, const ReportItem& a, const ReportItem& b);
// One key's verdict: the items' comparison, or their column texts compared without regard to case, negated for a
// descending key.
int CompareByKey(int key, const ReportItem& a, const ReportItem& b, CompareBuffers& buffers);

// The keys of "/sort" options, in the order given; the first key that tells two items apart decides.
class SortKeyList {
 public:
  static constexpr int kCapacity = 32;

  // False, and nothing stored, once the list is full.
  bool Add(int key);
  int Count() const { return count_; }
  int operator[](int index) const { return keys_[index]; }
  int Compare(const ReportItem& a, const ReportItem& b, CompareBuffers& buffers) const;

 private:
  int keys_[kCapacity] = {};
  int count_ = 0;
};

// The column a "/sort" value names: a number of one or two digits is a display position among the visible
// columns; otherwise a title equal to the value (translated or not, ignoring case), or else one containing it;
// a later column wins over an earlier one; column 0 when nothing matches.
int SortKeyColumn(std::string_view value, const std::vector<int>& visibleColumns,
                  const std::vector<ReportColumn>& columns);

// Appends the key of one "/sort" value (the caller has removed its "~").
bool AddSortKey(SortKeyList& keys, std::string_view value, bool descending, const std::vector<int>& visibleColumns,
                const std::vector<ReportColumn>& columns);

}  // namespace wrenhollow
