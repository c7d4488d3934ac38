#include "dialogs/column_settings_dialog_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/modal_driver.h"
#include "lang/language_fixture_win32.h"
#include "resource_ids.h"

namespace wrenhollow {
namespace {

using test::Press;

// Each row's title, "+" when checked, "*" when selected.
std::string Rows(HWND dialog) {
  const HWND rows = GetDlgItem(dialog, IDC_COLUMNS_LIST);
  std::string text;
  for (int row = 0; row < ListView_GetItemCount(rows); ++row) {
    char title[64] = "";
    ListView_GetItemText(rows, row, 0, title, sizeof title);
    text += std::string(title) + (ListView_GetCheckState(rows, row) ? "+" : "") +
            (ListView_GetItemState(rows, row, LVIS_SELECTED) != 0 ? "* " : " ");
  }
  return text;
}

void Select(HWND dialog, int row) {
  ListView_SetItemState(GetDlgItem(dialog, IDC_COLUMNS_LIST), row, LVIS_SELECTED, LVIS_SELECTED);
}

class ColumnSettingsTest : public ::testing::Test {
 protected:
  ColumnSettingsTest() {
    // Event Time has no default width, so it starts hidden.
    const ColumnDef columns[] = {{0, kColumnMaskWidthText, 0, 80, 1001, "", 1, 20},
                                 {1, kColumnMaskWidthText, 0, 0, 1002, "", 1, 20},
                                 {2, kColumnMaskWidthText, 0, 150, 1003, "", 1, 20},
                                 {3, kColumnMaskWidthText, 0, 60, 1004, "", 1, 20}};
    list_.InitColumns(columns, 4);
    view_.Attach(CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 500, 300, parent_, nullptr,
                                 nullptr, nullptr));
    // The user hid Device Name and dragged Description to the front.
    ListView_SetColumnWidth(view_.Handle(), 2, 0);
    int order[] = {3, 0, 1, 2};
    ListView_SetColumnOrderArray(view_.Handle(), 4, order);
  }
  ~ColumnSettingsTest() override { DestroyWindow(parent_); }

  // Runs the dialog; then each column's width@position in the list view, in id order.
  std::string Run(std::function<void(HWND)> drive, bool applied) {
    const auto layout = test::WhileShown([&] { return RunColumnSettings(parent_, view_); }, std::move(drive));
    EXPECT_EQ(layout.has_value(), applied);
    if (layout) ApplyColumnSettings(view_, *layout);
    std::string text;
    for (const ColumnPlacement& at : view_.ColumnPlacements()) text += std::to_string(at.width) + "@" + std::to_string(at.position) + " ";
    return text;
  }

  test::InstalledLanguage language_;
  ReportList list_{sizeof(ReportItem), 8};
  ReportListView view_{list_};
  HWND parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 500, 300, nullptr, nullptr, nullptr, nullptr);
};

TEST_F(ColumnSettingsTest, OkAppliesChecksOrderAndTypedWidths) {
  EXPECT_EQ(Run([](HWND dialog) {
              const HWND width = GetDlgItem(dialog, IDC_COLUMNS_WIDTH);
              EXPECT_EQ(Rows(dialog), "Description+* Event Type+ Event Time Device Name ");
              EXPECT_EQ(test::WindowText(width), "60");
              EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_COLUMNS_MOVE_UP)));
              // A column the user hid offers its default width back; Event Time has none.
              Select(dialog, 3);
              EXPECT_EQ(test::WindowText(width), "150");
              Press(dialog, IDC_COLUMNS_SHOW);
              EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_COLUMNS_SHOW)));
              Select(dialog, 2);
              Press(dialog, IDC_COLUMNS_SHOW);
              Select(dialog, 1);
              Press(dialog, IDC_COLUMNS_HIDE);
              // Only 1 to 999 is a width, and the box takes three digits.
              Select(dialog, 0);
              for (const char* typed : {"999", "0", "1000", ""}) SetWindowTextA(width, typed);
              Press(dialog, IDC_COLUMNS_MOVE_UP);
              Press(dialog, IDC_COLUMNS_MOVE_DOWN);
              EXPECT_EQ(Rows(dialog), "Event Type Description+* Event Time+ Device Name+ ");
              EXPECT_EQ(test::WindowText(width), "999");
              Select(dialog, 3);
              SetWindowTextA(width, "");
              for (char digit : std::string("1234")) SendMessageA(width, WM_CHAR, static_cast<WPARAM>(digit), 0);
              EXPECT_EQ(test::WindowText(width), "123");
              Press(dialog, IDOK);
            }, true),
            "0@0 100@2 123@3 999@1 ");
}

TEST_F(ColumnSettingsTest, DefaultRestoresDefinitionOrderAndWidthsButCancelKeepsTheLayout) {
  for (const int button : {IDCANCEL, IDOK}) {
    EXPECT_EQ(Run([&](HWND dialog) {
                Press(dialog, IDC_COLUMNS_HIDE);
                Press(dialog, IDC_COLUMNS_MOVE_DOWN);
                Press(dialog, IDC_COLUMNS_DEFAULT);
                EXPECT_EQ(Rows(dialog), "Event Type+* Event Time Device Name+ Description+ ");
                EXPECT_EQ(test::WindowText(GetDlgItem(dialog, IDC_COLUMNS_WIDTH)), "80");
                Press(dialog, button);
              }, button == IDOK),
              button == IDOK ? "80@0 0@1 150@2 60@3 " : "80@1 0@2 0@3 60@0 ");
  }
}

}  // namespace
}  // namespace wrenhollow
