// A list view showing a small report list, for tests of what works on the rows.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "report/report_list_view_win32.h"

namespace wrenhollow {

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
  bool IsColumnSearchable(int) const override { return true; }
  void Add(const char* name, int number) {
    NamedItem record{{&kNamedOps, 0, 0, -1, -1}, {}, number};
    std::snprintf(record.name, sizeof record.name, "%s", name);
    AddItem(record);
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

}  // namespace wrenhollow
