// The commands as the menus, the toolbar and the list offer them: states that follow the selection, the options'
// check marks, and the dialogs and questions the commands open.
#include "e2e_support.h"

#include <commctrl.h>

namespace wrenhollow::e2e {
namespace {

TEST(Commands, StatesFollowTheSelectionDialogsOpenAndOptionsFlip) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(PlugDevices(app, {"First Reader", "Second Reader", "Third Reader"}));
  // Over the list, where a right click would be; early, so that the pointer's events are handled before a menu
  // opens (under Wine they may cancel it). After regedit has run, which takes the pointer back to where X has it.
  ASSERT_TRUE(SetCursorPos(200, 150));

  // Properties is offered, in the menu and on the toolbar, for exactly one selected row. The program writes the
  // counts and the states in the same posted handler: once the counts show, the states are current.
  for (const std::vector<int>& selected : {std::vector<int>{1}, std::vector<int>{0, 1}, std::vector<int>{}}) {
    SCOPED_TRACE(selected.size());
    ASSERT_TRUE(app.SelectRows(selected));
    ASSERT_TRUE(WaitForStatus(
        app, "3 item(s)" + (selected.empty() ? "" : ", " + std::to_string(selected.size()) + " Selected")));
    EXPECT_EQ(!FindItem(MenuItems(app.handle(), GetMenu(app.handle())), IDM_PROPERTIES).Grayed(), selected.size() == 1);
    EXPECT_EQ((SendMessageA(app.Toolbar(), TB_GETSTATE, IDM_PROPERTIES, 0) & TBSTATE_ENABLED) != 0, selected.size() == 1);
  }
  // The context menu takes its states as it opens, where the pointer is.
  RECT at{};
  const std::vector<MenuItem> context = product.ContextMenuItems(&at);
  EXPECT_EQ(std::make_pair(at.left, at.top), std::make_pair(200L, 150L));
  EXPECT_TRUE(FindItem(context, IDM_SAVE_SELECTED).Grayed());
  EXPECT_FALSE(FindItem(context, IDM_HTML_REPORT_ALL).Grayed());

  // Opened by the command, or (0) by a double click on the second row; a control it must hold; closed with a button.
  ASSERT_TRUE(app.SelectRows({0}));
  ASSERT_TRUE(WaitForStatus(app, "3 item(s), 1 Selected"));
  const struct {
    WORD command;
    const char* title;
    int control;
    int close;
  } dialogs[] = {{IDM_PROPERTIES, "Properties", IDOK, IDOK},
                 {0, "Properties", IDOK, IDOK},
                 {IDM_ABOUT, "Wrenhollow", IDC_ABOUT_LINK, IDOK},
                 {IDM_CLEAR_LOG, "Wrenhollow", IDNO, IDNO},
                 {IDM_CHOOSE_COLUMNS, "Column Settings", IDC_COLUMNS_LIST, IDCANCEL}};
  for (const auto& d : dialogs) {
    SCOPED_TRACE(d.command);
    std::string error;
    ASSERT_TRUE(d.command != 0 ? app.PostCommand(d.command) : app.DoubleClickRow(1, &error)) << error;
    HWND dialog = WaitForWindow("#32770", product.ProcessId(), kAnswerMs, d.title);
    ASSERT_NE(dialog, nullptr) << "no dialog titled " << d.title;
    EXPECT_NE(GetDlgItem(dialog, d.control), nullptr);
    if (d.command == 0) EXPECT_EQ(app.SelectedRows(), std::vector<int>{1});
    if (d.command == IDM_CLEAR_LOG) EXPECT_EQ(MessageBoxText(dialog), "Do you want to clear the log ?");
    ASSERT_TRUE(CloseDialog(dialog, d.close));
  }
  EXPECT_EQ(app.RowCount(), 3) << "No must keep the log";

  // Find Next selects the next row that matches.
  ASSERT_TRUE(app.PostCommand(IDM_FIND));
  HWND find = WaitForWindow("#32770", product.ProcessId(), kAnswerMs, "Find");
  ASSERT_NE(find, nullptr);
  ASSERT_TRUE(SetText(GetDlgItem(find, 1152), "third"));
  ASSERT_TRUE(PressDialogButton(find, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return app.SelectedRows() == std::vector<int>{2}; }, kAnswerMs));
  ASSERT_TRUE(CloseDialog(find, IDCANCEL));

  // Yes empties the log.
  ASSERT_TRUE(app.PostCommand(IDM_CLEAR_LOG));
  ASSERT_TRUE(PressDialogButton(WaitForWindow("#32770", 0, kAnswerMs, nullptr, product.Window()), IDYES));
  EXPECT_TRUE(WaitUntil([&] { return app.RowCount() == 0; }, kAnswerMs)) << "Yes must clear the log";

  // Each option's command flips it: its check mark, what it does, and what Exit saves.
  const struct {
    WORD command;
    const char* key;
    const char* saved;
  } options[] = {{IDM_SHOW_GRID_LINES, "ShowGridLines", "1"}, {IDM_SHOW_TOOLTIPS, "ShowInfoTip", "0"},
                 {IDM_SHOW_TIME_IN_GMT, "ShowTimeInGMT", "1"}, {IDM_PUT_ICON_ON_TRAY, "TrayIcon", "1"},
                 {IDM_START_AS_HIDDEN, "StartAsHidden", "1"}};
  for (const auto& option : options) ASSERT_TRUE(app.SendCommand(option.command));
  const std::vector<MenuItem> menu = MenuItems(app.handle(), GetMenu(app.handle()));
  for (const auto& option : options) {
    EXPECT_EQ(FindItem(menu, option.command).Checked(), *option.saved == '1') << option.key;
  }
  EXPECT_NE(SendMessageA(app.ListView(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES, 0);
  ASSERT_TRUE(product.Exit());
  const std::string settings = ReadFileBytes(product.SettingsPath());
  for (const auto& option : options) {
    EXPECT_NE(settings.find(std::string("\n") + option.key + "=" + option.saved + "\r\n"), std::string::npos) << option.key;
  }
}

}  // namespace
}  // namespace wrenhollow::e2e
