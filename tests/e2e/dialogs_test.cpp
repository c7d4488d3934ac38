// The dialogs the commands open: Find, Column Settings, Properties and About, driven through their controls.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

// Controls of the system's Find dialog.
constexpr int kFindText = 1152;
constexpr int kWholeWord = 1040;
constexpr int kMatchCase = 1041;
constexpr int kUp = 1056;
constexpr int kDown = 1057;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

struct FindOptions {
  bool down = true;
  bool wholeWord = false;
  bool matchCase = false;
};

// The row a search must select: from next to the first selected row (the first row when none is), every column
// of every row, hidden ones too, wrapping around once; -1 when nothing matches.
int ExpectedMatch(const std::vector<ListRow>& rows, int firstSelected, const std::string& text,
                  const FindOptions& options) {
  const int count = static_cast<int>(rows.size());
  auto matches = [&](const ListRow& row) {
    for (const std::string& cell : row.texts) {
      const std::string a = options.matchCase ? cell : Lower(cell);
      const std::string b = options.matchCase ? text : Lower(text);
      if (options.wholeWord ? a == b : a.find(b) != std::string::npos) return true;
    }
    return false;
  };
  int row = firstSelected < 0 ? 0 : firstSelected + (options.down ? 1 : -1);
  for (int wraps = 0; wraps <= 1;) {
    if (row >= 0 && row < count && matches(rows[static_cast<size_t>(row)])) return row;
    row += options.down ? 1 : -1;
    if (row >= count) {
      row = 0;
      ++wraps;
    } else if (row < 0) {
      row = count - 1;
      ++wraps;
    }
  }
  return -1;
}

bool Checked(HWND dialog, int id) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

// Sets the options as the user clicks them, types the text and presses Find Next; checks the row then selected.
void FindNextAndExpect(const AppWindow& app, HWND dialog, const std::string& text, const FindOptions& options,
                       const std::string& what) {
  SCOPED_TRACE(what + ": \"" + text + "\"");
  const std::vector<ListRow> rows = app.ReadRows();
  const std::vector<int> before = app.SelectedRows();
  const int expected = ExpectedMatch(rows, before.empty() ? -1 : before[0], text, options);
  SendMessageA(GetDlgItem(dialog, options.down ? kDown : kUp), BM_CLICK, 0, 0);
  for (const auto& [id, wanted] :
       {std::pair{kWholeWord, options.wholeWord}, std::pair{kMatchCase, options.matchCase}}) {
    if (Checked(dialog, id) != wanted) SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    ASSERT_EQ(Checked(dialog, id), wanted) << "option " << id;
  }
  ASSERT_TRUE(Checked(dialog, options.down ? kDown : kUp));
  HWND box = GetDlgItem(dialog, kFindText);
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  ASSERT_TRUE(TypeText(box, text));
  // Sent: the dialog tells the program, in the same thread, before the click returns.
  ASSERT_TRUE(ClickDialogButton(dialog, IDOK)) << "Find Next is not offered";
  if (expected < 0) {
    EXPECT_EQ(app.SelectedRows(), before) << "nothing matches: the selection must stay";
  } else {
    EXPECT_EQ(app.SelectedRows(), std::vector<int>{expected}) << "row " << expected << " must be selected";
    EXPECT_EQ(ListViewState(app.ListView(), expected, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
  }
}

std::vector<HWND> FindDialogs(DWORD processId) {
  std::vector<HWND> found;
  for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window) && ClassNameOf(window) == "#32770" &&
        WindowText(window) == "Find") {
      found.push_back(window);
    }
  }
  return found;
}

TEST(FindDialog, SearchesEveryColumnBothWaysWithItsOptionsAndWrapsAround) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  // The serial number column hidden: a text found only there still selects its row.
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(),
                             "[General]\r\nColumns=" + ColumnsValue(DefaultLayoutWith({{6, {0, 6}}})) + "\r\n"));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_EQ(app.ColumnWidth(6), 0);
  ASSERT_TRUE(
      PlugDevices(app, {TestDevice(0x31, "Alpha Reader", "E2EFIND01"), TestDevice(0x32, "alpha", "E2EFIND02"),
                        TestDevice(0x33, "Beta Reader", "E2EFIND03"), TestDevice(0x34, "Gamma", "E2EHIDDENMATCH")}));

  ASSERT_TRUE(app.PostCommand(kFind));
  HWND dialog = WaitForDialog(product.ProcessId(), "Find", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no Find dialog";
  EXPECT_TRUE(Checked(dialog, kDown)) << "a new search goes down";
  EXPECT_FALSE(Checked(dialog, kWholeWord));
  EXPECT_FALSE(Checked(dialog, kMatchCase));
  KeepScreenshot(dialog, "find-dialog");

  FindOptions down;
  FindNextAndExpect(app, dialog, "reader", down, "down from no selection");
  const int first = app.SelectedRows().at(0);
  FindNextAndExpect(app, dialog, "reader", down, "down, the next");
  FindNextAndExpect(app, dialog, "reader", down, "down, around the end");
  EXPECT_EQ(app.SelectedRows(), std::vector<int>{first});
  FindOptions up;
  up.down = false;
  FindNextAndExpect(app, dialog, "reader", up, "up, around the start");
  FindOptions matchCase;
  matchCase.matchCase = true;
  FindNextAndExpect(app, dialog, "alpha", matchCase, "match case");
  EXPECT_EQ(ListViewText(app.ListView(), app.SelectedRows().at(0), 3), "alpha");
  FindOptions wholeWord;
  wholeWord.wholeWord = true;
  FindNextAndExpect(app, dialog, "ALPHA", wholeWord, "whole word");
  EXPECT_EQ(ListViewText(app.ListView(), app.SelectedRows().at(0), 3), "alpha");
  FindNextAndExpect(app, dialog, "Alpha", wholeWord, "whole word, the only whole match again");
  FindNextAndExpect(app, dialog, "hiddenmatch", down, "a hidden column");
  EXPECT_EQ(ListViewText(app.ListView(), app.SelectedRows().at(0), 3), "Gamma");
  FindNextAndExpect(app, dialog, "no such text", down, "no match");
  ASSERT_TRUE(app.SendCommand(kDeselectAll));
  FindNextAndExpect(app, dialog, "a", up, "up from no selection");

  // Ctrl+F again while it is open: still one dialog.
  ASSERT_TRUE(app.PostCommand(kFind));
  Sleep(300);
  EXPECT_EQ(FindDialogs(product.ProcessId()), std::vector<HWND>{dialog});

  // Closed and opened again: the text is offered again, the options start afresh.
  ASSERT_TRUE(PressDialogButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));
  EXPECT_TRUE(WaitUntil([&] { return FocusOfThread(app.handle()) == app.ListView(); }, kAnswerMs))
      << "the list must have the focus after the dialog";
  ASSERT_TRUE(app.PostCommand(kFind));
  dialog = WaitForDialog(product.ProcessId(), "Find", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no Find dialog the second time";
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kFindText)), "a");
  EXPECT_TRUE(Checked(dialog, kDown));
  EXPECT_FALSE(Checked(dialog, kWholeWord));

  // An empty list: nothing is selected and nothing is shown.
  ASSERT_TRUE(app.SendCommand(kRefresh));
  ASSERT_TRUE(WaitForStatusCounts(app, 0, 0));
  FindNextAndExpect(app, dialog, "reader", down, "an empty list");
  EXPECT_EQ(WaitForOwnedWindow(product.Window(), "#32770", 300), dialog);
  ASSERT_TRUE(PressDialogButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));
  EXPECT_TRUE(product.Exit());
}

constexpr int kColumnRows = 1001;
constexpr int kMoveUp = 1003;
constexpr int kMoveDown = 1004;
constexpr int kWidthBox = 1005;
constexpr int kShow = 1006;
constexpr int kHide = 1007;
constexpr int kDefault = 1008;

struct ColumnRow {
  std::string title;
  bool checked;
};

std::vector<ColumnRow> ColumnRows(HWND dialog) {
  HWND list = GetDlgItem(dialog, kColumnRows);
  std::vector<ColumnRow> rows;
  DWORD_PTR count = 0;
  SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
  for (int row = 0; row < static_cast<int>(count); ++row) {
    rows.push_back(
        {ListViewText(list, row, 0), ListViewState(list, row, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2)});
  }
  return rows;
}

std::vector<std::string> Titles(const std::vector<ColumnRow>& rows) {
  std::vector<std::string> titles;
  for (const ColumnRow& row : rows) titles.push_back(row.title);
  return titles;
}

// Selects a row of the dialog's list as a click does.
void SelectColumnRow(HWND dialog, int row) {
  ASSERT_TRUE(SetListViewState(GetDlgItem(dialog, kColumnRows), row, LVIS_SELECTED | LVIS_FOCUSED,
                               LVIS_SELECTED | LVIS_FOCUSED));
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

HWND OpenColumnSettings(const Product& product) {
  EXPECT_TRUE(product.App().PostCommand(kChooseColumns));
  HWND dialog = WaitForDialog(product.ProcessId(), "Column Settings", kAnswerMs);
  EXPECT_NE(dialog, nullptr) << "no Column Settings dialog";
  return dialog;
}

std::vector<std::string> TitlesInOrder(const std::vector<int>& ids) {
  std::vector<std::string> titles;
  for (int id : ids) titles.push_back(kColumnTitles[static_cast<size_t>(id)]);
  return titles;
}

TEST(ColumnSettings, HideShowReorderAndWidthsReachTheListTheExportsAndTheSettings) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  // USB Protocol hidden before the dialog opens.
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(),
                             "[General]\r\nColumns=" + ColumnsValue(DefaultLayoutWith({{14, {0, 14}}})) + "\r\n"));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(PlugDevices(app, {TestDevice(0x41, "Column Reader", "E2ECOLUMNS1")}));

  HWND dialog = OpenColumnSettings(product);
  ASSERT_NE(dialog, nullptr);
  std::vector<ColumnRow> rows = ColumnRows(dialog);
  ASSERT_EQ(rows.size(), 15u);
  EXPECT_EQ(Titles(rows), kColumnTitles);
  for (size_t row = 0; row < rows.size(); ++row) EXPECT_EQ(rows[row].checked, row != 14) << rows[row].title;
  // The first row is selected: it cannot move up, and being shown it can only be hidden.
  EXPECT_FALSE(Enabled(dialog, kMoveUp));
  EXPECT_TRUE(Enabled(dialog, kMoveDown));
  EXPECT_FALSE(Enabled(dialog, kShow));
  EXPECT_TRUE(Enabled(dialog, kHide));
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kWidthBox)), "100");
  KeepScreenshot(dialog, "column-settings");

  // The hidden column offers its default width, and Show brings it back.
  SelectColumnRow(dialog, 14);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kWidthBox)), "80");
  EXPECT_TRUE(Enabled(dialog, kMoveUp));
  EXPECT_FALSE(Enabled(dialog, kMoveDown));
  EXPECT_TRUE(Enabled(dialog, kShow));
  EXPECT_FALSE(Enabled(dialog, kHide));
  ASSERT_TRUE(ClickDialogButton(dialog, kShow));
  EXPECT_TRUE(ColumnRows(dialog)[14].checked);
  // Event Time hidden.
  SelectColumnRow(dialog, 1);
  ASSERT_TRUE(ClickDialogButton(dialog, kHide));
  EXPECT_FALSE(ColumnRows(dialog)[1].checked);
  // Description moved up twice, taking its check and selection along.
  SelectColumnRow(dialog, 3);
  ASSERT_TRUE(ClickDialogButton(dialog, kMoveUp));
  ASSERT_TRUE(ClickDialogButton(dialog, kMoveUp));
  rows = ColumnRows(dialog);
  EXPECT_EQ(Titles(rows), TitlesInOrder({0, 3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
  EXPECT_TRUE(rows[1].checked);
  EXPECT_FALSE(rows[2].checked) << "Event Time keeps its cleared check";
  EXPECT_EQ(SelectedListRows(GetDlgItem(dialog, kColumnRows)), std::vector<int>{1});

  // Widths: three digits at most, digits only; 0 is ignored; 999 is taken.
  HWND width = GetDlgItem(dialog, kWidthBox);
  const struct {
    int row;
    const char* typed;
    const char* shown;
  } widths[] = {{3, "12x34", "123"}, {7, "0", "0"}, {8, "999", "999"}};
  for (const auto& w : widths) {
    SelectColumnRow(dialog, w.row);
    SendMessageA(width, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    ASSERT_TRUE(TypeText(width, w.typed));
    EXPECT_EQ(WindowText(width), w.shown) << "typed " << w.typed;
  }
  SelectColumnRow(dialog, 7);
  EXPECT_EQ(WindowText(width), "100") << "a width of 0 must leave the column's width";
  ASSERT_TRUE(PressDialogButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));
  EXPECT_TRUE(WaitUntil([&] { return FocusOfThread(app.handle()) == app.ListView(); }, kAnswerMs));

  const std::vector<int> order = {0, 3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  EXPECT_EQ(app.ColumnOrder(), order);
  std::vector<int> expectedWidths = kDefaultWidths;
  expectedWidths[1] = 0;
  expectedWidths[2] = 123;
  expectedWidths[8] = 999;
  std::vector<int> shownWidths;
  for (int column = 0; column < 15; ++column) shownWidths.push_back(app.ColumnWidth(column));
  EXPECT_EQ(shownWidths, expectedWidths);

  // The copy follows the layout.
  ASSERT_TRUE(app.SelectRows({0}));
  ASSERT_TRUE(SetClipboardText("before"));
  ASSERT_TRUE(app.SendCommand(kCopySelected));
  std::string copied;
  WaitUntil([&] { return (copied = ClipboardText()) != "before"; }, kAnswerMs);
  const ExportTable shown = ShownTable(app, {0});
  EXPECT_EQ(shown.titles, TitlesInOrder({0, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
  EXPECT_EQ(copied, ExpectedDocument(FileType::TabDelimited, shown));
  HWND save = OpenSaveDialog(product);
  ASSERT_NE(save, nullptr);
  const std::string csv = product.Folder() + "\\layout.csv";
  ASSERT_TRUE(SaveAs(save, static_cast<int>(FileType::CommaDelimited), csv));
  EXPECT_TRUE(FileHolds(csv, ExpectedDocument(FileType::CommaDelimited, shown)));

  // Default shows the columns of the definitions again; Cancel keeps the layout as it was.
  dialog = OpenColumnSettings(product);
  ASSERT_NE(dialog, nullptr);
  rows = ColumnRows(dialog);
  EXPECT_EQ(Titles(rows), TitlesInOrder(order));
  EXPECT_FALSE(rows[2].checked);
  SelectColumnRow(dialog, 2);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kWidthBox)), "120") << "a hidden column offers its default width";
  ASSERT_TRUE(ClickDialogButton(dialog, kDefault));
  rows = ColumnRows(dialog);
  EXPECT_EQ(Titles(rows), kColumnTitles);
  EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [](const ColumnRow& row) { return row.checked; }));
  ASSERT_TRUE(PressDialogButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));
  EXPECT_EQ(app.ColumnOrder(), order);
  EXPECT_EQ(app.ColumnWidth(1), 0);

  ASSERT_TRUE(product.Exit());
  EXPECT_EQ(SettingsValue(ReadFileBytes(product.SettingsPath()), "Columns"),
            ColumnsValue(DefaultLayoutWith({{1, {0, 2}}, {2, {123, 3}}, {3, {150, 1}}, {8, {999, 8}}})));
}

RECT ClientRectOf(HWND control, HWND dialog) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Checks the Properties dialog against a row: one label and one value per column, in column order.
void ExpectProperties(const AppWindow& app, HWND dialog, int row, const std::string& what) {
  SCOPED_TRACE(what);
  std::vector<HWND> labels;
  std::vector<HWND> values;
  for (HWND child : DescendantWindows(dialog)) {
    if (!IsWindowVisible(child)) continue;
    if (ClassNameOf(child) == "Static") labels.push_back(child);
    if (ClassNameOf(child) == "Edit") values.push_back(child);
  }
  auto byTop = [&](HWND a, HWND b) { return ClientRectOf(a, dialog).top < ClientRectOf(b, dialog).top; };
  std::sort(labels.begin(), labels.end(), byTop);
  std::sort(values.begin(), values.end(), byTop);
  ASSERT_EQ(labels.size(), 15u);
  ASSERT_EQ(values.size(), 15u);
  ListRow texts;
  ASSERT_TRUE(app.ReadRow(row, &texts));
  for (size_t i = 0; i < 15; ++i) {
    EXPECT_EQ(WindowText(labels[i]), app.ColumnTitle(static_cast<int>(i)) + ":");
    EXPECT_EQ(WindowText(values[i]), texts.texts[i]) << kColumnTitles[i];
    EXPECT_EQ(ClientRectOf(labels[i], dialog).top - ClientRectOf(labels[0], dialog).top,
              ClientRectOf(values[i], dialog).top - ClientRectOf(values[0], dialog).top);
    EXPECT_EQ(ClientRectOf(values[i], dialog).right, ClientRectOf(values[0], dialog).right);
    EXPECT_LT(ClientRectOf(labels[i], dialog).right, ClientRectOf(values[i], dialog).left + 1);
  }
  // Rows of the value height and 4 pixels apart; the dialog sized to them, OK 5 pixels above its bottom.
  const RECT value = ClientRectOf(values[0], dialog);
  const RECT ok = ClientRectOf(GetDlgItem(dialog, IDOK), dialog);
  RECT client{};
  GetClientRect(dialog, &client);
  const int valueHeight = value.bottom - value.top;
  EXPECT_EQ(ClientRectOf(values[1], dialog).top - value.top, valueHeight + 4);
  EXPECT_EQ(client.bottom, 15 * (valueHeight + 4) + (ok.bottom - ok.top) + 21);
  EXPECT_EQ(client.bottom - ok.bottom, 5);
}

TEST(PropertiesAndAbout, PropertiesShowsEveryFieldOfTheOneSelectedRow) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  // Drive Letter hidden: it keeps its row in the dialog.
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(),
                             "[General]\r\nColumns=" + ColumnsValue(DefaultLayoutWith({{5, {0, 5}}})) + "\r\n"));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(PlugDevices(
      app, {TestDevice(0x51, "First Property", "E2EPROP0001"), TestDevice(0x52, "Second Property", "E2EPROP0002")}));
  ASSERT_TRUE(app.SelectRows({1}));
  ASSERT_TRUE(WaitForStatusCounts(app, 2, 1));
  ASSERT_TRUE(app.PostCommand(kProperties));
  HWND dialog = WaitForDialog(product.ProcessId(), "Properties", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no Properties dialog";
  ExpectProperties(app, dialog, 1, "the selected row");
  KeepScreenshot(dialog, "properties");
  ASSERT_TRUE(PressDialogButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));
  EXPECT_TRUE(WaitUntil([&] { return FocusOfThread(app.handle()) == app.ListView(); }, kAnswerMs));

  // Two rows selected: nothing opens.
  ASSERT_TRUE(app.SelectRows({0, 1}));
  ASSERT_TRUE(WaitForStatusCounts(app, 2, 2));
  ASSERT_TRUE(app.PostCommand(kProperties));
  EXPECT_EQ(WaitForDialog(product.ProcessId(), "Properties", 1000), nullptr);

  // A double click on a row shows that row.
  std::string error;
  ASSERT_TRUE(app.DoubleClickRow(0, &error)) << error;
  dialog = WaitForDialog(product.ProcessId(), "Properties", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no Properties dialog after a double click";
  EXPECT_EQ(app.SelectedRows(), std::vector<int>{0});
  ExpectProperties(app, dialog, 0, "the double-clicked row");
  ASSERT_TRUE(PressDialogButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));
  EXPECT_TRUE(product.Exit());
}

std::string VersionValue(const std::string& file, const char* name) {
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(file.c_str(), &ignored));
  if (block.empty() || !GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) return "";
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return "";
  return value;
}

TEST(PropertiesAndAbout, AboutShowsTheProgramItsVersionAndLinkButNoTranslatorWithoutALanguage) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(app.PostCommand(kAbout));
  HWND dialog = WaitForDialog(product.ProcessId(), "Wrenhollow", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no About dialog";
  const std::string credit = WindowText(GetDlgItem(dialog, 1002));
  EXPECT_EQ(credit.rfind("Wrenhollow", 0), 0u) << credit;
  const std::string version = VersionValue(product.ExePath(), "ProductVersion");
  ASSERT_FALSE(version.empty());
  EXPECT_NE(credit.find(version), std::string::npos) << credit;
  EXPECT_NE(credit.find(VersionValue(product.ExePath(), "LegalCopyright")), std::string::npos) << credit;
  EXPECT_NE(WindowText(GetDlgItem(dialog, 1004)).find("wrenhollow"), std::string::npos);
  EXPECT_TRUE(IsLinkFont(GetDlgItem(dialog, 1004)));
  EXPECT_FALSE(IsLinkFont(GetDlgItem(dialog, 1002)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1005)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1006)));
  KeepScreenshot(dialog, "about");
  ASSERT_TRUE(PressDialogButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));
  EXPECT_TRUE(WaitUntil([&] { return FocusOfThread(app.handle()) == app.ListView(); }, kAnswerMs));
  EXPECT_TRUE(product.Exit());
}

}  // namespace
}  // namespace wrenhollow::e2e
