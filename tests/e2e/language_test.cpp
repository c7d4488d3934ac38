// The language file beside the exe: translated strings, menus and dialogs, the report's character set and
// right-to-left layout, the translator credit, and the template that "/savelangfile" writes.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

const char kTranslation[] =
    "[general]\r\n"
    "charset=iso-8859-15\r\n"
    "TranslatorName=Jan Vertaler\r\n"
    "TranslatorURL=http://translator.example/\r\n"
    "[strings]\r\n"
    "1001=Ereignistyp\r\n"
    "1004=\r\n"  // empty: the program's own title stays
    "4=%d Zeilen\r\n"
    "5=, %d markiert\r\n"
    "7=Dateiname waehlen\r\n"
    "8=USB-Protokoll\r\n"
    "9=Protokoll leeren ?\r\n"
    "501=Textdatei\r\n"
    "[menu_102]\r\n"
    "70001=&Datei\r\n"
    "40001=&Auswahl speichern\r\n"
    "40008=&Kopieren\r\n"
    "70004=\r\n"
    "[menu_104]\r\n"
    "40001=Speichern (Kontext)\r\n"
    "[menu_109]\r\n"
    "40026=Wrenhollow oeffnen\r\n"
    "[dialog_1096]\r\n"
    "caption=Spalten\r\n"
    "1008=Standard\r\n"
    "[dialog_112]\r\n"
    "1005=Uebersetzung:\r\n";

TEST(Language, ATranslationReachesStringsMenusDialogsAndReports) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.LanguagePath(), kTranslation));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  EXPECT_EQ(app.ColumnTitle(0), "Ereignistyp");
  EXPECT_EQ(app.ColumnTitle(3), "Description");
  ASSERT_TRUE(app.SendCommand(kRefresh));
  EXPECT_TRUE(WaitUntil([&] { return app.StatusText(0) == "0 Zeilen"; }, kAnswerMs)) << app.StatusText(0);

  // Menus: a translation without a TAB keeps the item's shortcut; an empty one keeps the program's own text.
  MenuTree menu;
  ASSERT_TRUE(ReadMenuTree(app.handle(), app.Menu(), &menu));
  ASSERT_EQ(menu.top.size(), 5u);
  EXPECT_EQ(menu.top[0].text, "&Datei");
  EXPECT_EQ(menu.top[3].text, "&Options");
  EXPECT_EQ(menu.commands[kSaveSelected].text, "&Auswahl speichern\tCtrl+S");
  EXPECT_EQ(menu.commands[kCopySelected].text, "&Kopieren\tCtrl+C");
  EXPECT_EQ(menu.commands[kExit].text, "E&xit");
  // The toolbar's tooltips are the menu's texts, as translated.
  RECT button{};
  ASSERT_TRUE(app.ToolbarButtonScreenRect(kSaveSelected, &button));
  std::string error;
  ASSERT_TRUE(HoverAt(app.Toolbar(), {(button.left + button.right) / 2, (button.top + button.bottom) / 2}, &error))
      << error;
  HWND tip = WaitForWindow("tooltips_class32", product.ProcessId(), kAnswerMs);
  ASSERT_NE(tip, nullptr) << "no tooltip over the Save button";
  // A tooltip ends its text at a TAB.
  const std::string tipText = WindowText(tip);
  EXPECT_EQ(tipText.substr(0, tipText.find('\t')), "&Auswahl speichern");

  ASSERT_TRUE(app.PostContextMenu());
  HWND popup = WaitForPopupMenu(product.ProcessId(), kAnswerMs);
  ASSERT_NE(popup, nullptr) << "no context menu";
  MenuTree context;
  EXPECT_TRUE(ReadMenuTree(app.handle(), MenuOfPopup(popup), &context));
  EXPECT_EQ(context.commands[kSaveSelected].text, "Speichern (Kontext)\tCtrl+S");
  EXPECT_EQ(context.commands[kCopySelected].text, "&Copy Selected Items\tCtrl+C");
  KeepScreenshot(popup, "context-menu");
  PostKey(popup, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, kAnswerMs));
  ASSERT_TRUE(app.SendCommand(kPutIconOnTray));
  ASSERT_TRUE(PostMessageA(app.handle(), kTrayMessage, kTrayIconId, WM_RBUTTONUP));
  popup = WaitForPopupMenu(product.ProcessId(), kAnswerMs);
  ASSERT_NE(popup, nullptr) << "no tray menu";
  MenuTree tray;
  EXPECT_TRUE(ReadMenuTree(app.handle(), MenuOfPopup(popup), &tray));
  EXPECT_EQ(tray.commands[kOpenFromTray].text, "Wrenhollow oeffnen");
  PostKey(popup, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, kAnswerMs));
  ASSERT_TRUE(app.SendCommand(kPutIconOnTray));

  // A dialog's caption and control, and the list's translated titles in it.
  ASSERT_TRUE(app.PostCommand(kChooseColumns));
  HWND dialog = WaitForDialog(product.ProcessId(), "Spalten", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no dialog titled Spalten";
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 1008)), "Standard");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 1003)), "Move &Up");
  EXPECT_EQ(ListViewText(GetDlgItem(dialog, 1001), 0, 0), "Ereignistyp");
  KeepScreenshot(dialog, "column-settings");
  ASSERT_TRUE(PressDialogButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));

  // Strings of the question, the save dialog's title and its file types.
  ASSERT_TRUE(app.PostCommand(kClearLog));
  HWND question = WaitForOwnedWindow(app.handle(), "#32770", kAnswerMs);
  ASSERT_NE(question, nullptr) << "no question";
  EXPECT_EQ(MessageBoxText(question), "Protokoll leeren ?");
  ASSERT_TRUE(PressDialogButton(question, IDNO));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, kAnswerMs));
  ASSERT_TRUE(app.PostCommand(kSaveSelected));
  dialog = WaitForDialog(product.ProcessId(), "Dateiname waehlen", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no save dialog with the translated title";
  EXPECT_EQ(ComboItemText(GetDlgItem(dialog, 1136), 0), "Textdatei (*.txt)");
  EXPECT_EQ(ComboItemText(GetDlgItem(dialog, 1136), 1), "Tab Delimited Text File (*.txt)");
  ASSERT_TRUE(PressDialogButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));

  // The report: translated title and column titles, and the character set.
  ASSERT_TRUE(app.SendCommand(kHtmlReportAll, kAnswerMs));
  EXPECT_EQ(ReadFileBytes(product.ReportPath()),
            ExpectedDocument(FileType::HtmlHorizontal, ShownTable(app, {}), "USB-Protokoll", "iso-8859-15"));

  // The translator, whose address makes the name a link.
  ASSERT_TRUE(app.PostCommand(kAbout));
  dialog = WaitForDialog(product.ProcessId(), "Wrenhollow", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no About dialog";
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 1005)));
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 1005)), "Uebersetzung:");
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 1006)));
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 1006)), "Jan Vertaler");
  EXPECT_TRUE(IsLinkFont(GetDlgItem(dialog, 1006)));
  KeepScreenshot(dialog, "about");
  ASSERT_TRUE(PressDialogButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));
  KeepScreenshot(app.handle(), "main-window");
  ASSERT_TRUE(product.Exit());

  // The command line's exports: translated titles, and XML element names that stay English.
  DWORD code = 99;
  const std::string csv = product.Folder() + "\\out.csv";
  ASSERT_TRUE(product.Run("/scomma \"" + csv + "\"", &code));
  EXPECT_EQ(ReadFileBytes(csv).substr(0, 26), "Ereignistyp,Event Time,Dev");
  const std::string xml = product.Folder() + "\\out.xml";
  ASSERT_TRUE(product.Run("/sxml \"" + xml + "\"", &code));
  EXPECT_EQ(ReadFileBytes(xml), ReadFileBytes(FixtureFile("exports/no_rows.xml")));
}

TEST(Language, RightToLeftMirrorsTheWindowsAndTheReport) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.LanguagePath(), "[general]\r\nrtl=1\r\nTranslatorName=Nur Name\r\n"));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  EXPECT_NE(GetWindowLongA(app.handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
  KeepScreenshot(app.handle(), "main-window");

  // The translator without an address: plain text.
  ASSERT_TRUE(app.PostCommand(kAbout));
  HWND dialog = WaitForDialog(product.ProcessId(), "Wrenhollow", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no About dialog";
  EXPECT_NE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 1005)));
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 1006)), "Nur Name");
  EXPECT_FALSE(IsLinkFont(GetDlgItem(dialog, 1006)));
  EXPECT_TRUE(IsLinkFont(GetDlgItem(dialog, 1004)));
  KeepScreenshot(dialog, "about");
  ASSERT_TRUE(PressDialogButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));

  ASSERT_TRUE(app.SendCommand(kHtmlReportAll, kAnswerMs));
  EXPECT_EQ(ReadFileBytes(product.ReportPath()),
            ExpectedDocument(FileType::HtmlHorizontal, ShownTable(app, {}), "USB Log", "", true));
  ASSERT_TRUE(product.Exit());

  // Only 1 turns it on.
  ASSERT_TRUE(WriteFileBytes(product.LanguagePath(), "[general]\r\nrtl=2\r\n"));
  ASSERT_TRUE(product.Start());
  EXPECT_EQ(GetWindowLongA(product.Window(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
  EXPECT_TRUE(product.Exit());
}

// Runs "/savelangfile", which must end by itself, without a window, with exit code 0.
void SaveLanguageFile(Product& product) {
  DWORD code = 99;
  ASSERT_TRUE(product.Run("/savelangfile", &code));
  EXPECT_EQ(code, 0u);
}

std::string GoldenTemplate(const std::string& written) {
  const std::string path = FixtureFile("language/template.ini");
  const char* update = std::getenv("WRENHOLLOW_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    CreateDirectoryA(FixtureFile("language").c_str(), nullptr);
    EXPECT_TRUE(WriteFileBytes(path, written));
  }
  bool found = false;
  const std::string golden = ReadFileBytes(path, &found);
  EXPECT_TRUE(found) << "no golden file " << path << " (WRENHOLLOW_UPDATE_GOLDEN=1 writes it)";
  return golden;
}

TEST(Language, SaveLangFileWritesTheTemplateAndKeepsEveryTranslation) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  SaveLanguageFile(product);
  const std::string written = ReadFileBytes(product.LanguagePath());
  EXPECT_EQ(written, GoldenTemplate(written));
  std::vector<std::string> sections;
  for (const std::string& line : SettingsLines(written)) {
    if (line[0] == '[') sections.push_back(line);
  }
  // The exception dialog (107) is never offered for translation.
  EXPECT_EQ(sections, (std::vector<std::string>{"[general]", "[menu_102]", "[menu_104]", "[menu_109]", "[dialog_105]",
                                                "[dialog_112]", "[dialog_1096]", "[strings]"}));
  EXPECT_FALSE(FileExists(product.SettingsPath())) << "nothing else runs";

  // Every value translated, but one key left empty and one missing, and an old version.
  std::string translated;
  std::string expected;
  std::string section;
  for (const std::string& line : SettingsLines(written)) {
    std::string in = line;
    std::string out = line;
    if (line[0] == '[') {
      if (section == "[menu_102]") expected += "40029=Clear Log\r\n";  // a missing key comes at its section's end
      section = line;
    } else if (line.rfind("Version=", 0) == 0) {
      in = "Version=0.0.1";
    } else if (line == "TranslatorName=") {
      in = out = "TranslatorName=Jan";
    } else if (line == "40029=Clear Log" && section == "[menu_102]") {
      in = out = "";
    } else if (line == "1002=Event Time" && section == "[strings]") {
      in = "1002=";
    } else if (section != "[general]") {
      in = out = line.substr(0, line.find('=') + 1) + "T:" + line.substr(line.find('=') + 1);
    }
    if (!in.empty()) translated += in + "\r\n";
    if (!out.empty()) expected += out + "\r\n";
  }
  ASSERT_TRUE(WriteFileBytes(product.LanguagePath(), translated));
  SaveLanguageFile(product);
  const std::string once = ReadFileBytes(product.LanguagePath());
  EXPECT_EQ(once, expected);
  SaveLanguageFile(product);
  EXPECT_EQ(ReadFileBytes(product.LanguagePath()), once) << "a second run must change nothing";
}

}  // namespace
}  // namespace wrenhollow::e2e
