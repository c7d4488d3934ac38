#include "monitor/earlier_connections.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "util/text.h"

namespace wrenhollow {
namespace {

const std::string kLongDevice = "VID_0781&PID_5530&" + std::string(kKeyNameMax - 18, 'D');
const std::string kLongInstance(kKeyNameMax, 'i');

// One record of the reading (in this order) and what the system recorded for it; a row without history keys
// has no history record. History keys may differ from the reading's in case and beyond the cut.
struct Row {
  const char* label;
  std::string deviceKey;
  std::string instanceKey;
  std::string historyDeviceKey;
  std::string historyInstanceKey;
  FileTime install;
  FileTime arrival;
  FileTime removal;
};

const Row kRows[] = {
    {"arrival", "VID_0001&PID_0001", "A1", "VID_0001&PID_0001", "A1", 10, 500, 0},
    {"win7", "VID_0001&PID_0002", "W7", "VID_0001&PID_0002", "W7", 300, 0, 0},
    {"removedLater", "VID_0001&PID_0003", "RL", "VID_0001&PID_0003", "RL", 10, 400, 700},
    {"removedEarlier", "VID_0001&PID_0004", "RE", "VID_0001&PID_0004", "RE", 10, 600, 450},
    {"removedSame", "VID_0001&PID_0005", "RS", "VID_0001&PID_0005", "RS", 10, 800, 800},
    {"win7Removed", "VID_0001&PID_0006", "WR", "VID_0001&PID_0006", "WR", 150, 0, 350},
    {"removalOnly", "VID_0001&PID_0007", "RO", "VID_0001&PID_0007", "RO", 0, 0, 50},
    {"noTimes", "VID_0001&PID_0008", "NT", "VID_0001&PID_0008", "NT", 0, 0, 0},
    {"noHistory", "VID_0001&PID_0009", "NH", "", "", 0, 0, 0},
    {"otherDevice", "VID_0001&PID_000A", "SHARED", "VID_0002&PID_000A", "SHARED", 10, 20, 30},
    {"otherInstance", "VID_0001&PID_000B", "MINE", "VID_0001&PID_000B", "THEIRS", 10, 20, 30},
    {"caseDiffers", "Vid_abcd&Pid_0001", "Serial9", "VID_ABCD&PID_0001", "SERIAL9", 10, 500, 0},
    {"longKeys", kLongDevice, kLongInstance, kLongDevice + "TAIL", kLongInstance + "MORE", 10, 200, 0},
    {"cutDiffers", kLongDevice, "CUT", kLongDevice.substr(0, kKeyNameMax - 1) + "EX", "CUT", 10, 210, 0},
    {"duplicateFirst", "VID_0001&PID_000C", "DUP", "VID_0001&PID_000C", "DUP", 10, 250, 900},
    {"duplicateSecond", "vid_0001&pid_000c", "dup", "", "", 0, 0, 0},
    {"tieLater", "VID_0001&PID_000D", "TL", "VID_0001&PID_000D", "TL", 10, 700, 0},
};

// A record with every field set, distinct per row, so that a changed or mixed-up record shows.
UsbDeviceInfo ReadingRecord(const Row& row, uint32_t index) {
  UsbDeviceInfo info{};
  CopyBounded(info.deviceKey, row.deviceKey);
  CopyBounded(info.instanceKey, row.instanceKey);
  CopyBounded(info.description, row.label);
  CopyBounded(info.serialNumber, std::string(row.label) + "-serial");
  CopyBounded(info.symbolicName, std::string("\\??\\USB#") + row.label);
  std::memset(info.driveLetters, 'D' + static_cast<int>(index % 20), sizeof info.driveLetters);
  info.vendorId = index;
  info.firmwareRevision = 100 + index;
  info.connected = index % 2;
  return info;
}

TEST(EarlierConnectionsTest, EventsFromTheRecordOldestFirstInReadingOrder) {
  DeviceSnapshot reading;
  std::vector<DeviceHistoryRecord> history;
  for (const Row& row : kRows) {
    reading.Add(ReadingRecord(row, static_cast<uint32_t>(reading.Count())));
    if (!row.historyDeviceKey.empty()) {
      history.push_back({row.historyDeviceKey, row.historyInstanceKey, row.install, row.arrival, row.removal});
    }
  }
  ASSERT_EQ(std::strlen(reading[12].deviceKey), static_cast<size_t>(kKeyNameMax));
  // The reading's order decides ties, not the record's.
  std::reverse(history.begin(), history.end());

  const std::vector<DeviceEvent> events = EarlierConnections(reading, history);
  std::string seen;
  for (const DeviceEvent& event : events) {
    seen += std::to_string(event.time) + (event.type == EventType::Plug ? " Plug " : " Unplug ") +
            event.device.description + "\n";
    size_t index = 0;
    while (index < reading.Count() && std::strcmp(reading[index].description, event.device.description) != 0) ++index;
    ASSERT_LT(index, reading.Count());
    EXPECT_EQ(std::memcmp(&event.device, &reading[index], sizeof(UsbDeviceInfo)), 0) << event.device.description;
  }
  EXPECT_EQ(seen,
            "50 Unplug removalOnly\n"
            "150 Plug win7Removed\n"
            "200 Plug longKeys\n"
            "250 Plug duplicateFirst\n"
            "300 Plug win7\n"
            "350 Unplug win7Removed\n"
            "400 Plug removedLater\n"
            "500 Plug arrival\n"
            "500 Plug caseDiffers\n"
            "600 Plug removedEarlier\n"
            "700 Unplug removedLater\n"
            "700 Plug tieLater\n"
            "800 Plug removedSame\n"
            "900 Unplug duplicateFirst\n");
}

TEST(EarlierConnectionsTest, EqualTimesKeepTheReadingOrderAtAnyLength) {
  DeviceSnapshot reading;
  std::vector<DeviceHistoryRecord> history;
  std::string early;
  std::string late;
  for (uint32_t index = 0; index < 64; ++index) {
    const std::string serial = std::to_string(index);
    UsbDeviceInfo info{};
    CopyBounded(info.deviceKey, "VID_0001&PID_0001");
    CopyBounded(info.instanceKey, serial);
    reading.Add(info);
    // Every third device was removed at the time the others arrived, after arriving itself.
    const bool removed = index % 3 == 0;
    history.push_back({"VID_0001&PID_0001", serial, 0, removed ? FileTime{500} : 1000, removed ? FileTime{1000} : 0});
    if (removed) early += "Plug " + serial + "\n";
    late += (removed ? "Unplug " : "Plug ") + serial + "\n";
  }
  std::string seen;
  for (const DeviceEvent& event : EarlierConnections(reading, history)) {
    seen += (event.type == EventType::Plug ? "Plug " : "Unplug ") + std::string(event.device.instanceKey) + "\n";
  }
  EXPECT_EQ(seen, early + late);
}

TEST(EarlierConnectionsTest, NothingWithoutAReadingOrARecord) {
  DeviceSnapshot reading;
  reading.Add(ReadingRecord(kRows[0], 0));
  const std::vector<DeviceHistoryRecord> history = {{kRows[0].deviceKey, kRows[0].instanceKey, 1, 2, 3}};
  EXPECT_TRUE(EarlierConnections(DeviceSnapshot(), history).empty());
  EXPECT_TRUE(EarlierConnections(reading, {}).empty());
  EXPECT_EQ(EarlierConnections(reading, history).size(), 2u);
}

}  // namespace
}  // namespace wrenhollow
