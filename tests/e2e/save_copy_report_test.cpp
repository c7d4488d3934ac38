// Taking rows out of the program: Save Selected Items through the real Save As dialog, Copy Selected Items to the
// clipboard and the HTML reports beside the exe. Every file is compared with the document its format must hold for
// the rows and columns the list shows (expected_export.h), or with the golden files for no rows.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

const char* const kExtensions[] = {"", "txt", "txt", "txt", "csv", "html", "htm", "xml"};
const char* const kGoldenNoRows[] = {"",
                                     "no_rows.txt",
                                     "no_rows.tab.txt",
                                     "no_rows.tabular.txt",
                                     "no_rows.csv",
                                     "no_rows.h.html",
                                     "no_rows.v.html",
                                     "no_rows.xml"};

std::vector<NewDevice> Devices() {
  // Texts that the formats must quote or escape.
  return {TestDevice(0x21, "Plain Reader", "E2ESAVE0001"),
          TestDevice(0x22, "Reader, \"Pro\" <2> & more", "E2ESAVE0002"),
          TestDevice(0x23, "Third Reader", "E2ESAVE0003")};
}

TEST(SaveTypes, EachFileTypeWritesTheSelectedRowsAndTheChosenTypeIsRemembered) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(PlugDevices(app, Devices()));
  ASSERT_TRUE(app.SelectRows({0, 2}));
  ASSERT_TRUE(WaitForStatusCounts(app, 3, 2));
  const ExportTable shown = ShownTable(app, {0, 2});

  // The comma-delimited type last: the one remembered at the end.
  int previous = 1;  // no type chosen yet: the first
  for (int type : {1, 2, 3, 5, 6, 7, 4}) {
    SCOPED_TRACE("file type " + std::to_string(type));
    HWND dialog = OpenSaveDialog(product);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SaveDialogFileType(dialog), previous) << "the dialog must open on the type chosen last";
    if (type == 1) {
      const char* const types[] = {"Text File (*.txt)",
                                   "Tab Delimited Text File (*.txt)",
                                   "Tabular Text File (*.txt)",
                                   "Comma Delimited Text File (*.csv)",
                                   "HTML File - Horizontal (*.htm;*.html)",
                                   "HTML File - Vertical (*.htm;*.html)",
                                   "XML File (*.xml)"};
      for (int i = 0; i < 7; ++i) EXPECT_EQ(ComboItemText(GetDlgItem(dialog, 1136), i), types[i]);
      EXPECT_EQ(ComboItemText(GetDlgItem(dialog, 1136), 7), "") << "more than seven types";
      KeepScreenshot(dialog, "save-dialog");
    }
    const std::string path = product.Folder() + "\\saved-" + std::to_string(type) + "." + kExtensions[type];
    ASSERT_TRUE(SaveAs(dialog, type, path));
    EXPECT_TRUE(FileHolds(path, ExpectedDocument(static_cast<FileType>(type), shown)));
    previous = type;
  }

  // Cancel changes nothing, not even the remembered type.
  HWND dialog = OpenSaveDialog(product);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SaveDialogFileType(dialog), 4);
  ASSERT_TRUE(ChooseSaveDialogFileType(dialog, 2));
  const std::string cancelled = product.Folder() + "\\cancelled.txt";
  ASSERT_TRUE(SetSaveDialogFileName(dialog, cancelled));
  ASSERT_TRUE(PressDialogButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kSaveMs));
  ASSERT_TRUE(product.Exit());
  EXPECT_FALSE(FileExists(cancelled));
  EXPECT_EQ(SettingsValue(ReadFileBytes(product.SettingsPath()), "SaveFilterIndex"), "4");
}

TEST(SaveEdges, WithNoRowSelectedEachFileTypeWritesItsEmptyDocument) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(PlugDevices(app, {Devices()[0]}));
  ASSERT_TRUE(app.SelectedRows().empty());
  for (int type = 1; type <= 7; ++type) {
    SCOPED_TRACE("file type " + std::to_string(type));
    HWND dialog = OpenSaveDialog(product);
    ASSERT_NE(dialog, nullptr);
    const std::string path = product.Folder() + "\\empty-" + std::to_string(type) + "." + kExtensions[type];
    ASSERT_TRUE(SaveAs(dialog, type, path));
    bool found = false;
    const std::string golden = ReadFileBytes(FixtureFile(std::string("exports/") + kGoldenNoRows[type]), &found);
    ASSERT_TRUE(found) << kGoldenNoRows[type];
    // An empty document is an empty file for two types: wait for the file to exist, then for its bytes.
    EXPECT_TRUE(WaitUntil([&] { return FileExists(path); }, kSaveMs)) << "no file written";
    EXPECT_TRUE(FileHolds(path, golden));
  }
  EXPECT_TRUE(product.Exit());
}

// The system's text for an error code, as the program must quote it.
std::string SystemText(DWORD code) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                 MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  const std::string copy = text != nullptr ? text : "(no text)";
  LocalFree(text);
  return copy;
}

// Saves into a file that cannot be written and expects the error message for the code, then closes it. An
// existing file is replaced after the dialog's question.
void ExpectSaveError(const Product& product, const std::string& path, bool exists, DWORD code,
                     const std::string& screenshot) {
  HWND dialog = OpenSaveDialog(product);
  ASSERT_NE(dialog, nullptr);
  if (exists) {
    ASSERT_TRUE(ChooseSaveDialogFileType(dialog, 1));
    ASSERT_TRUE(SetSaveDialogFileName(dialog, path));
    ASSERT_TRUE(PressDialogButton(dialog, IDOK));
    HWND prompt = WaitForOwnedWindow(dialog, "#32770", kAnswerMs);
    ASSERT_NE(prompt, nullptr) << "no question before replacing the file";
    ASSERT_TRUE(PressDialogButton(prompt, IDYES));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kSaveMs));
  } else {
    ASSERT_TRUE(SaveAs(dialog, 1, path));
  }
  HWND error = WaitForOwnedWindow(product.Window(), "#32770", kSaveMs);
  ASSERT_NE(error, nullptr) << "no error message";
  EXPECT_EQ(WindowText(error), "Error");
  EXPECT_EQ(MessageBoxText(error), "Error " + std::to_string(code) + ": " + SystemText(code));
  if (!screenshot.empty()) KeepScreenshot(error, screenshot);
  ASSERT_TRUE(PressDialogButton(error, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(error); }, kAnswerMs));
}

TEST(SaveEdges, AFileThatCannotBeWrittenShowsTheSystemsError) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(PlugDevices(app, {Devices()[0]}));
  ASSERT_TRUE(app.SelectRows({0}));

  // A file another program holds open without sharing. (A read-only file would not do: Wine running as root
  // writes into it.)
  const std::string held = product.Folder() + "\\held.txt";
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ExpectSaveError(product, held, true, ERROR_SHARING_VIOLATION, "error");
  CloseHandle(holder);
  EXPECT_EQ(ReadFileBytes(held), "");

  // A folder that does not exist: the program has the dialog check the path, which refuses it itself.
  HWND dialog = OpenSaveDialog(product);
  ASSERT_NE(dialog, nullptr);
  const std::string missing = product.Folder() + "\\missing\\saved.txt";
  ASSERT_TRUE(SetSaveDialogFileName(dialog, missing));
  ASSERT_TRUE(PressDialogButton(dialog, IDOK));
  HWND refusal = WaitForOwnedWindow(dialog, "#32770", kAnswerMs);
  ASSERT_NE(refusal, nullptr) << "the dialog took a path in a missing folder";
  KeepScreenshot(refusal, "missing-folder");
  ASSERT_TRUE(PressDialogButton(refusal, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(refusal); }, kAnswerMs));
  ASSERT_TRUE(IsWindowVisible(dialog)) << "the dialog must stay open for another name";
  ASSERT_TRUE(PressDialogButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kSaveMs));
  EXPECT_EQ(WaitForOwnedWindow(product.Window(), "#32770", 300), nullptr) << "a message after Cancel";
  EXPECT_TRUE(product.Exit());
}

// The temporary files a copy makes ("cp" and a number) in the temporary folder, which the program shares with
// this one.
std::vector<std::string> TemporaryCopyFiles() {
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((std::string(folder) + "cp*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// Hidden Event Time, Description first: what reaches the clipboard and the report follows the layout.
const char kLayout[] =
    "[General]\r\n"
    "Columns=64 00 01 00 00 00 02 00 96 00 03 00 96 00 00 00 78 00 04 00 64 00 05 00 78 00 06 00 64 00 07 00 "
    "64 00 08 00 96 00 09 00 96 00 0A 00 64 00 0B 00 50 00 0C 00 50 00 0D 00 50 00 0E 00\r\n";

TEST(CopyAndReport, CopyAndTheHtmlReportsHoldTheRowsInTheOrderShown) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), kLayout));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_EQ(VisibleColumns(app), (std::vector<int>{3, 0, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
  ASSERT_TRUE(PlugDevices(app, Devices()));
  // Sorted by description, descending: the rows show in another order than they were logged.
  std::string error;
  ASSERT_TRUE(app.ClickHeader(3, &error)) << error;
  ASSERT_TRUE(app.ClickHeader(3, &error)) << error;
  EXPECT_TRUE(WaitUntil([&] { return ShownTable(app, {0}).rows[0][0] == "Third Reader"; }, kAnswerMs));

  ASSERT_TRUE(app.SelectRows({2, 0}));
  ASSERT_TRUE(WaitForStatusCounts(app, 3, 2));
  ASSERT_TRUE(SetClipboardText("before"));
  const std::vector<std::string> temporaryFiles = TemporaryCopyFiles();
  ASSERT_TRUE(app.SendCommand(kCopySelected));
  std::string copied;
  WaitUntil([&] { return (copied = ClipboardText()) != "before"; }, kAnswerMs);
  EXPECT_EQ(copied, ExpectedDocument(FileType::TabDelimited, ShownTable(app, {0, 2})));
  EXPECT_EQ(TemporaryCopyFiles(), temporaryFiles) << "the copy's temporary file must be gone";

  // The report of all rows whatever the selection, then of the selected ones. The program opens it with the
  // system's handler, which must not hold it up.
  ASSERT_TRUE(app.SendCommand(kHtmlReportAll, kAnswerMs));
  EXPECT_TRUE(FileHolds(product.ReportPath(), ExpectedDocument(FileType::HtmlHorizontal, ShownTable(app, {0, 1, 2}))));
  ASSERT_TRUE(app.SelectRows({1}));
  ASSERT_TRUE(WaitForStatusCounts(app, 3, 1));
  ASSERT_TRUE(app.SendCommand(kHtmlReportSelected, kAnswerMs));
  EXPECT_TRUE(FileHolds(product.ReportPath(), ExpectedDocument(FileType::HtmlHorizontal, ShownTable(app, {1}))));

  // Nothing selected: the titles alone.
  ASSERT_TRUE(app.SendCommand(kDeselectAll));
  ASSERT_TRUE(WaitForStatusCounts(app, 3, 0));
  ASSERT_TRUE(app.SendCommand(kCopySelected));
  WaitUntil([&] { return (copied = ClipboardText()).find("Plain") == std::string::npos; }, kAnswerMs);
  EXPECT_EQ(copied, ExpectedDocument(FileType::TabDelimited, ShownTable(app, {})));
  EXPECT_TRUE(product.Exit());
}

}  // namespace
}  // namespace wrenhollow::e2e
