#pragma once

#include "report/column_def.h"

namespace wrenhollow {

// The event log's columns; each id is also the column's index in kEventColumns.
enum EventColumn : int {
  kColumnEventType,
  kColumnEventTime,
  kColumnDeviceName,
  kColumnDescription,
  kColumnDeviceType,
  kColumnDriveLetter,
  kColumnSerialNumber,
  kColumnVendorId,
  kColumnProductId,
  kColumnVendorName,
  kColumnProductName,
  kColumnFirmwareRevision,
  kColumnUsbClass,
  kColumnUsbSubclass,
  kColumnUsbProtocol,
  kEventColumnCount
};

extern const ColumnDef kEventColumns[kEventColumnCount];

}  // namespace wrenhollow
