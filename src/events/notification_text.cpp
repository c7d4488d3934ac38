#include "events/notification_text.h"

#include "events/event_columns.h"
#include "lang/language_table.h"
#include "util/code_page.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

constexpr size_t kTitleMax = 63;
constexpr size_t kTextMax = 255;
constexpr size_t kListedRowsMax = 4;

std::string Counted(unsigned stringId, int count) {
  char text[256];
  FormatNumber(text, GetString(stringId), count);
  return text;
}

std::string Column(const UsbEvent& row, int column) {
  char buffer[kReportTextSize];
  return row.Text(column, buffer, sizeof buffer);
}

void AddLine(std::string& text, const std::string& line) {
  if (line.empty()) return;
  if (!text.empty()) text += "\r\n";
  text += line;
}

// Cut to at most max bytes, never between a lead byte and its trail byte.
std::string Cut(std::string text, size_t max) {
  size_t end = 0;
  while (end < text.size()) {
    const size_t next = end + (IsLeadByte(text[end]) && end + 1 < text.size() ? 2 : 1);
    if (next > max) break;
    end = next;
  }
  text.resize(end);
  return text;
}

}  // namespace

std::optional<NotificationText> NotificationFor(const std::vector<const UsbEvent*>& rows, bool onlyNew) {
  NotificationText notification;
  std::vector<const UsbEvent*> shown;
  int plugged = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const UsbEvent* row = rows[i];
    if (onlyNew && (row->newDevice == 0 || row->eventType != EventType::Plug)) continue;
    shown.push_back(row);
    notification.rows.push_back(i);
    if (row->eventType == EventType::Plug) ++plugged;
  }
  if (shown.empty()) return std::nullopt;
  const int removed = static_cast<int>(shown.size()) - plugged;
  if (shown.size() == 1) {
    const UsbEvent& row = *shown.front();
    notification.title = GetString(onlyNew ? 19 : row.eventType == EventType::Plug ? 17 : 18);
    AddLine(notification.text, Column(row, kColumnDescription));
    std::string names = Column(row, kColumnVendorName);
    const std::string product = Column(row, kColumnProductName);
    if (!names.empty() && !product.empty()) names += " ";
    AddLine(notification.text, names + product);
    AddLine(notification.text, Column(row, kColumnDriveLetter));
  } else if (onlyNew) {
    notification.title = Counted(22, plugged);
  } else {
    notification.title = plugged == 0 ? Counted(21, removed) : Counted(20, plugged);
    if (plugged > 0 && removed > 0) notification.title += ", " + Counted(23, removed);
  }
  if (shown.size() > 1) {
    for (size_t i = 0; i < shown.size() && i < kListedRowsMax; ++i) AddLine(notification.text, Column(*shown[i], kColumnDescription));
    if (shown.size() > kListedRowsMax) AddLine(notification.text, "...");
  }
  notification.title = Cut(notification.title, kTitleMax);
  notification.text = Cut(notification.text, kTextMax);
  return notification;
}

}  // namespace wrenhollow
