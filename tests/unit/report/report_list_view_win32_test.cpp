#include "report/report_list_view_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "report/list_view_fixture_win32.h"

namespace wrenhollow {
namespace {

using ReportListViewTest = ListViewFixture;

TEST_F(ReportListViewTest, RowsShowEveryColumnTheImageAndTheIndexOfALiveItem) {
  list_.Add("alpha", "10");
  list_.Add("beta", "7");
  ASSERT_EQ(list_.view.RowCount(), 2);
  EXPECT_EQ(Cell(0, 0) + "|" + Cell(0, 1) + "|" + Cell(1, 0) + "|" + Cell(1, 1), "alpha|10|beta|7");
  LVITEMA row{};
  row.mask = LVIF_IMAGE;
  row.iItem = 1;
  SendMessageA(list_.view.Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(row.iImage, 1);
  EXPECT_EQ(list_.ItemAt(0)->image, 0);
  int index = -1;
  EXPECT_EQ(list_.view.ItemAtRow(1, &index), list_.ItemAt(1));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(list_.view.ItemAtRow(2), nullptr);
  // The rows stay, but an index that is no longer an item is not followed.
  list_.ClearItems();
  EXPECT_EQ(list_.view.ItemAtRow(0), nullptr);
  EXPECT_TRUE(list_.view.Rows().empty());
}

TEST_F(ReportListViewTest, ARowPastTheSixteenBitLimitIsAppendedAtTheEnd) {
  LVITEMA row{};
  row.mask = LVIF_TEXT;
  row.pszText = const_cast<char*>("filler");
  for (row.iItem = 0; row.iItem < 0x10000; ++row.iItem) {
    SendMessageA(list_.view.Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
  }
  list_.Add("last", "1");
  ASSERT_EQ(list_.view.RowCount(), 0x10001);
  EXPECT_EQ(Cell(0x10000, 0), "last");
  EXPECT_EQ(Cell(0xFFFF, 0), "filler");
}

TEST_F(ReportListViewTest, SortsAsTextAndFlipsOnTheSortedColumnWithItsArrow) {
  list_.Add("b", "9");
  list_.Add("a", "10");
  list_.Add("C", "100");
  list_.view.SortByColumn(1, false);
  EXPECT_EQ(Column0(), "a C b ");  // "10" < "100" < "9" as text
  int format = 0;
  EXPECT_EQ(HeaderImage(1, &format), 0);
  EXPECT_TRUE(format & HDF_IMAGE);
  list_.view.SortByColumn(1, false);
  EXPECT_EQ(list_.SortValue(), 1 | kSortDescending);
  EXPECT_EQ(Column0(), "b C a ");
  EXPECT_EQ(HeaderImage(1, &format), 1);
  list_.view.SortByColumn(0, false);
  EXPECT_EQ(list_.SortValue(), 0);
  EXPECT_EQ(Column0(), "a b C ");  // letter case ignored
  HeaderImage(1, &format);
  EXPECT_FALSE(format & HDF_IMAGE);
}

TEST_F(ReportListViewTest, RebuildFollowsTheArrayAndSelectsTheFirstRow) {
  list_.Add("x", "1");
  list_.Add("y", "2");
  list_.ClearItems();
  SendMessageA(list_.view.Handle(), LVM_DELETEALLITEMS, 0, 0);
  list_.view.RebuildRows(true);
  EXPECT_EQ(list_.view.RowCount(), 0);
  EXPECT_EQ(list_.view.SelectedCount(), 0);

  list_.SortValue() = kSortDescending;
  list_.AddItem(test::Texts("m", "5"));
  list_.AddItem(test::Texts("n", "5"));
  list_.view.RebuildRows(true);
  EXPECT_EQ(Column0(), "n m ");
  const std::vector<ExportRow> rows = list_.view.Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].itemIndex, 1);
  EXPECT_TRUE(rows[0].selected);
  EXPECT_FALSE(rows[1].selected);
}

TEST_F(ReportListViewTest, LayoutRoundTripsADamagedOneIsNotAppliedAndAutoSizeLeavesHiddenColumnsHidden) {
  list_.Add("a rather long name", "1");
  list_.Layout() = {{0, 1}, {120, 0}};
  list_.view.ApplyLayout();
  list_.Layout() = {{5, 5}, {5, 5}};
  list_.view.CaptureLayout();
  EXPECT_EQ(Placements(), "0@1 120@0 ");
  EXPECT_EQ(list_.VisibleColumns(), std::vector<int>{1});

  list_.Layout() = {{50, 0}, {70, 0}};
  list_.view.ApplyLayout();
  list_.view.CaptureLayout();
  EXPECT_EQ(Placements(), "0@1 120@0 ");
  const HWND view = list_.view.Handle();
  ListView_SetColumnWidth(view, 1, 10);
  list_.view.AutoSizeColumns();
  EXPECT_EQ(ListView_GetColumnWidth(view, 0), 0);
  EXPECT_GT(ListView_GetColumnWidth(view, 1), 10);
}

}  // namespace
}  // namespace wrenhollow
