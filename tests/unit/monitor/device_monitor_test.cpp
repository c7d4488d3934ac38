#include "monitor/device_monitor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/device_transitions.h"
#include "monitor/registry_memory.h"
#include "support/memory_registry.h"

namespace wrenhollow {
namespace {

using test::ApplyReg;
using test::ApplyRegFixture;
using test::RecordingMonitor;
using test::Reg5;

constexpr FileTime kStart = 133541212290000000;  // 2024-03-05 14:07:09 UTC

struct Expected {
  const char* device;
  const char* instance;
  EventType type;
  const char* driveLetters;
};

class DeviceMonitorTest : public ::testing::Test {
 protected:
  std::vector<DeviceEvent> RunScenario(const std::string& name) {
    ApplyRegFixture(hive_, "devices/common.reg");
    ApplyRegFixture(hive_, "devices/" + name + "_before.reg");
    monitor_.Refresh();
    EXPECT_TRUE(monitor_.events.empty()) << "the first refresh is a baseline";
    ApplyRegFixture(hive_, "devices/" + name + "_after.reg");
    clock_.Set(kStart + 10'000'000);
    monitor_.Refresh();
    EXPECT_EQ(hive_.OpenKeyCount(), 0);
    return monitor_.events;
  }

  void ExpectEvents(const std::vector<DeviceEvent>& events, const std::vector<Expected>& expected) {
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < events.size(); ++i) {
      EXPECT_STREQ(events[i].device.deviceKey, expected[i].device);
      EXPECT_STREQ(events[i].device.instanceKey, expected[i].instance);
      EXPECT_EQ(events[i].type, expected[i].type);
      EXPECT_STREQ(events[i].device.driveLetters, expected[i].driveLetters);
      EXPECT_EQ(events[i].time, kStart + 10'000'000);
    }
  }

  MemoryHive hive_;
  VolumeTable volumes_ = test::ScenarioVolumes();
  FixedClock clock_{kStart};
  RecordingMonitor monitor_{hive_, volumes_, clock_};
};

TEST_F(DeviceMonitorTest, PlugOfANewDevice) {
  const auto events = RunScenario("plug");
  ExpectEvents(events, {{"VID_0781&PID_5567", "4C530001230105117312", EventType::Plug, "EFG"}});
  EXPECT_STREQ(events[0].device.description, "SanDisk Cruzer Blade USB Device");
  EXPECT_EQ(events[0].device.connected, 1u);
}

TEST_F(DeviceMonitorTest, ReplugOfAKnownDevice) {
  ExpectEvents(RunScenario("replug"), {{"VID_0781&PID_5567", "4C530001230105117312", EventType::Plug, "EFG"}});
}

TEST_F(DeviceMonitorTest, UnplugCarriesWhatTheLaterReadingSaw) {
  const auto events = RunScenario("unplug");
  // The volume pass no longer finds G:; the mounted-device names outlive the device.
  ExpectEvents(events, {{"VID_0781&PID_5567", "4C530001230105117312", EventType::Unplug, "EF"}});
  EXPECT_EQ(events[0].device.connected, 0u);
}

TEST_F(DeviceMonitorTest, CompositeDeviceReportsEachRecord) {
  const auto events = RunScenario("composite");
  ExpectEvents(events, {{"VID_046D&PID_C52B", "5&2c9a7b1&0&1", EventType::Plug, ""},
                        {"VID_046D&PID_C52B&MI_00", "6&35f4ba1e&0&0000", EventType::Plug, ""},
                        {"VID_046D&PID_C52B&MI_01", "6&35f4ba1e&0&0001", EventType::Plug, ""}});
  EXPECT_STREQ(events[0].device.description, "USB Composite Device");
  for (const DeviceEvent& event : events) EXPECT_EQ(event.device.connected, 1u);
}

TEST_F(DeviceMonitorTest, NoChangeReportsNothing) { EXPECT_TRUE(RunScenario("no_change").empty()); }

TEST_F(DeviceMonitorTest, IdentityIgnoresCase) { EXPECT_TRUE(RunScenario("case_only").empty()); }

TEST_F(DeviceMonitorTest, EveryLaterRefreshComparesWithTheOneBefore) {
  RunScenario("plug");
  monitor_.Refresh();
  monitor_.Refresh();
  EXPECT_EQ(monitor_.events.size(), 1u);
}

TEST_F(DeviceMonitorTest, DisconnectedNewDeviceIsStillAPlugAndMissingRecordsAreSilent) {
  ApplyRegFixture(hive_, "devices/common.reg");
  monitor_.Refresh();
  ApplyReg(hive_, Reg5("[-HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Enum\\USB\\VID_8087&PID_0A2B]\r\n\r\n"
                       "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Enum\\USB\\VID_1234&PID_0001\\1]\r\n"));
  monitor_.Refresh();
  ASSERT_EQ(monitor_.events.size(), 1u);
  EXPECT_STREQ(monitor_.events[0].device.deviceKey, "VID_1234&PID_0001");
  EXPECT_EQ(monitor_.events[0].type, EventType::Plug);
  EXPECT_EQ(monitor_.events[0].device.connected, 0u);
}

TEST_F(DeviceMonitorTest, AnUnreadableSystemKeyMakesEverythingNewAfterwards) {
  ApplyRegFixture(hive_, "devices/common.reg");
  monitor_.Refresh();
  const std::string saved = test::ReadFixture("devices/common.reg");
  ApplyReg(hive_, Reg5("[-HKEY_LOCAL_MACHINE\\SYSTEM]\r\n"));
  monitor_.Refresh();
  EXPECT_TRUE(monitor_.events.empty());
  ApplyReg(hive_, saved);
  monitor_.Refresh();
  EXPECT_EQ(monitor_.events.size(), 6u) << "every recorded device, attached or not";
}

TEST_F(DeviceMonitorTest, TheFirstRecordOfAnIdentityIsTheOneComparedWith) {
  // Instance names that agree in their first 126 characters give two records of one identity.
  const std::string stem(126, 'X');
  std::string reg;
  for (const auto& [last, linked] : {std::pair{'A', 0}, std::pair{'B', 1}}) {
    const std::string instance = stem + last;
    const std::string symbolic = "USB#VID_1&PID_1#" + instance + "#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
    reg += "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Enum\\USB\\VID_1&PID_1\\" + instance +
           "\\Device Parameters]\r\n\"SymbolicName\"=\"\\\\??\\\\" + symbolic + "\"\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Control\\DeviceClasses\\"
           "{a5dcbf10-6530-11d2-901f-00c04fb951ed}\\##?#" + symbolic + "\\#\\Control]\r\n\"Linked\"=dword:0000000" +
           std::to_string(linked) + "\r\n\r\n";
  }
  ApplyReg(hive_, Reg5(reg));
  monitor_.Refresh();
  monitor_.Refresh();
  // Nothing changed, but the attached second record is compared with the detached first one.
  ASSERT_EQ(monitor_.events.size(), 1u);
  EXPECT_EQ(monitor_.events[0].type, EventType::Plug);
  EXPECT_EQ(monitor_.events[0].device.connected, 1u);
  EXPECT_EQ(std::string(monitor_.events[0].device.instanceKey), stem);
}

}  // namespace
}  // namespace wrenhollow
