#include "report/report_list_view_win32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace wrenhollow {
namespace {

// Items whose column 0 is a name and column 1 a number, compared as text; odd numbers show image 1.
struct NamedItem : ReportItem {
  char name[16];
  int number;
};

const ReportItemOps kNamedOps = {
    [](const ReportItem& item, int column, char* buffer, size_t size) -> const char* {
      const auto& named = static_cast<const NamedItem&>(item);
      if (column == 0) return named.name;
      std::snprintf(buffer, size, "%d", named.number);
      return buffer;
    },
    [](const ReportItem&, int, const ReportItem&) { return kCompareByText; },
    [](const ReportItem&, const ReportItem&) { return 0; },
    [](ReportItem&) {},
};

const ColumnDef kColumns[] = {{0, LVCF_WIDTH | LVCF_TEXT, 0, 80, 0, "", 1, 20},
                              {1, LVCF_WIDTH | LVCF_TEXT, 0, 60, 0, "", 1, 20}};

class NamedList : public ReportList {
 public:
  NamedList() : ReportList(sizeof(NamedItem), 64), view(*this) { InitColumns(kColumns, 2); }
  int ItemImage(const ReportItem& item) const override { return static_cast<const NamedItem&>(item).number % 2; }
  void Add(const char* name, int number) {
    NamedItem record{{&kNamedOps, 0, 0, -1, -1}, {}, number};
    std::snprintf(record.name, sizeof record.name, "%s", name);
    AddItem(record);
    view.InsertRow(ItemCount() - 1);
  }
  ReportListView view;
};

class ReportListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    const HWND listView = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 400, 300, parent_,
                                          nullptr, nullptr, nullptr);
    list_.view.Attach(listView);
    list_.view.CreateImageLists(0, 0);
  }
  void TearDown() override { DestroyWindow(parent_); }

  std::string Cell(int row, int column) {
    char text[64] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list_.view.Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
  }
  std::string Column0() {
    std::string names;
    for (int row = 0; row < list_.view.RowCount(); ++row) names += Cell(row, 0) + " ";
    return names;
  }
  int HeaderImage(int column, int* format) {
    HDITEMA item{};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    SendMessageA(reinterpret_cast<HWND>(SendMessageA(list_.view.Handle(), LVM_GETHEADER, 0, 0)), HDM_GETITEMA,
                 static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    *format = item.fmt;
    return item.iImage;
  }

  HWND parent_ = nullptr;
  NamedList list_;
};

TEST_F(ReportListViewTest, RowsShowEveryColumnTheImageAndTheItemIndex) {
  list_.Add("alpha", 10);
  list_.Add("beta", 7);
  ASSERT_EQ(list_.view.RowCount(), 2);
  EXPECT_EQ(Cell(0, 0), "alpha");
  EXPECT_EQ(Cell(0, 1), "10");
  EXPECT_EQ(Cell(1, 1), "7");
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
}

TEST_F(ReportListViewTest, AnIndexThatIsNoLongerAnItemIsNotFollowed) {
  list_.Add("alpha", 1);
  list_.ClearItems();
  EXPECT_EQ(list_.view.ItemAtRow(0), nullptr);
  EXPECT_TRUE(list_.view.Rows().empty());
}

TEST_F(ReportListViewTest, SortsAsTextAndFlipsOnTheSortedColumnWithItsArrow) {
  list_.Add("b", 9);
  list_.Add("a", 10);
  list_.Add("C", 100);
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
  list_.Add("x", 1);
  list_.Add("y", 2);
  list_.ClearItems();
  SendMessageA(list_.view.Handle(), LVM_DELETEALLITEMS, 0, 0);
  list_.view.RebuildRows(true);
  EXPECT_EQ(list_.view.RowCount(), 0);
  EXPECT_EQ(list_.view.SelectedCount(), 0);

  list_.SortValue() = kSortDescending;
  NamedItem record{{&kNamedOps, 0, 0, -1, -1}, "m", 5};
  list_.AddItem(record);
  std::snprintf(record.name, sizeof record.name, "n");
  list_.AddItem(record);
  list_.view.RebuildRows(true);
  EXPECT_EQ(Column0(), "n m ");
  const std::vector<ExportRow> rows = list_.view.Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].itemIndex, 1);
  EXPECT_TRUE(rows[0].selected);
  EXPECT_FALSE(rows[1].selected);
}

TEST_F(ReportListViewTest, LayoutRoundTripsAndADamagedOneIsNotApplied) {
  list_.Layout() = {{0, 1}, {120, 0}};
  list_.view.ApplyLayout();
  list_.Layout() = {{5, 5}, {5, 5}};
  list_.view.CaptureLayout();
  EXPECT_EQ(list_.Layout()[0].width, 0);
  EXPECT_EQ(list_.Layout()[0].position, 1);
  EXPECT_EQ(list_.Layout()[1].width, 120);
  EXPECT_EQ(list_.Layout()[1].position, 0);
  EXPECT_EQ(list_.VisibleColumns(), std::vector<int>{1});

  list_.Layout() = {{50, 0}, {70, 0}};
  list_.view.ApplyLayout();
  list_.view.CaptureLayout();
  EXPECT_EQ(list_.Layout()[1].width, 120);
}

TEST_F(ReportListViewTest, AutoSizeLeavesHiddenColumnsHidden) {
  list_.Add("a rather long name", 1);
  list_.Layout() = {{0, 0}, {10, 1}};
  list_.view.ApplyLayout();
  list_.view.AutoSizeColumns();
  EXPECT_EQ(SendMessageA(list_.view.Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 0);
  EXPECT_GT(SendMessageA(list_.view.Handle(), LVM_GETCOLUMNWIDTH, 1, 0), 10);
}

}  // namespace
}  // namespace wrenhollow
