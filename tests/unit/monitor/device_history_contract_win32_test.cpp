#include <set>

#include "device_simulator/device_simulator.h"
#include "monitor/device_history_contract_test.h"
#include "monitor/device_history_win32.h"
#include "support/memory_registry.h"
#include "util/text.h"

namespace wrenhollow::test {
namespace {

class SetupApiHost {
 public:
  DeviceHistorySource& Source() { return history_; }
  bool Plant(const std::vector<DeviceHistoryRecord>& records, std::string* error) {
    std::string text = "REGEDIT4\r\n\r\n";
    for (const DeviceHistoryRecord& record : records) {
      text += e2e::HistoryText(e2e::UsbDevice{record.deviceKey, record.instanceKey, "Planted"}, record.firstInstall,
                               record.lastArrival, record.lastRemoval);
    }
    return e2e::ApplyRegText(text, error);
  }

 private:
  SetupApiDeviceHistory history_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(SetupApi, DeviceHistoryContractTest, SetupApiHost);

constexpr char kEnumUsb[] = "HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Enum\\USB\\";

// The hive's Enum\USB sections moved to Wine's CurrentControlSet, where SetupAPI looks.
std::string EnumUsbForSetupApi(const std::string& hive) {
  std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
  bool keep = false;
  for (size_t start = 0, end; start < hive.size(); start = end + 1) {
    end = hive.find('\n', start);
    if (end == std::string::npos) end = hive.size();
    std::string line = hive.substr(start, end - start + 1);
    if (line[0] == '[') keep = line.compare(1, sizeof kEnumUsb - 1, kEnumUsb) == 0;
    if (keep && line[0] == '[') line.replace(line.find("ControlSet001"), 13, "CurrentControlSet");
    if (keep) text += line;
  }
  return text;
}

// The times read straight from the hive's Properties keys: first install, last arrival, last removal.
std::set<std::string> TimesInHive(MemoryHive& hive) {
  std::set<std::string> records;
  RegKey usb = 0;
  if (hive.OpenKey(kLocalMachine, "SYSTEM\\ControlSet001\\Enum\\USB", &usb) != kErrorSuccess) return records;
  char device[256], instance[256];
  for (uint32_t d = 0, length = sizeof device; hive.EnumKey(usb, d, device, &length) == kErrorSuccess; ++d, length = sizeof device) {
    RegKey deviceKey = 0;
    hive.OpenKey(usb, device, &deviceKey);
    for (uint32_t i = 0, size = sizeof instance; hive.EnumKey(deviceKey, i, instance, &size) == kErrorSuccess; ++i, size = sizeof instance) {
      FileTime times[3] = {};
      const char* const ids[] = {"0065", "0066", "0067"};
      for (int n = 0; n < 3; ++n) {
        RegKey property = 0;
        const std::string path = std::string(instance) + "\\Properties\\{83da6326-97a6-4088-9453-a1923f573b29}\\" + ids[n];
        if (hive.OpenKey(deviceKey, path.c_str(), &property) != kErrorSuccess) continue;
        uint32_t type = 0, bytes = sizeof times[n];
        if (hive.QueryValue(property, "", &type, reinterpret_cast<uint8_t*>(&times[n]), &bytes) != kErrorSuccess ||
            type != 0xFFFF0010 || bytes != 8) {
          times[n] = 0;
        }
        hive.CloseKey(property);
      }
      if (times[0] != 0 || times[1] != 0 || times[2] != 0) {
        records.insert(Describe({{FoldCase(device), FoldCase(instance), times[0], times[1], times[2]}}));
      }
    }
    hive.CloseKey(deviceKey);
  }
  hive.CloseKey(usb);
  return records;
}

// The real machines' hives: what SetupAPI reports for their devices equals what their Properties keys hold.
TEST(SetupApiHistory, RealHivesGiveTheTimesTheirPropertiesHold) {
  for (const char* fixture : {"hives/system_b.reg", "hives/system_2.reg"}) {
    SCOPED_TRACE(fixture);
    MemoryHive hive;
    ApplyRegFixture(hive, fixture);
    const std::set<std::string> expected = TimesInHive(hive);
    ASSERT_GE(expected.size(), 3u);
    std::string error;
    ASSERT_TRUE(e2e::ApplyRegText(EnumUsbForSetupApi(ReadFixture(fixture)), &error)) << error;
    std::vector<DeviceHistoryRecord> records;
    ASSERT_TRUE(SetupApiDeviceHistory().ReadHistory(records));
    std::set<std::string> read;
    for (DeviceHistoryRecord& record : records) {
      record.deviceKey = FoldCase(record.deviceKey);
      record.instanceKey = FoldCase(record.instanceKey);
      if (expected.count(Describe({record})) != 0) read.insert(Describe({record}));
    }
    EXPECT_EQ(read, expected);
  }
}

}  // namespace
}  // namespace wrenhollow::test
