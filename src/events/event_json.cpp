#include "events/event_json.h"

#include <algorithm>
#include <cstring>

#include "events/event_columns.h"
#include "util/iso_time.h"
#include "util/text.h"
#include "util/utf8.h"

namespace wrenhollow {
namespace {

// Fields that are not a column.
constexpr int kFieldHost = -1;
constexpr int kFieldDeviceKey = -2;
constexpr int kFieldInstanceKey = -3;

constexpr struct {
  const char* key;
  int column;
} kFields[] = {
    {"time", kColumnEventTime},         {"event", kColumnEventType},         {"host", kFieldHost},
    {"device", kColumnDeviceName},      {"description", kColumnDescription}, {"type", kColumnDeviceType},
    {"drives", kColumnDriveLetter},     {"serial", kColumnSerialNumber},     {"vid", kColumnVendorId},
    {"pid", kColumnProductId},          {"vendor", kColumnVendorName},       {"product", kColumnProductName},
    {"revision", kColumnFirmwareRevision}, {"class", kColumnUsbClass},       {"subclass", kColumnUsbSubclass},
    {"protocol", kColumnUsbProtocol},   {"deviceKey", kFieldDeviceKey},      {"instanceKey", kFieldInstanceKey},
};

std::string LoggedText(const UsbEvent& event, int field, std::string_view hostUtf8, char* buffer, size_t size) {
  switch (field) {
    case kColumnEventTime: return FormatIsoUtc(event.eventTime);
    case kColumnEventType: return event.eventType == EventType::Plug ? "plug" : "unplug";
    case kFieldHost: return std::string(hostUtf8);
    case kFieldDeviceKey: return AnsiToUtf8(PooledEventText(event.deviceKeyIndex));
    case kFieldInstanceKey: return AnsiToUtf8(PooledEventText(event.instanceKeyIndex));
    default: return AnsiToUtf8(EventColumnText(event, field, buffer, size, true));
  }
}

// Up to 8 hex digits, as the id columns show them; "" is 0.
bool ParseHex(const std::string& text, uint32_t& value) {
  if (text.size() > 8) return false;
  value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return true;
}

// "1.20" as the revision column shows hundredths; "" is 0.
bool ParseRevision(const std::string& text, uint32_t& value) {
  value = 0;
  if (text.empty()) return true;
  const size_t dot = text.find('.');
  if (dot == std::string::npos || dot == 0 || dot > 8 || text.size() != dot + 3) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == dot) continue;
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + static_cast<uint32_t>(text[i] - '0');
  }
  return true;
}

// "E:, F:" back into the slots; any other text is the port name the column shows when there is no letter.
void ParseDrives(const std::string& text, UsbDeviceInfo& device) {
  size_t slot = 0;
  for (size_t i = 0; i < text.size() && slot < kDriveLetterSlots; i += 4) {
    const bool shaped = i + 1 < text.size() && text[i + 1] == ':' && text[i] >= 'A' && text[i] <= 'Z' &&
                        (i + 2 == text.size() || text.compare(i + 2, 2, ", ") == 0);
    if (!shaped) {
      std::memset(device.driveLetters, 0, sizeof device.driveLetters);
      CopyBounded(device.portName, text);
      return;
    }
    device.driveLetters[slot++] = text[i];
  }
}

}  // namespace

JsonMembers LoggedEventMembers(const UsbEvent& event, std::string_view hostUtf8) {
  char buffer[kReportTextSize];
  JsonMembers members;
  members.reserve(std::size(kFields));
  for (const auto& field : kFields) {
    members.emplace_back(field.key, LoggedText(event, field.column, hostUtf8, buffer, sizeof buffer));
  }
  return members;
}

void AppendLoggedEventJson(std::string& out, const UsbEvent& event, std::string_view hostUtf8) {
  AppendJsonObject(out, LoggedEventMembers(event, hostUtf8));
}

void AppendListedEventJson(std::string& out, const UsbEvent& event, const std::vector<int>& columns) {
  char buffer[kReportTextSize];
  JsonMembers members;
  for (const auto& field : kFields) {
    if (std::find(columns.begin(), columns.end(), field.column) == columns.end()) continue;
    members.emplace_back(field.key, AnsiToUtf8(EventColumnText(event, field.column, buffer, sizeof buffer, false)));
  }
  AppendJsonObject(out, members);
}

bool ReadLoggedEvent(std::string_view line, const UsbIdDatabase& database, UsbEvent& row) {
  const std::optional<JsonMembers> members = ParseFlatJsonObject(line);
  if (!members) return false;
  auto find = [&](const char* key) {
    for (const auto& member : *members) {
      if (member.first == key) return Utf8ToAnsi(member.second);
    }
    return std::string();
  };
  DeviceEvent event{};
  const std::optional<FileTime> time = ParseIsoUtc(find("time"));
  const std::string type = find("event");
  if (!time || (type != "plug" && type != "unplug")) return false;
  event.time = *time;
  event.type = type == "plug" ? EventType::Plug : EventType::Unplug;
  UsbDeviceInfo& device = event.device;
  if (!ParseHex(find("vid"), device.vendorId) || !ParseHex(find("pid"), device.productId) ||
      !ParseHex(find("class"), device.classCode) || !ParseHex(find("subclass"), device.subclassCode) ||
      !ParseHex(find("protocol"), device.protocolCode) || !ParseRevision(find("revision"), device.firmwareRevision)) {
    return false;
  }
  CopyBounded(device.locationInformation, find("device"));
  CopyBounded(device.description, find("description"));
  CopyBounded(device.serialNumber, find("serial"));
  CopyBounded(device.deviceKey, find("deviceKey"));
  CopyBounded(device.instanceKey, find("instanceKey"));
  ParseDrives(find("drives"), device);
  row = BuildUsbEvent(event, database);
  row.origin = EventOrigin::Logged;
  return true;
}

}  // namespace wrenhollow
