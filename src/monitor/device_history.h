#pragma once

#include <string>
#include <vector>

#include "util/clock.h"

namespace wrenhollow {

// The system's recorded time stamps of one USB device instance; 0 where unknown. Keys as Enum\USB names them,
// in the ANSI code page, in whatever case the system reports them.
struct DeviceHistoryRecord {
  std::string deviceKey;    // "VID_0781&PID_5530"
  std::string instanceKey;  // "200608767007B7C08A6A"
  FileTime firstInstall = 0;
  FileTime lastArrival = 0;  // Windows 8 and later
  FileTime lastRemoval = 0;  // Windows 8 and later
};

// What the system remembers of the USB devices it has seen. The caller owns the source and the vector; a source
// holds nothing open between calls.
class DeviceHistorySource {
 public:
  virtual ~DeviceHistorySource() = default;

  // Appends a record for every USB device node the system has recorded, present or not, leaving the records
  // already in the vector alone. False when the record cannot be read at all; records appended before a
  // failure stay.
  virtual bool ReadHistory(std::vector<DeviceHistoryRecord>& records) = 0;
};

}  // namespace wrenhollow
