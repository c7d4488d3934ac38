#include "event_rows.h"

#include <cstdio>

namespace wrenhollow::bench {

void AddEventRows(EventReportList& list, int count) {
  list.Database().ParseUsbIds("0781  SanDisk Corp.\n\t5567  Cruzer Blade\n046d  Logitech, Inc.\n\tc52b  Unifying Receiver\n");
  for (int i = 0; i < count; ++i) {
    const int device = (i * 7919) % 397;  // a few hundred devices, met in a scattered order
    DeviceEvent event{};
    event.type = i % 2 == 0 ? EventType::Plug : EventType::Unplug;
    event.time = 133541212290000000ull + static_cast<uint64_t>(i) * 10'000'000;
    event.device.vendorId = device % 3 == 0 ? 0x781 : 0x46D;
    event.device.productId = device % 3 == 0 ? 0x5567 : 0xC52B;
    event.device.classCode = device % 3 == 0 ? 8 : 3;
    event.device.firmwareRevision = 126;
    std::snprintf(event.device.description, kDeviceTextSize, "USB Device %03d <Model & Co>", device);
    std::snprintf(event.device.serialNumber, kDeviceTextSize, "4C5300012301051%05d", device);
    std::snprintf(event.device.locationInformation, kDeviceTextSize, "Port_#%04d.Hub_#0004", device % 8);
    if (device % 3 == 0) std::snprintf(event.device.driveLetters, kDriveLetterSlots, "%c", 'E' + device % 20);
    list.AddItem(BuildUsbEvent(event, list.Database()));
  }
}

}  // namespace wrenhollow::bench
