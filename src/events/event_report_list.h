#pragma once

#include <functional>
#include <vector>

#include "events/usb_event.h"
#include "events/usb_id_database.h"
#include "monitor/device_history.h"
#include "monitor/device_monitor.h"
#include "report/report_list.h"

namespace wrenhollow {

// The USB event log: every Plug and Unplug its device monitor reports becomes a row, named from its database.
class EventReportList : public ReportList {
 public:
  static constexpr int kRowStep = 64;

  EventReportList(RegistrySource& registry, VolumeSource& volumes, Clock& clock);

  // Plug rows show image 0, Unplug rows image 1; rows that were not seen live, their faded forms 2 and 3.
  int ItemImage(const ReportItem& item) const override;
  // Every column is searched, hidden ones too.
  bool IsColumnSearchable(int) const override { return true; }
  bool WriteHtmlHead(ExportWriter& writer, ExportFormat format) const override;
  bool WriteHtmlFoot(ExportWriter& writer, ExportFormat format) const override;
  bool WriteJsonLine(ExportWriter& writer, const ReportItem& item) const override;

  // Reads the devices anew; each change adds a row before this returns.
  void Refresh() { monitor_.Refresh(); }
  const DeviceSnapshot& LastReading() const { return monitor_.LastReading(); }
  // Called with each live row as it is built, whether or not the list could store it.
  void SetLiveRowListener(std::function<void(const UsbEvent&)> listener) { liveRowListener_ = std::move(listener); }

  // Puts rows that were not seen live before the live ones: the logged first, then the earlier connections,
  // each batch after the rows of its origin already there, in the batch's order. False when the list cannot grow.
  bool InsertOlderRows(const std::vector<UsbEvent>& rows, EventOrigin origin);
  // The system's record of earlier connections for the devices of the latest reading, as rows inserted as above.
  bool InsertEarlierConnections(DeviceHistorySource& history);
  void RemoveRows(EventOrigin origin);
  UsbIdDatabase& Database() { return database_; }

 protected:
  const char* ProgressFormat() const override;
  // Called with each new row's index once it is stored; the list view appends the row here.
  virtual void ShowNewItem(int index);

 private:
  class Monitor : public DeviceMonitor {
   public:
    Monitor(EventReportList& list, RegistrySource& registry, VolumeSource& volumes, Clock& clock)
        : DeviceMonitor(registry, volumes, clock), list_(list) {}

   protected:
    void OnDeviceEvent(const DeviceEvent& event) override { list_.OnDeviceEvent(event); }

   private:
    EventReportList& list_;
  };

  void OnDeviceEvent(const DeviceEvent& event);

  UsbIdDatabase database_;
  Monitor monitor_;
  std::function<void(const UsbEvent&)> liveRowListener_;
};

}  // namespace wrenhollow
