#include "events/event_report_list.h"

#include "lang/language_table.h"

namespace wrenhollow {

EventReportList::EventReportList(RegistrySource& registry, VolumeSource& volumes, Clock& clock)
    : ReportList(sizeof(UsbEvent), kRowStep), monitor_(*this, registry, volumes, clock) {}

const char* EventReportList::ProgressFormat() const { return GetString(14); }

void EventReportList::ShowNewItem(int) {}

void EventReportList::OnDeviceEvent(const DeviceEvent& event) {
  if (AddItem(BuildUsbEvent(event, database_)) != nullptr) ShowNewItem(ItemCount() - 1);
}

}  // namespace wrenhollow
