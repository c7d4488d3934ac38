// The language file beside the exe (tests/fixtures/language/german.ini): translated strings, menus, tooltips,
// dialogs and reports, and the right-to-left layout.
#include "e2e_support.h"

namespace wrenhollow::e2e {
namespace {

TEST(Language, ATranslationReachesStringsMenusTooltipsDialogsAndReports) {
  ASSERT_TRUE(LoadDevices({}));
  ASSERT_TRUE(SetCursorPos(200, 150));  // over the list: see Commands
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.Path("wrenhollow_lng.ini"), test::ReadFixture("language/german.ini")));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(app.SendCommand(IDM_REFRESH));
  EXPECT_TRUE(WaitForStatus(app, "0 Zeilen"));

  // A translation without a TAB keeps the item's shortcut.
  const std::vector<MenuItem> menu = MenuItems(app.handle(), GetMenu(app.handle()));
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu[0].text, "&Datei");
  EXPECT_EQ(FindItem(menu, IDM_SAVE_SELECTED).text, "&Auswahl speichern\tCtrl+S");
  EXPECT_EQ(FindItem(product.ContextMenuItems(), IDM_SAVE_SELECTED).text, "Speichern (Kontext)\tCtrl+S");

  // The toolbar's tooltips are the menu's texts; a tooltip ends its text at a TAB.
  std::string error;
  ASSERT_TRUE(app.HoverToolbarButton(IDM_SAVE_SELECTED, &error)) << error;
  HWND tip = WaitForWindow("tooltips_class32", product.ProcessId(), kAnswerMs);
  ASSERT_NE(tip, nullptr) << "no tooltip over the Save button";
  EXPECT_EQ(WindowText(tip).substr(0, WindowText(tip).find('\t')), "&Auswahl speichern");

  ASSERT_TRUE(app.PostCommand(IDM_CHOOSE_COLUMNS));
  HWND dialog = WaitForWindow("#32770", product.ProcessId(), kAnswerMs, "Spalten");
  ASSERT_NE(dialog, nullptr) << "no dialog titled Spalten";
  ASSERT_TRUE(CloseDialog(dialog, IDCANCEL));

  ASSERT_TRUE(app.SendCommand(IDM_HTML_REPORT_ALL, kAnswerMs));
  const std::string report = ReadFileBytes(product.Path("report.html"));
  EXPECT_NE(report.find("<meta http-equiv='content-type' content='text/html;charset=iso-8859-15'><title>USB-Protokoll"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("<th>Ereignistyp\r\n<th>Event Time"), std::string::npos) << "column titles";
  ASSERT_TRUE(product.Exit());

  // The command line's exports are translated too.
  DWORD code = 99;
  ASSERT_TRUE(product.Run("/scomma out.csv", &code));
  EXPECT_EQ(ReadFileBytes(product.Path("out.csv")).substr(0, 26), "Ereignistyp,Event Time,Dev");

  // Right to left.
  ASSERT_TRUE(WriteFileBytes(product.Path("wrenhollow_lng.ini"), "[general]\r\nrtl=1\r\n"));
  ASSERT_TRUE(product.Start());
  EXPECT_NE(GetWindowLongA(product.Window(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
  EXPECT_TRUE(product.Exit());
}

}  // namespace
}  // namespace wrenhollow::e2e
