// Taking rows out of the running program: Save Selected Items through the real Save As dialog, Copy Selected Items
// to the clipboard, and the HTML reports beside the exe. Event Time is hidden (settings/no_event_time.cfg), so that
// the texts are the same at every run.
#include "e2e_support.h"

namespace wrenhollow::e2e {
namespace {

const char kTitles[] =
    "Event Type,Device Name,Description,Device Type,Drive Letter,Serial Number,Vendor ID,Product ID,Vendor Name,"
    "Product Name,Firmware Revision,USB Class,USB SubClass,USB Protocol";
const char kSecondRow[] = "Plug,Port_#1002.Hub_#0004,Second Reader,Mass Storage,,E2E2,1209,0002,Generic,pid.codes Test PID,1.00,08,06,50";

const char kSecondRowJson[] =
    "{\"event\":\"Plug\",\"device\":\"Port_#1002.Hub_#0004\",\"description\":\"Second Reader\",\"type\":\"Mass Storage\","
    "\"drives\":\"\",\"serial\":\"E2E2\",\"vid\":\"1209\",\"pid\":\"0002\",\"vendor\":\"Generic\",\"product\":\"pid.codes Test PID\","
    "\"revision\":\"1.00\",\"class\":\"08\",\"subclass\":\"06\",\"protocol\":\"50\"}\n";

std::string TabDelimited(std::string line) {
  for (char& c : line) c = c == ',' ? '\t' : c;
  return line + "\t\r\n";
}

// The temporary files a copy makes ("cp" and a number) in the temporary folder, which the program shares.
std::set<std::string> TemporaryCopyFiles() {
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  return FilesIn(folder, "cp*.tmp");
}

TEST(Export, SaveCopyAndReportsHoldTheSelectedRowsAsShown) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), test::ReadFixture("settings/no_event_time.cfg")));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(PlugDevices(app, {"First Reader", "Second Reader"}));
  ASSERT_TRUE(app.SelectRows({1}));
  ASSERT_TRUE(WaitForStatus(app, "2 item(s), 1 Selected"));

  // Saves through the dialog as the type (4: comma-delimited, 8: JSON Lines); a file that exists is replaced after
  // a question.
  auto save = [&](const std::string& path, bool replace, int type = 4) {
    ASSERT_TRUE(app.PostCommand(IDM_SAVE_SELECTED));
    HWND dialog = WaitForWindow("#32770", product.ProcessId(), kAnswerMs, "Select a filename to save");
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    ASSERT_TRUE(FillSaveDialog(dialog, type, path));
    ASSERT_TRUE(PressDialogButton(dialog, IDOK));
    ASSERT_TRUE(!replace || PressDialogButton(WaitForWindow("#32770", 0, kAnswerMs, nullptr, dialog), IDYES));
    // The dialog returns ~2 s after it closes under Wine (~4 s after the question).
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 2 * kAnswerMs));
  };
  const std::string saved = product.Path("saved.csv");
  save(saved, false);
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(saved) == std::string(kTitles) + "\r\n" + kSecondRow + "\r\n"; },
                        kAnswerMs))
      << ReadFileBytes(saved);
  const std::string json = product.Path("saved.jsonl");
  save(json, false, 8);
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(json) == kSecondRowJson; }, kAnswerMs)) << ReadFileBytes(json);

  // A file another program holds open without sharing (a read-only one would not do: Wine running as root writes
  // into it) shows the system's error.
  const std::string held = product.Path("held.csv");
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  save(held, true);
  HWND error = WaitForWindow("#32770", 0, kAnswerMs, nullptr, product.Window());
  ASSERT_NE(error, nullptr) << "no error message";
  EXPECT_EQ(WindowText(error), "Error");
  EXPECT_EQ(MessageBoxText(error).rfind("Error 32: ", 0), 0u) << MessageBoxText(error);
  ASSERT_TRUE(CloseDialog(error, IDOK));
  CloseHandle(holder);

  // The copy goes through a temporary file, which must be gone after it.
  const std::set<std::string> temporaryFiles = TemporaryCopyFiles();
  ASSERT_TRUE(app.SendCommand(IDM_COPY_SELECTED));
  const std::string copied = TabDelimited(kTitles) + TabDelimited(kSecondRow);
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == copied; }, kAnswerMs)) << ClipboardText();
  EXPECT_EQ(TemporaryCopyFiles(), temporaryFiles);

  // The reports go beside the exe, of the selected rows or of all; the program opens them with the system's
  // handler, which must not hold it up.
  const std::string report = product.Path("report.html");
  ASSERT_TRUE(app.SendCommand(IDM_HTML_REPORT_SELECTED, kAnswerMs));
  EXPECT_NE(ReadFileBytes(report).find("<td bgcolor=#FFFFFF nowrap>Second Reader"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(report).find("First Reader"), std::string::npos);
  ASSERT_TRUE(app.SendCommand(IDM_HTML_REPORT_ALL, kAnswerMs));
  EXPECT_NE(ReadFileBytes(report).find("<td bgcolor=#FFFFFF nowrap>First Reader"), std::string::npos);
  EXPECT_NE(ReadFileBytes(report).find("<th>Description"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(report).find("<th>Event Time"), std::string::npos);

  ASSERT_TRUE(product.Exit());
  EXPECT_EQ(GetFileAttributesA(report.c_str()), INVALID_FILE_ATTRIBUTES) << "the report is deleted at exit";
  EXPECT_NE(ReadFileBytes(product.SettingsPath()).find("\nSaveFilterIndex=4\r\n"), std::string::npos);
}

// A program folder that refuses new files without being read-only, as Program Files does for a standard user:
// here report.html is a folder, which no file can replace.
TEST(Export, TheReportGoesToTheTemporaryFolderWhenTheProgramsFolderRefusesIt) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(CreateDirectoryA(product.Path("report.html").c_str(), nullptr));
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  const std::string report = std::string(folder) + "report.html";
  DeleteFileA(report.c_str());
  ASSERT_TRUE(product.Start());
  ASSERT_TRUE(product.App().SendCommand(IDM_HTML_REPORT_ALL, kAnswerMs));
  EXPECT_NE(ReadFileBytes(report).find("<th>Description"), std::string::npos);
  EXPECT_EQ(WaitForWindow("#32770", product.ProcessId()), nullptr) << "an error was shown";
  ASSERT_TRUE(product.Exit());
  EXPECT_EQ(GetFileAttributesA(report.c_str()), INVALID_FILE_ATTRIBUTES) << "the report is deleted at exit";
}

}  // namespace
}  // namespace wrenhollow::e2e
