#include "report/column_layout.h"

#include <algorithm>

namespace wrenhollow {

std::vector<ColumnLayoutEntry> DefaultColumnLayout(int columnCount) {
  std::vector<ColumnLayoutEntry> layout;
  for (int id = 0; id < columnCount; ++id) layout.push_back({100, static_cast<int16_t>(id)});
  return layout;
}

std::vector<int> ComputeVisibleColumns(const std::vector<ColumnPlacement>& placements) {
  const int count = static_cast<int>(placements.size());
  std::vector<int> slot(placements.size(), -1);
  for (int id = 0; id < count; ++id) {
    const ColumnPlacement& placement = placements[static_cast<size_t>(id)];
    if (placement.known && placement.width > 0) slot[static_cast<size_t>(id)] = std::clamp(placement.position, 0, count - 1);
  }
  std::vector<int> visible;
  for (int position = 0; position < count; ++position) {
    for (int id = 0; id < count; ++id) {
      if (slot[static_cast<size_t>(id)] == position) visible.push_back(id);
    }
  }
  return visible;
}

std::vector<ColumnPlacement> PlacementsOf(const std::vector<ColumnLayoutEntry>& layout) {
  std::vector<ColumnPlacement> placements;
  for (const ColumnLayoutEntry& entry : layout) placements.push_back({true, entry.position, entry.width});
  return placements;
}

std::vector<ColumnLayoutStep> PlanLayout(const std::vector<ColumnLayoutEntry>& layout) {
  const int leftmost = static_cast<int>(
      std::count_if(layout.begin(), layout.end(), [](const ColumnLayoutEntry& entry) { return entry.position == 0; }));
  if (leftmost >= 2) return {};
  std::vector<ColumnLayoutStep> steps;
  const int count = static_cast<int>(layout.size());
  for (int position = 0; position < count; ++position) {
    const auto first = std::find_if(layout.begin(), layout.end(),
                                    [&](const ColumnLayoutEntry& entry) { return entry.position == position; });
    if (first == layout.end()) continue;
    const bool setWidth = first->width >= 0 && first->width <= 1999;
    steps.push_back({static_cast<int>(first - layout.begin()), position, setWidth, setWidth ? first->width : 0});
  }
  return steps;
}

}  // namespace wrenhollow
