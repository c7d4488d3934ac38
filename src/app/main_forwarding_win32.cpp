#include "app/main_window_win32.h"

#include <algorithm>
#include <optional>

#include "events/notification_text.h"
#include "lang/language_table.h"

namespace wrenhollow {

void MainWindow::ForwardLiveRow(const UsbEvent& row) {
  AppendToLog(row);
  if (options_.writeToEventLog != 0) eventLog_.Report(row, hostName_);
  forwarder_.Send(row);
}

void MainWindow::OnForwardingStatus(ForwardingStatus status) {
  if (status == ForwardingStatus::UnknownHost) ShowStatusNotice(GetString(24));
  if (status == ForwardingStatus::Refused) ShowStatusNotice(GetString(25));
}

void MainWindow::ApplyEventLog() {
  if (options_.writeToEventLog != 0) {
    eventLog_.Open();
  } else {
    eventLog_.Close();
  }
}

void MainWindow::NotifyOfReading(int firstItem) {
  if (options_.showNotifications == 0 || list_ == nullptr) return;
  std::vector<const UsbEvent*> rows;
  for (int i = firstItem; i < list_->ItemCount(); ++i) rows.push_back(static_cast<const UsbEvent*>(list_->ItemAt(i)));
  const std::optional<NotificationText> balloon = NotificationFor(rows, options_.onlyNewDevices != 0);
  if (!balloon) return;
  balloonItems_.clear();
  for (size_t row : balloon->rows) balloonItems_.push_back(firstItem + static_cast<int>(row));
  tray_.ShowBalloon(smallIcon_, balloon->title.c_str(), balloon->text.c_str());
}

void MainWindow::ShowBalloonRows() {
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  if (list_ == nullptr) return;
  ReportListView& view = list_->View();
  for (int row = 0; row < view.RowCount(); ++row) {
    int item = -1;
    view.ItemAtRow(row, &item);
    const bool about = std::find(balloonItems_.begin(), balloonItems_.end(), item) != balloonItems_.end();
    view.SetItemState(row, about ? LVIS_SELECTED : 0, LVIS_SELECTED);
    if (about) SendMessageA(view.Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
}

void MainWindow::RedrawRows() { InvalidateRect(ListViewHandle(), nullptr, TRUE); }

LRESULT MainWindow::DrawRow(const NMLVCUSTOMDRAW& draw) {
  if (options_.showNotifications == 0 || options_.onlyNewDevices == 0 || list_ == nullptr) return CDRF_DODEFAULT;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto* row = static_cast<const UsbEvent*>(list_->ItemAt(static_cast<int>(draw.nmcd.lItemlParam)));
  if (row == nullptr || row->newDevice == 0) return CDRF_DODEFAULT;
  SelectObject(draw.nmcd.hdc, boldFont_);
  return CDRF_NEWFONT;
}

}  // namespace wrenhollow
