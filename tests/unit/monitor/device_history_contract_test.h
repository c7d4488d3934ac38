#pragma once

// The behaviour every DeviceHistorySource must show, instantiated for the table (core_tests) and SetupAPI under
// Wine (win32_tests).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/device_history.h"

namespace wrenhollow::test {

// One record per line: "deviceKey\instanceKey install arrival removal".
inline std::string Describe(const std::vector<DeviceHistoryRecord>& records) {
  std::string text;
  for (const DeviceHistoryRecord& record : records) {
    text += record.deviceKey + "\\" + record.instanceKey + " " + std::to_string(record.firstInstall) + " " +
            std::to_string(record.lastArrival) + " " + std::to_string(record.lastRemoval) + "\n";
  }
  return text;
}

// A Host supplies: DeviceHistorySource& Source(), and bool Plant(const std::vector<DeviceHistoryRecord>&,
// std::string* error), which makes the system record those devices with those times (0: none).
template <typename Host>
class DeviceHistoryContractTest : public testing::Test {
 protected:
  Host host_;
};

TYPED_TEST_SUITE_P(DeviceHistoryContractTest);

TYPED_TEST_P(DeviceHistoryContractTest, AppendsEveryRecordedDeviceWithItsTimes) {
  // Keys as the system reports them (upper case); one device of Windows 8 and later, one of Windows 7.
  const std::vector<DeviceHistoryRecord> planted = {
      {"VID_0781&PID_5530", "200608767007B7C08A6A", 132854321000000000, 133541212290000000, 133541213290000001},
      {"VID_090C&PID_1000", "AA00000000011520", 0x01D9ABCDEF012345, 0, 0},
  };
  std::string error;
  ASSERT_TRUE(this->host_.Plant(planted, &error)) << error;

  std::vector<DeviceHistoryRecord> records = {{"KEPT", "BEFORE", 1, 2, 3}};
  ASSERT_TRUE(this->host_.Source().ReadHistory(records));
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(Describe({records.front()}), "KEPT\\BEFORE 1 2 3\n");
  // The system's own devices may come too: only the planted keys are compared.
  std::vector<DeviceHistoryRecord> read;
  for (const DeviceHistoryRecord& record : records) {
    if (record.deviceKey == "VID_0781&PID_5530" || record.deviceKey == "VID_090C&PID_1000") read.push_back(record);
  }
  EXPECT_EQ(Describe(read),
            "VID_0781&PID_5530\\200608767007B7C08A6A 132854321000000000 133541212290000000 133541213290000001\n"
            "VID_090C&PID_1000\\AA00000000011520 133326564950614853 0 0\n");
  for (const DeviceHistoryRecord& record : records) EXPECT_NE(record.deviceKey, "VID_1B1C&PID_1A03");
}

REGISTER_TYPED_TEST_SUITE_P(DeviceHistoryContractTest, AppendsEveryRecordedDeviceWithItsTimes);

}  // namespace wrenhollow::test
