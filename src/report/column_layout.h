#pragma once

#include <cstdint>
#include <vector>

namespace wrenhollow {

// One column's width and display position, as kept in the settings ("Columns": four bytes a column).
struct ColumnLayoutEntry {
  int16_t width;     // pixels; 0 or less = hidden
  int16_t position;  // 0 = leftmost
};

// Every column's entry, in column-id order; starts as {100, id}.
std::vector<ColumnLayoutEntry> DefaultColumnLayout(int columnCount);

// Where a column stands, when it can be read.
struct ColumnPlacement {
  bool known;
  int position;
  int width;
};

// The visible columns (width above 0) in display order; columns claiming one position stand side by side in id
// order, positions are clamped into the column range, and a column whose placement is unknown counts as hidden.
std::vector<int> ComputeVisibleColumns(const std::vector<ColumnPlacement>& placements);
std::vector<ColumnPlacement> PlacementsOf(const std::vector<ColumnLayoutEntry>& layout);

// One list-view column change of a layout being applied: its order always, its width when setWidth.
struct ColumnLayoutStep {
  int column;
  int position;
  bool setWidth;
  int width;
};

// The changes that apply a stored layout, by increasing position, so the list view's order follows it whatever
// it was before. None when two or more columns claim position 0 (a damaged or all-zero value); a width outside
// 0..1999 is not applied, only the position.
std::vector<ColumnLayoutStep> PlanLayout(const std::vector<ColumnLayoutEntry>& layout);

}  // namespace wrenhollow
