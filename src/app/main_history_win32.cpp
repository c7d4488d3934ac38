#include "app/main_window_win32.h"
#include "lang/language_table.h"
#include "util/files_win32.h"
#include "util/text.h"

namespace wrenhollow {

void MainWindow::ShowOlderRowsAtStart() {
  if (options_.keepLogFile == 0 && options_.showEarlierConnections == 0) return;
  int skipped = 0;
  if (options_.keepLogFile != 0) {
    ApplyLogFile();
    if (log_.IsOpen()) {
      const LogReading reading = log_.ReadBack(list_->Database());
      list_->InsertOlderRows(reading.rows, EventOrigin::Logged);
      skipped = reading.skipped;
    }
  }
  PlaceEarlierConnections();
  ShowAllRowsAgain();
  // Shown after the counts, which would cover them.
  if (logFailureShown_) ShowStatusNotice(GetString(16));
  if (skipped > 0) {
    char text[256];
    FormatNumber(text, GetString(15), skipped);
    ShowStatusNotice(text);
  }
}

void MainWindow::PlaceEarlierConnections() {
  list_->RemoveRows(EventOrigin::Earlier);
  if (options_.showEarlierConnections == 0) return;
  list_->InsertEarlierConnections(history_);
}

void MainWindow::ApplyEarlierConnections() {
  PlaceEarlierConnections();
  ShowAllRowsAgain();
}

void MainWindow::ApplyLogFile() {
  if (options_.keepLogFile == 0) {
    log_.Close();
    return;
  }
  if (log_.IsOpen()) return;
  char programFolder[kPathSize];
  GetProgramFolder(programFolder);
  if (!log_.Open(programFolder) && !logFailureShown_) {
    logFailureShown_ = true;
    ShowStatusNotice(GetString(16));
  }
}

void MainWindow::AppendToLog(const UsbEvent& row) {
  if (options_.keepLogFile == 0) return;
  // A log that could not be opened is tried again with each event, so that it resumes once the folder allows it.
  ApplyLogFile();
  if (log_.Append(row, hostName_) || logFailureShown_) return;
  logFailureShown_ = true;
  ShowStatusNotice(GetString(16));
}

void MainWindow::ShowStatusNotice(const char* text) {
  SendMessageA(statusBar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace wrenhollow
