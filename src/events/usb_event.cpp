#include "events/usb_event.h"

#include <cstdio>
#include <cstring>

#include "events/device_type.h"
#include "events/event_columns.h"
#include "lang/language_table.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

// Numeric columns are formatted into at most 16 characters.
constexpr size_t kNumberTextSize = 17;

Clock* eventClock = nullptr;
const int32_t* eventTimeInGmt = nullptr;

const char* FormatNumber(char* buffer, size_t size, const char* format, uint32_t value) {
  std::snprintf(buffer, size < kNumberTextSize ? size : kNumberTextSize, format, value);
  return buffer;
}

const char* EventTimeText(const UsbEvent& event, char* buffer, size_t size) {
  if ((event.eventTime >> 32) == 0 || eventClock == nullptr) return buffer;
  const bool utc = eventTimeInGmt != nullptr && *eventTimeInGmt != 0;
  char text[kDateTimeTextSize];
  eventClock->FormatDateTime(utc ? event.eventTime : eventClock->ToLocal(event.eventTime), text);
  CopyBounded(buffer, size, text);
  return buffer;
}

const char* UsbEventText(const ReportItem& item, int column, char* buffer, size_t size) {
  return EventColumnText(static_cast<const UsbEvent&>(item), column, buffer, size, false);
}

const ReportItemOps kUsbEventOps = {
    UsbEventText,
    [](const ReportItem&, int, const ReportItem&) { return kCompareByText; },
    [](const ReportItem&, const ReportItem&) { return 0; },
    [](ReportItem&) {},
};

}  // namespace

const char* EventColumnText(const UsbEvent& event, int column, char* buffer, size_t size, bool untranslated) {
  const unsigned textFlag = untranslated ? kBuiltinText : 0;
  switch (column) {
    case kColumnEventType:
      return GetString((1100 + static_cast<unsigned>(event.eventType)) | textFlag);
    case kColumnEventTime:
      return EventTimeText(event, buffer, size);
    case kColumnDeviceName:
      return PooledEventText(event.deviceNameIndex);
    case kColumnDescription:
      return PooledEventText(event.descriptionIndex);
    case kColumnDeviceType:
      return GetString(DeviceTypeStringId(event.classCode, event.subclassCode, event.protocolCode) | textFlag);
    case kColumnDriveLetter:
      FormatDriveLetters(event.driveLetters, buffer, size);
      return buffer[0] != '\0' ? buffer : event.portName;
    case kColumnSerialNumber:
      return PooledEventText(event.serialNumberIndex);
    case kColumnVendorId:
      return FormatNumber(buffer, size, "%4.4x", event.vendorId);
    case kColumnProductId:
      return FormatNumber(buffer, size, "%4.4x", event.productId);
    case kColumnVendorName:
      return event.vendorName != nullptr ? event.vendorName : "";
    case kColumnProductName:
      return event.productName != nullptr ? event.productName : "";
    case kColumnFirmwareRevision:
      std::snprintf(buffer, size < kNumberTextSize ? size : kNumberTextSize, "%2.2f", event.firmwareRevision / 100.0);
      return buffer;
    case kColumnUsbClass:
      return FormatNumber(buffer, size, "%2.2x", event.classCode);
    case kColumnUsbSubclass:
      return FormatNumber(buffer, size, "%2.2x", event.subclassCode);
    case kColumnUsbProtocol:
      return FormatNumber(buffer, size, "%2.2x", event.protocolCode);
    default:
      return buffer;
  }
}

StringList& EventStringPool() {
  static StringList pool;
  return pool;
}

const char* PooledEventText(int32_t index) {
  const char* text = EventStringPool().Get(index);
  return text != nullptr ? text : "";
}

int InternEventText(const char* text) {
  const int found = EventStringPool().FindExact(text);
  return found >= 0 ? found : EventStringPool().Append(text);
}

void SetEventClock(Clock* clock, const int32_t* showTimeInGmt) {
  eventClock = clock;
  eventTimeInGmt = showTimeInGmt;
}

UsbEvent BuildUsbEvent(const DeviceEvent& event, const UsbIdDatabase& database) {
  const UsbDeviceInfo& device = event.device;
  UsbEvent row{};
  row.ops = &kUsbEventOps;
  row.eventType = event.type;
  row.eventTime = event.time;
  row.newDevice = event.newDevice ? 1 : 0;
  row.classCode = device.classCode;
  row.subclassCode = device.subclassCode;
  row.protocolCode = device.protocolCode;
  row.vendorId = device.vendorId;
  row.productId = device.productId;
  row.firmwareRevision = device.firmwareRevision;
  row.descriptionIndex = InternEventText(device.description);
  row.serialNumberIndex = InternEventText(device.serialNumber);
  row.deviceNameIndex = InternEventText(device.locationInformation);
  row.deviceKeyIndex = InternEventText(device.deviceKey);
  row.instanceKeyIndex = InternEventText(device.instanceKey);
  std::memcpy(row.driveLetters, device.driveLetters, sizeof row.driveLetters);
  CopyBounded(row.portName, device.portName);
  row.vendorName = database.FindVendorName(device.vendorId);
  row.productName = database.FindProductName(device.vendorId, device.productId);
  return row;
}

void FormatDriveLetters(const char (&driveLetters)[kDriveLetterSlots], char* text, size_t size) {
  if (size == 0) return;
  text[0] = '\0';
  size_t used = 0;
  for (char letter : driveLetters) {
    if (letter == '\0') break;
    const int written = std::snprintf(text + used, size - used, used == 0 ? "%c:" : ", %c:", letter);
    if (written < 0 || static_cast<size_t>(written) >= size - used) break;
    used += static_cast<size_t>(written);
  }
}

}  // namespace wrenhollow
