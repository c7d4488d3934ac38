// The commands as the menus and the toolbar offer them: which are greyed for the rows and the selection, the
// check marks of the options, the list's context menu, and the questions (or none) before the log is emptied.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

// Every command of the main menu.
const std::vector<UINT> kMainMenuCommands = {kClearLog,      kSaveSelected,    kProperties,    kExit,
                                             kFind,          kCopySelected,    kSelectAll,     kDeselectAll,
                                             kShowGridLines, kShowTooltips,    kHtmlReportAll, kHtmlReportSelected,
                                             kChooseColumns, kAutoSizeColumns, kRefresh,       kShowTimeInGmt,
                                             kPutIconOnTray, kStartAsHidden,   kAbout};
// Every command of the list's context menu.
const std::vector<UINT> kContextMenuCommands = {kSaveSelected,  kCopySelected,    kHtmlReportAll, kHtmlReportSelected,
                                                kChooseColumns, kAutoSizeColumns, kProperties,    kRefresh};

// Whether a command must be offered with this many selected rows and rows in the list.
bool ShouldBeEnabled(UINT command, int selected, int rows, bool trayIcon) {
  switch (command) {
    case kProperties:
      return selected == 1;
    case kSaveSelected:
    case kCopySelected:
    case kHtmlReportSelected:
      return selected >= 1;
    case kAutoSizeColumns:
    case kHtmlReportAll:
    case kFind:
      return rows > 0;
    case kStartAsHidden:
      return trayIcon;
    default:
      return true;
  }
}

void ExpectMenuStates(const MenuTree& menu, const std::vector<UINT>& commands, int selected, int rows, bool trayIcon,
                      const std::string& what) {
  SCOPED_TRACE(what + ": " + std::to_string(selected) + " selected of " + std::to_string(rows));
  EXPECT_EQ(menu.commands.size(), commands.size());
  for (UINT command : commands) {
    const auto found = menu.commands.find(command);
    if (found == menu.commands.end()) {
      ADD_FAILURE() << "no item " << command;
      continue;
    }
    EXPECT_EQ(!found->second.Grayed(), ShouldBeEnabled(command, selected, rows, trayIcon))
        << "item " << command << " \"" << found->second.text << "\" state 0x" << std::hex << found->second.state;
  }
}

MenuTree MainMenu(const AppWindow& app) {
  MenuTree menu;
  EXPECT_TRUE(ReadMenuTree(app.handle(), app.Menu(), &menu));
  return menu;
}

void ExpectMainMenuAndToolbar(const AppWindow& app, int selected, int rows, bool trayIcon, const std::string& what) {
  ExpectMenuStates(MainMenu(app), kMainMenuCommands, selected, rows, trayIcon, what + ", main menu");
  SCOPED_TRACE(what + ", toolbar: " + std::to_string(selected) + " selected of " + std::to_string(rows));
  for (WORD command : {kSaveSelected, kRefresh, kCopySelected, kProperties, kFind, kExit}) {
    const int state = app.ToolbarState(command);
    ASSERT_GE(state, 0) << "no toolbar button " << command;
    EXPECT_EQ((state & TBSTATE_ENABLED) != 0, ShouldBeEnabled(command, selected, rows, trayIcon))
        << "button " << command;
  }
}

// Opens the list's context menu, checks its states as it shows them and closes it.
void ExpectContextMenu(const Product& product, int selected, int rows, const std::string& what,
                       const std::string& screenshot = "") {
  const AppWindow app = product.App();
  // The menu opens where the pointer is, also when asked for from the keyboard.
  POINT cursor{};
  ASSERT_TRUE(GetCursorPos(&cursor));
  ASSERT_TRUE(app.PostContextMenu());
  HWND popup = WaitForPopupMenu(product.ProcessId(), kAnswerMs);
  ASSERT_NE(popup, nullptr) << "no context menu";
  RECT rect{};
  GetWindowRect(popup, &rect);
  EXPECT_EQ(rect.left, cursor.x);
  EXPECT_EQ(rect.top, cursor.y);
  MenuTree menu;
  EXPECT_TRUE(ReadMenuTree(app.handle(), MenuOfPopup(popup), &menu));
  ExpectMenuStates(menu, kContextMenuCommands, selected, rows, false, what + ", context menu");
  if (!screenshot.empty()) KeepScreenshot(popup, screenshot);
  PostKey(popup, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, kAnswerMs)) << "the context menu stayed open";
}

MenuItem Item(const AppWindow& app, UINT command) {
  const MenuTree menu = MainMenu(app);
  const auto found = menu.commands.find(command);
  return found == menu.commands.end() ? MenuItem{} : found->second;
}

std::vector<NewDevice> ThreeDevices() {
  return {TestDevice(1, "First Reader", "E2ECMD0001"), TestDevice(2, "Second Reader", "E2ECMD0002"),
          TestDevice(3, "Third Reader", "E2ECMD0003")};
}

TEST(Commands, MenusAndToolbarOfferWhatTheRowsAndTheSelectionAllow) {
  // Over the list, where a right click would be; early, so that the pointer's events are handled before a menu
  // opens (under Wine they may cancel it).
  ASSERT_TRUE(SetCursorPos(200, 150));
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  // Start As Hidden without the tray icon: the window shows as usual, and the item keeps its check, greyed.
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nStartAsHidden=1\r\n"));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(IsWindowVisible(product.Window()));

  const MenuTree menu = MainMenu(app);
  ASSERT_EQ(menu.top.size(), 5u);
  ExpectMainMenuAndToolbar(app, 0, 0, false, "empty list");
  EXPECT_TRUE(menu.commands.at(kStartAsHidden).Checked());
  EXPECT_TRUE(menu.commands.at(kStartAsHidden).Grayed());
  EXPECT_FALSE(menu.commands.at(kShowGridLines).Checked());
  EXPECT_TRUE(menu.commands.at(kShowTooltips).Checked());
  EXPECT_FALSE(menu.commands.at(kShowTimeInGmt).Checked());
  EXPECT_FALSE(menu.commands.at(kPutIconOnTray).Checked());
  ExpectContextMenu(product, 0, 0, "empty list");

  // Rows added by a device change leave the menus as they were until something asks for new states; the context
  // menu asks as it opens.
  ASSERT_TRUE(PlugDevices(app, ThreeDevices()));
  ExpectMainMenuAndToolbar(app, 0, 0, false, "rows added, nothing asked");
  ExpectContextMenu(product, 0, 3, "rows added");

  ASSERT_TRUE(app.SelectRows({1}));
  ASSERT_TRUE(WaitForStatusCounts(app, 3, 1));
  ExpectMainMenuAndToolbar(app, 1, 3, false, "one row selected");
  ExpectContextMenu(product, 1, 3, "one row selected", "context-menu-one-selected");
  ASSERT_TRUE(app.SelectRows({0, 2}));
  ASSERT_TRUE(WaitForStatusCounts(app, 3, 2));
  ExpectMainMenuAndToolbar(app, 2, 3, false, "two rows selected");
  ExpectContextMenu(product, 2, 3, "two rows selected");
  ASSERT_TRUE(app.SendCommand(kSelectAll));
  EXPECT_EQ(app.SelectedRows(), (std::vector<int>{0, 1, 2}));
  ASSERT_TRUE(WaitForStatusCounts(app, 3, 3));
  ExpectMainMenuAndToolbar(app, 3, 3, false, "all selected");
  ASSERT_TRUE(app.SendCommand(kDeselectAll));
  EXPECT_TRUE(app.SelectedRows().empty());
  ASSERT_TRUE(WaitForStatusCounts(app, 3, 0));
  ExpectMainMenuAndToolbar(app, 0, 3, false, "none selected");

  // The options: each command flips its check mark; Start As Hidden is offered only with the tray icon.
  for (WORD option : {kShowGridLines, kShowTooltips, kShowTimeInGmt}) {
    const bool before = Item(app, option).Checked();
    ASSERT_TRUE(app.SendCommand(option));
    EXPECT_NE(Item(app, option).Checked(), before) << "option " << option;
  }
  ASSERT_TRUE(app.SendCommand(kPutIconOnTray));
  EXPECT_TRUE(Item(app, kPutIconOnTray).Checked());
  EXPECT_FALSE(Item(app, kStartAsHidden).Grayed());
  EXPECT_TRUE(Item(app, kStartAsHidden).Checked());
  ASSERT_TRUE(app.SendCommand(kStartAsHidden));
  EXPECT_FALSE(Item(app, kStartAsHidden).Checked());
  ASSERT_TRUE(app.SendCommand(kStartAsHidden));
  ASSERT_TRUE(app.SendCommand(kPutIconOnTray));
  EXPECT_FALSE(Item(app, kPutIconOnTray).Checked());
  EXPECT_TRUE(Item(app, kStartAsHidden).Grayed());
  EXPECT_TRUE(Item(app, kStartAsHidden).Checked()) << "greyed, the item keeps its check";

  // Refresh empties the list, and the menus follow.
  ASSERT_TRUE(app.SendCommand(kRefresh));
  ASSERT_TRUE(WaitForStatusCounts(app, 0, 0));
  EXPECT_EQ(app.RowCount(), 0);
  ExpectMainMenuAndToolbar(app, 0, 0, false, "after Refresh");

  // Each popup of the menu bar, for a person to look at: Alt and the popup's letter.
  for (const char letter : std::string("fevoh")) {
    ASSERT_TRUE(PostMessageA(product.Window(), WM_SYSCOMMAND, SC_KEYMENU, letter));
    HWND popup = WaitForPopupMenu(product.ProcessId(), kAnswerMs);
    ASSERT_NE(popup, nullptr) << "no popup for Alt+" << letter;
    KeepScreenshot(popup, std::string("menu-") + letter);
    PostKey(popup, VK_ESCAPE);
    PostKey(product.Window(), VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, kAnswerMs));
  }
  ASSERT_TRUE(product.Exit());
  const std::string settings = ReadFileBytes(product.SettingsPath());
  EXPECT_EQ(SettingsValue(settings, "ShowGridLines"), "1");
  EXPECT_EQ(SettingsValue(settings, "ShowInfoTip"), "0");
  EXPECT_EQ(SettingsValue(settings, "ShowTimeInGMT"), "1");
  EXPECT_EQ(SettingsValue(settings, "TrayIcon"), "0");
  EXPECT_EQ(SettingsValue(settings, "StartAsHidden"), "1");
}

TEST(Commands, ClearLogAsksFirstAndRefreshDoesNot) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(PlugDevices(app, ThreeDevices()));

  ASSERT_TRUE(app.PostCommand(kClearLog));
  HWND question = WaitForOwnedWindow(product.Window(), "#32770", kAnswerMs);
  ASSERT_NE(question, nullptr) << "no question";
  EXPECT_EQ(WindowText(question), "Wrenhollow");
  EXPECT_EQ(MessageBoxText(question), "Do you want to clear the log ?");
  EXPECT_EQ(WindowText(GetDlgItem(question, IDYES)), "&Yes");
  EXPECT_EQ(WindowText(GetDlgItem(question, IDNO)), "&No");
  KeepScreenshot(question, "question");
  ASSERT_TRUE(PressDialogButton(question, IDNO));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, kAnswerMs));
  EXPECT_EQ(app.RowCount(), 3) << "No must keep the log";

  ASSERT_TRUE(app.PostCommand(kClearLog));
  question = WaitForOwnedWindow(product.Window(), "#32770", kAnswerMs);
  ASSERT_NE(question, nullptr) << "no question the second time";
  ASSERT_TRUE(PressDialogButton(question, IDYES));
  EXPECT_TRUE(WaitUntil([&] { return app.RowCount() == 0; }, kAnswerMs)) << "Yes must clear the log";

  // F5 empties the log at once.
  ASSERT_TRUE(PlugDevices(app, {TestDevice(4, "Fourth Reader", "E2ECMD0004")}));
  ASSERT_TRUE(app.PostCommand(kRefresh));
  EXPECT_TRUE(WaitUntil([&] { return app.RowCount() == 0; }, kAnswerMs)) << "Refresh did not empty the log";
  EXPECT_EQ(WaitForOwnedWindow(product.Window(), "#32770", 300), nullptr) << "Refresh asked a question";
  EXPECT_TRUE(product.Exit());
}

}  // namespace
}  // namespace wrenhollow::e2e
