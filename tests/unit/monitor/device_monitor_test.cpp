#include "monitor/device_monitor.h"

#include <gtest/gtest.h>

#include <string>

#include "monitor/device_records.h"
#include "monitor/device_transitions.h"
#include "portable/clock_fixed.h"
#include "support/golden.h"
#include "support/memory_registry.h"

namespace wrenhollow {
namespace {

using test::ApplyRegFixture;

constexpr FileTime kStart = 133541212290000000;  // 2024-03-05 14:07:09 UTC

// A monitor over a memory hive holding common.reg, with the scenarios' volumes and a fixed clock.
struct MonitorRig {
  MonitorRig() { ApplyRegFixture(hive, "devices/common.reg"); }
  ~MonitorRig() { EXPECT_EQ(hive.OpenKeyCount(), 0); }

  MemoryHive hive;
  VolumeTable volumes = test::ScenarioVolumes();
  FixedClock clock{kStart};
  test::RecordingMonitor monitor{hive, volumes, clock};
};

// The first refresh is a baseline; every field of every event of the next, stamped with its time, must equal
// the golden <scenario>.events, and every later refresh compares with the one before.
TEST(DeviceMonitorTest, EachFixtureTransitionReportsItsEventsOnce) {
  for (const std::string& scenario : test::DeviceScenarios()) {
    MonitorRig rig;
    ApplyRegFixture(rig.hive, "devices/" + scenario + "_before.reg");
    rig.monitor.Refresh();
    EXPECT_TRUE(rig.monitor.events.empty()) << scenario;
    ApplyRegFixture(rig.hive, "devices/" + scenario + "_after.reg");
    rig.clock.Set(kStart + 10'000'000);
    for (int i = 0; i < 3; ++i) rig.monitor.Refresh();
    std::string events;
    for (const DeviceEvent& event : rig.monitor.events) events += test::Describe(event) + "\n";
    test::ExpectGolden("devices/" + scenario + ".events", events);
  }
}

TEST(DeviceMonitorTest, AnUnreadableSystemKeyMakesEverythingNewAfterwards) {
  MonitorRig rig;
  rig.monitor.Refresh();
  test::ApplyReg(rig.hive, test::Reg5("[-HKEY_LOCAL_MACHINE\\SYSTEM]\r\n"));
  rig.monitor.Refresh();
  EXPECT_TRUE(rig.monitor.events.empty());
  ApplyRegFixture(rig.hive, "devices/common.reg");
  rig.monitor.Refresh();
  EXPECT_EQ(rig.monitor.events.size(), 6u) << "every recorded device, attached or not";
}

}  // namespace
}  // namespace wrenhollow
