#include "monitor/device_monitor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/device_records.h"
#include "monitor/device_transitions.h"
#include "portable/registry_memory.h"
#include "support/golden.h"
#include "support/memory_registry.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"

namespace wrenhollow {
namespace {

using test::ApplyReg;
using test::ApplyRegFixture;
using test::RecordingMonitor;
using test::Reg5;

constexpr FileTime kStart = 133541212290000000;  // 2024-03-05 14:07:09 UTC

// A monitor over a memory hive, with the scenarios' volumes and a fixed clock.
struct MonitorRig {
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

  MemoryHive hive_;
  VolumeTable volumes_ = test::ScenarioVolumes();
  FixedClock clock_{kStart};
  RecordingMonitor monitor_{hive_, volumes_, clock_};
};

class DeviceMonitorTest : public ::testing::Test, public MonitorRig {};

// Every field of every event, stamped with the later reading's time, must equal the golden <scenario>.events.
TEST_F(DeviceMonitorTest, EachFixtureTransitionReportsItsEventsOnce) {
  for (const std::string& scenario : test::DeviceScenarios()) {
    MonitorRig run;
    std::string events;
    for (const DeviceEvent& event : run.RunScenario(scenario)) events += test::Describe(event) + "\n";
    test::ExpectGolden("devices/" + scenario + ".events", events);
    // Every later refresh compares with the one before.
    const size_t count = run.monitor_.events.size();
    run.monitor_.Refresh();
    run.monitor_.Refresh();
    EXPECT_EQ(run.monitor_.events.size(), count) << scenario;
  }
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
