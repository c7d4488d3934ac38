// A list view showing a small report list, for tests of what works on the rows.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "report/report_list_view_win32.h"
#include "report/text_item.h"

namespace wrenhollow {

// Items whose column 0 is a name and column 1 a number (held as text); odd numbers show image 1.
const ColumnDef kColumns[] = {{0, LVCF_WIDTH | LVCF_TEXT, 0, 80, 0, "", 1, 20},
                              {1, LVCF_WIDTH | LVCF_TEXT, 0, 60, 0, "", 1, 20}};

class NamedList : public ReportList {
 public:
  NamedList() : ReportList(sizeof(test::TextItem), 64), view(*this) { InitColumns(kColumns, 2); }
  int ItemImage(const ReportItem& item) const override { return std::atoi(static_cast<const test::TextItem&>(item).texts[1]) % 2; }
  bool IsColumnSearchable(int) const override { return true; }
  void Add(const char* name, const char* number) {
    AddItem(test::Texts(name, number));
    view.InsertRow(ItemCount() - 1);
  }
  ReportListView view;
};

class ListViewFixture : public ::testing::Test {
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
    ListView_GetItemText(list_.view.Handle(), row, column, text, sizeof text);
    return text;
  }
  std::string Column0() {
    std::string names;
    for (int row = 0; row < list_.view.RowCount(); ++row) names += Cell(row, 0) + " ";
    return names;
  }
  // Each column's width@position in the list's layout, in id order.
  std::string Placements() {
    std::string text;
    for (const auto [width, position] : list_.Layout()) text += std::to_string(width) + "@" + std::to_string(position) + " ";
    return text;
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

}  // namespace wrenhollow
