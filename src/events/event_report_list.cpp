#include "events/event_report_list.h"

#include "events/event_columns.h"
#include "events/event_json.h"
#include "lang/language_table.h"
#include "monitor/earlier_connections.h"
#include "report/html_export.h"

namespace wrenhollow {

EventReportList::EventReportList(RegistrySource& registry, VolumeSource& volumes, Clock& clock)
    : ReportList(sizeof(UsbEvent), kRowStep), monitor_(*this, registry, volumes, clock) {
  InitColumns(kEventColumns, kEventColumnCount);
  SetTitleId(8);  // "USB Log"
}

const char* EventReportList::ProgressFormat() const { return GetString(14); }

void EventReportList::ShowNewItem(int) {}

int EventReportList::ItemImage(const ReportItem& item) const {
  const auto& event = static_cast<const UsbEvent&>(item);
  return (event.eventType == EventType::Plug ? 0 : 1) + (event.origin == EventOrigin::Live ? 0 : 2);
}

// The language file's charset and reading direction shape the page.
bool EventReportList::WriteHtmlHead(ExportWriter& writer, ExportFormat format) const {
  const LanguageTable* language = InstalledLanguageTable();
  return WriteReportHtmlHead(writer, format, language != nullptr ? language->Charset() : "",
                             language != nullptr && language->IsRtl());
}

bool EventReportList::WriteHtmlFoot(ExportWriter& writer, ExportFormat format) const {
  const LanguageTable* language = InstalledLanguageTable();
  return WriteReportHtmlFoot(writer, format, language != nullptr && language->IsRtl());
}

bool EventReportList::WriteJsonLine(ExportWriter& writer, const ReportItem& item) const {
  std::string line;
  AppendListedEventJson(line, static_cast<const UsbEvent&>(item), writer.Visible());
  line.push_back('\n');
  return writer.Write(line);
}

void EventReportList::OnDeviceEvent(const DeviceEvent& event) {
  const UsbEvent row = BuildUsbEvent(event, database_);
  if (liveRowListener_) liveRowListener_(row);
  if (AddItem(row) != nullptr) ShowNewItem(ItemCount() - 1);
}

bool EventReportList::InsertOlderRows(const std::vector<UsbEvent>& rows, EventOrigin origin) {
  // Origins in list order: logged, earlier, live.
  const auto rank = [](EventOrigin o) { return o == EventOrigin::Logged ? 0 : o == EventOrigin::Earlier ? 1 : 2; };
  int index = 0;
  while (index < ItemCount() && rank(static_cast<const UsbEvent*>(ItemAt(index))->origin) <= rank(origin)) ++index;
  std::vector<const ReportItem*> records;
  records.reserve(rows.size());
  for (const UsbEvent& row : rows) records.push_back(&row);
  return InsertItems(index, records);
}

bool EventReportList::InsertEarlierConnections(DeviceHistorySource& history) {
  std::vector<DeviceHistoryRecord> records;
  history.ReadHistory(records);  // what could be read before a failure still counts
  const std::vector<DeviceEvent> events = EarlierConnections(LastReading(), records);
  std::vector<UsbEvent> rows;
  rows.reserve(events.size());
  for (const DeviceEvent& event : events) {
    rows.push_back(BuildUsbEvent(event, database_));
    rows.back().origin = EventOrigin::Earlier;
  }
  return InsertOlderRows(rows, EventOrigin::Earlier);
}

void EventReportList::RemoveRows(EventOrigin origin) {
  RemoveItems([origin](const ReportItem& item) { return static_cast<const UsbEvent&>(item).origin == origin; });
}

}  // namespace wrenhollow
