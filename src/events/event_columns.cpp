#include "events/event_columns.h"

namespace wrenhollow {
namespace {

constexpr ColumnDef Column(int id, int defaultWidth) {
  return ColumnDef{id, kColumnMaskWidthText, 0, defaultWidth, 1001u + static_cast<unsigned>(id), "", 1, 20};
}

}  // namespace

const ColumnDef kEventColumns[kEventColumnCount] = {
    Column(kColumnEventType, 100),   Column(kColumnEventTime, 120),        Column(kColumnDeviceName, 150),
    Column(kColumnDescription, 150), Column(kColumnDeviceType, 120),       Column(kColumnDriveLetter, 100),
    Column(kColumnSerialNumber, 120), Column(kColumnVendorId, 100),        Column(kColumnProductId, 100),
    Column(kColumnVendorName, 150),  Column(kColumnProductName, 150),      Column(kColumnFirmwareRevision, 100),
    Column(kColumnUsbClass, 80),     Column(kColumnUsbSubclass, 80),       Column(kColumnUsbProtocol, 80),
};

}  // namespace wrenhollow
