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

// Every record a scan finds after the scenario, then every event of its transition.
std::string Describe(RegistrySource& registry, VolumeSource& volumes, const std::vector<DeviceEvent>& events) {
  DeviceSnapshot snapshot;
  ScanDevices(RegistryReader(registry), volumes, snapshot);
  std::string text;
  for (const UsbDeviceInfo& info : snapshot) text += test::Describe(info);
  for (const DeviceEvent& event : events) text += test::Describe(event);
  return text;
}

class TransitionOnWine : public ::testing::TestWithParam<std::string> {};

TEST_P(TransitionOnWine, ScanAndRefreshSeeWhatTheMemoryHiveSees) {
  BothRegistries registries;
  VolumeTable volumes = test::ScenarioVolumes();
  FixedClock clock(kStart);
  test::RecordingMonitor overMemory(registries.memory, volumes, clock);
  test::RecordingMonitor overWine(registries.wine, volumes, clock);
  for (const std::string& file : {std::string("common"), GetParam() + "_before", GetParam() + "_after"}) {
    registries.Apply(file + ".reg");
    clock.Set(clock.NowUtc() + 5'000'000);
    overMemory.Refresh();
    overWine.Refresh();
  }
  const std::string seen = Describe(registries.memory, volumes, overMemory.events);
  EXPECT_NE(seen.find("deviceKey=ROOT_HUB20"), std::string::npos);
  EXPECT_EQ(Describe(registries.wine, volumes, overWine.events), seen);
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
