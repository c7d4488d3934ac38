// The monitor over Wine's real registry must see exactly what it sees over the in-memory hive holding the same
// keys: the same records and, for every fixture transition, the same events.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/device_records.h"
#include "monitor/device_transitions.h"
#include "portable/registry_memory.h"
#include "monitor/registry_win32.h"
#include "monitor/scan_devices.h"
#include "monitor/volumes_win32.h"
#include "support/fixture_path.h"
#include "support/memory_registry.h"
#include "support/wine_registry.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"

namespace wrenhollow {
namespace {

constexpr FileTime kStart = 133541212290000000;

// Puts a fixture into both registries.
class BothRegistries {
 public:
  BothRegistries() { Apply("reset.reg"); }

  void Apply(const std::string& name) {
    std::string error;
    ASSERT_TRUE(test::ImportRegFile(test::FixturePath("devices/" + name), &error)) << error;
    test::ApplyRegFixture(memory, "devices/" + name);
  }

  MemoryHive memory;
  Win32Registry wine;
};

std::vector<std::string> Describe(const std::vector<DeviceEvent>& events) {
  std::vector<std::string> texts;
  for (const DeviceEvent& event : events) texts.push_back(test::Describe(event));
  return texts;
}

TEST(DeviceMonitorOnWine, ScanMatchesTheMemoryHive) {
  BothRegistries registries;
  registries.Apply("common.reg");
  registries.Apply("plug_after.reg");
  VolumeTable volumes = test::ScenarioVolumes();
  std::vector<std::string> seen[2];
  RegistrySource* sources[2] = {&registries.memory, &registries.wine};
  for (int i = 0; i < 2; ++i) {
    DeviceSnapshot snapshot;
    ScanDevices(RegistryReader(*sources[i]), volumes, snapshot);
    for (const UsbDeviceInfo& info : snapshot) seen[i].push_back(test::Describe(info));
  }
  EXPECT_EQ(seen[0].size(), 7u);
  EXPECT_EQ(seen[1], seen[0]);
}

class TransitionOnWine : public ::testing::TestWithParam<std::string> {};

TEST_P(TransitionOnWine, RefreshReportsWhatTheMemoryHiveReports) {
  BothRegistries registries;
  VolumeTable volumes = test::ScenarioVolumes();
  FixedClock clock(kStart);
  test::RecordingMonitor overMemory(registries.memory, volumes, clock);
  test::RecordingMonitor overWine(registries.wine, volumes, clock);

  registries.Apply("common.reg");
  registries.Apply(GetParam() + "_before.reg");
  overMemory.Refresh();
  overWine.Refresh();
  registries.Apply(GetParam() + "_after.reg");
  clock.Set(kStart + 5'000'000);
  overMemory.Refresh();
  overWine.Refresh();

  EXPECT_EQ(Describe(overWine.events), Describe(overMemory.events));
  if (GetParam() != "no_change" && GetParam() != "case_only") {
    EXPECT_FALSE(overWine.events.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, TransitionOnWine, ::testing::ValuesIn(test::DeviceScenarios()),
                         [](const auto& info) { return info.param; });

TEST(Win32VolumesTest, AnswersForWinesDrives) {
  Win32Volumes volumes;
  const uint32_t drives = volumes.LogicalDrives();
  EXPECT_NE(drives & (1u << ('C' - 'A')), 0u);
  EXPECT_EQ(volumes.DriveType('C'), static_cast<uint32_t>(DRIVE_FIXED));
  EXPECT_EQ(volumes.DriveType('Q'), static_cast<uint32_t>(DRIVE_NO_ROOT_DIR));
  StorageDeviceNumber number = {99, 99, 99};
  EXPECT_FALSE(volumes.QueryDeviceNumber('Q', &number));  // no such volume
  EXPECT_EQ(number.deviceType, 99u);
}

}  // namespace
}  // namespace wrenhollow
