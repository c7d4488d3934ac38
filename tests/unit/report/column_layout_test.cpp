#include "report/column_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace wrenhollow {
namespace {

TEST(ComputeVisibleColumnsTest, HiddenColumnsDropOutAndSharedPositionsKeepIdOrder) {
  const std::vector<ColumnPlacement> placements = {
      {true, 2, 100}, {true, 0, 0},  {true, 1, 50}, {true, 1, 80},
      {false, 3, 90},  // unreadable: hidden
      {true, 40, 10},  // clamped to the last position
      {true, -5, 10},  // clamped to the first
  };
  EXPECT_EQ(ComputeVisibleColumns(placements), (std::vector<int>{6, 2, 3, 0, 5}));
  EXPECT_EQ(ComputeVisibleColumns(PlacementsOf(DefaultColumnLayout(3))), (std::vector<int>{0, 1, 2}));
}

TEST(PlanLayoutTest, AppliesByIncreasingPositionKeepsOutOfRangeWidthsAndRefusesDamage) {
  const std::vector<ColumnLayoutEntry> layout = {{120, 2}, {0, 0}, {2500, 1}, {70, 1}, {1999, 4}};
  // Position 1 is shared: the lower id only. Widths out of range are kept.
  std::string steps;
  for (const ColumnLayoutStep& step : PlanLayout(layout)) {
    steps += std::to_string(step.column) + "@" + std::to_string(step.position) +
             (step.setWidth ? "=" : "~") + std::to_string(step.width) + " ";
  }
  EXPECT_EQ(steps, "1@0=0 2@1~0 0@2=120 4@4=1999 ");
  // Two columns at position 0 are damage: nothing is applied.
  EXPECT_TRUE(PlanLayout(std::vector<ColumnLayoutEntry>(15, {0, 0})).empty());
  EXPECT_TRUE(PlanLayout({{100, 1}, {100, 0}, {100, 0}}).empty());
  EXPECT_EQ(PlanLayout({{100, 1}, {100, 2}, {100, 1}}).size(), 2u);  // no column at 0 is not damage
}

}  // namespace
}  // namespace wrenhollow
