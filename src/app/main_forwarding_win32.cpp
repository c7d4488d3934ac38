#include "app/main_window_win32.h"

namespace wrenhollow {

void MainWindow::ForwardLiveRow(const UsbEvent& row) {
  AppendToLog(row);
  if (options_.writeToEventLog != 0) eventLog_.Report(row, hostName_);
}

void MainWindow::ApplyEventLog() {
  if (options_.writeToEventLog != 0) {
    eventLog_.Open();
  } else {
    eventLog_.Close();
  }
}

}  // namespace wrenhollow
