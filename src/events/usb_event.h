#pragma once

#include <cstdint>

#include "events/usb_id_database.h"
#include "monitor/device_monitor.h"
#include "report/report_item.h"
#include "util/clock.h"
#include "util/string_list.h"

namespace wrenhollow {

constexpr int kPortNameSize = 9;

// Where a row comes from: seen happening now, rebuilt from the system's record of earlier connections, or read
// back from the program's own log file.
enum class EventOrigin : uint32_t { Live = 0, Earlier = 1, Logged = 2 };

// One row of the event log: one Plug or Unplug of one device. A plain record the list copies bitwise: its long
// texts live in the event string pool and the USB ID database, which outlive every row.
struct UsbEvent : ReportItem {
  EventType eventType;
  FileTime eventTime;  // UTC
  uint32_t classCode;
  uint32_t subclassCode;
  uint32_t protocolCode;
  uint32_t vendorId;
  uint32_t productId;
  uint32_t firmwareRevision;
  int32_t deviceNameIndex;  // the device's location information, in the pool
  int32_t descriptionIndex;
  int32_t serialNumberIndex;
  int32_t deviceKeyIndex;  // Enum\USB's key names, which identify the device in the log
  int32_t instanceKeyIndex;
  EventOrigin origin;
  uint32_t newDevice;  // 1 for a live Plug of a device the previous reading did not hold
  char driveLetters[kDriveLetterSlots];
  char portName[kPortNameSize];
  const char* vendorName;   // null when the database has none
  const char* productName;  // null when the database has none
};

// The program-wide texts rows refer to by index; equal texts share one entry. Never emptied.
StringList& EventStringPool();
// The index of text in the pool, appending it when no equal text (compared exactly) is there yet.
int InternEventText(const char* text);
// The pool's text at index; "" for an index it does not hold.
const char* PooledEventText(int32_t index);

// Where row texts come from besides the row: the clock that converts and formats times, and the option that
// shows them in UTC when non-zero (read at each text, so a flip shows at once; null is off). Set once at
// start-up, before the first row is shown.
void SetEventClock(Clock* clock, const int32_t* showTimeInGmt);

// The row for a device event, names resolved in the database.
UsbEvent BuildUsbEvent(const DeviceEvent& event, const UsbIdDatabase& database);

// A column's text as a row shows it, or with the program's own texts when untranslated.
const char* EventColumnText(const UsbEvent& event, int column, char* buffer, size_t size, bool untranslated);

// "E:, F:" for the slots' letters, up to the first empty slot.
void FormatDriveLetters(const char (&driveLetters)[kDriveLetterSlots], char* text, size_t size);

}  // namespace wrenhollow
