#include "dialogs/properties_dialog_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/modal_driver.h"
#include "support/device_events.h"
#include "events/event_columns.h"
#include "events/usb_event.h"
#include "lang/language_fixture_win32.h"
#include "resource_ids.h"

namespace wrenhollow {
namespace {

RECT ChildRect(HWND dialog, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The visible rows' labels (even) and value boxes (odd), in the order they were made.
std::vector<HWND> RowControls(HWND dialog) {
  std::vector<HWND> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child) && GetDlgCtrlID(child) != IDOK) controls.push_back(child);
  }
  return controls;
}

TEST(PropertiesDialogTest, OneSelectedRowShowsEveryColumnSizedToFitInBlueOnWhite) {
  // Untranslated titles fit; a long translated one stops where the value boxes keep a third of their width.
  for (const std::string& longTitle : {std::string(), std::string(300, 'W')}) {
    test::InstalledLanguage language;
    if (!longTitle.empty()) language.Load("[strings]\r\n1003=" + longTitle + "\r\n");
    ReportList list(sizeof(UsbEvent), 8);
    list.InitColumns(kEventColumns, kEventColumnCount);
    list.Layout()[kColumnSerialNumber].width = 0;  // hidden columns keep their rows
    const HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ReportListView view(list);
    view.Attach(CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 400, 300, parent, nullptr, nullptr, nullptr));
    UsbIdDatabase database;
    for (const char* serial : {"AA01", "BB02"}) {  // the second one is shown
      list.AddItem(BuildUsbEvent(test::SampleEvent(EventType::Plug, "", serial, "", "", 0, 0), database));
      view.InsertRow(list.ItemCount() - 1);
    }
    view.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_FALSE(test::WhileShown([&] { return ShowSelectedProperties(parent, view); }, nullptr));
    view.SetItemState(0, 0, LVIS_SELECTED);

    EXPECT_TRUE(test::WhileShown([&] { return ShowSelectedProperties(parent, view); }, [&](HWND dialog) {
      const std::vector<HWND> rows = RowControls(dialog);
      ASSERT_EQ(rows.size(), 2u * kEventColumnCount);
      HDC dc = GetDC(dialog);
      int widest = 0;
      for (int i = 0; i < kEventColumnCount; ++i) {
        const char* title = list.Columns()[static_cast<size_t>(i)].title;
        char buffer[kReportTextSize];
        EXPECT_EQ(test::WindowText(rows[2 * i]), (std::string(title) + ":").substr(0, 255));
        EXPECT_EQ(test::WindowText(rows[2 * i + 1]), list.ItemAt(1)->Text(i, buffer, sizeof buffer));
        SIZE size{};
        GetTextExtentPoint32A(dc, title, static_cast<int>(std::strlen(title)), &size);
        widest = std::max(widest, int{size.cx});
      }
      const RECT label = ChildRect(dialog, rows[0]);
      const RECT value = ChildRect(dialog, rows[1]);
      const RECT templateValue = ChildRect(dialog, GetDlgItem(dialog, IDC_PROPERTIES_VALUE));
      EXPECT_EQ(value.right, templateValue.right);
      EXPECT_TRUE(longTitle.empty() ? label.right - label.left == widest + 10
                                    : value.right - value.left == (templateValue.right - templateValue.left) / 3);
      RECT client{};
      GetClientRect(dialog, &client);
      const RECT ok = ChildRect(dialog, GetDlgItem(dialog, IDOK));
      EXPECT_EQ(client.bottom, kEventColumnCount * (value.bottom - value.top + 4) + (ok.bottom - ok.top) + 21);
      EXPECT_EQ(ok.bottom, client.bottom - 5);
      SetTextColor(dc, 0);
      EXPECT_EQ(SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(rows[1])),
                reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
      EXPECT_EQ(GetTextColor(dc), PropertiesDialog::kValueTextColor);
      ReleaseDC(dialog, dc);
      test::Press(dialog, IDOK);
    }));
    DestroyWindow(parent);
  }
}

}  // namespace
}  // namespace wrenhollow
