#include "events/event_report_list.h"

#include "events/event_columns.h"
#include "events/event_json.h"
#include "lang/language_table.h"
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
  return static_cast<const UsbEvent&>(item).eventType == EventType::Plug ? 0 : 1;
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
  if (AddItem(BuildUsbEvent(event, database_)) != nullptr) ShowNewItem(ItemCount() - 1);
}

}  // namespace wrenhollow
