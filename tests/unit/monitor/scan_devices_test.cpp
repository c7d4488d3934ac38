#include "monitor/scan_devices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/device_records.h"
#include "monitor/device_transitions.h"
#include "monitor/drive_letters.h"
#include "portable/registry_memory.h"
#include "monitor/usb_enumeration.h"
#include "support/golden.h"
#include "support/memory_registry.h"
#include "portable/volume_table.h"

namespace wrenhollow {
namespace {

using test::ApplyReg;
using test::ApplyRegFixture;
using test::Reg5;

const std::string kSystem = "HKEY_LOCAL_MACHINE\\SYSTEM\\";

class ScanTest : public ::testing::Test {
 protected:
  DeviceSnapshot Scan() {
    DeviceSnapshot snapshot;
    ScanDevices(reader_, volumes_, snapshot);
    EXPECT_EQ(hive_.OpenKeyCount(), 0) << "a key was left open";
    return snapshot;
  }

  MemoryHive hive_;
  RegistryReader reader_{hive_};
  VolumeTable volumes_;
};

TEST_F(ScanTest, WithoutSystemKeyNothingIsRead) { EXPECT_EQ(Scan().Count(), 0u); }

// The control set is the one Select's Current names (ControlSet001 without it); a missing one gives nothing.
TEST_F(ScanTest, ControlSetComesFromSelectCurrent) {
  for (const char* set : {"ControlSet001", "ControlSet002", "ControlSet012"}) {
    ApplyReg(hive_, Reg5("[" + kSystem + set + "\\Enum\\USB\\" + set + "\\1]\r\n\r\n"));
  }
  std::string devices;
  for (const char* current : {"", "00000002", "0000000c", "00000003"}) {
    if (*current) ApplyReg(hive_, Reg5("[" + kSystem + "Select]\r\n\"Current\"=dword:" + current + "\r\n"));
    for (const UsbDeviceInfo& info : Scan()) devices += std::string(info.deviceKey) + " ";
    devices += "| ";
  }
  EXPECT_EQ(devices, "ControlSet001 | ControlSet002 | ControlSet012 | | ");
}

// Each scenario's .reg files, which say what it is about, scanned with its volumes: every field of every record
// must equal its golden .scan file. The real hives were captured from machines and their scans checked against
// what hivexregedit shows; offline hives hold no volatile "Linked" values, so nothing in them is attached.
TEST(ScanScenarioTest, EachScenarioScansToItsGolden) {
  struct { const char* golden; std::vector<const char*> fixtures; VolumeTable volumes; } cases[] = {
      {"scan/registry_order", {"scan/registry_order.reg"}, VolumeTable()},
      {"scan/first_link_pass", {"scan/first_link_pass.reg"}, VolumeTable()},
      {"scan/first_link_pass_needs_usb_class", {"scan/first_link_pass_needs_usb_class.reg"}, VolumeTable()},
      {"scan/second_link_pass", {"scan/second_link_pass.reg"}, VolumeTable()},
      {"scan/second_link_pass_cut_name", {"scan/second_link_pass_cut_name.reg"}, VolumeTable()},
      {"scan/storage_children", {"scan/storage_children.reg"}, VolumeTable()},
      {"scan/mounted_devices", {"scan/mounted_devices.reg"}, VolumeTable()},
      {"scan/device_properties", {"scan/device_properties.reg"}, VolumeTable()},
      {"scan/volume_pass", {"scan/volume_pass.reg"},
       VolumeTable({{'D', 3, true, {kFileDeviceDisk, 1, 1}},
        {'E', 2, true, {kFileDeviceDisk, 2, 1}},  // not a USBSTOR disk
        {'F', kDriveRemote, true, {kFileDeviceDisk, 3, 1}},
        {'G', 2, false, {kFileDeviceDisk, 3, 1}},  // does not open
        {'H', 2, true, {2, 3, 1}},                 // not a disk
        {'K', 2, true, {kFileDeviceDisk, 3, 2}},
        {'J', 2, true, {kFileDeviceDisk, 1, 2}}})},
      {"scan/device_fixture", {"devices/common.reg", "devices/plug_after.reg"}, test::ScenarioVolumes()},
      {"hives/system_b", {"hives/system_b.reg"}, VolumeTable()},
      {"hives/system_2", {"hives/system_2.reg"}, VolumeTable()},
  };
  for (auto& c : cases) {
    MemoryHive hive;
    for (const char* fixture : c.fixtures) ApplyRegFixture(hive, fixture);
    DeviceSnapshot snapshot;
    ScanDevices(RegistryReader(hive), c.volumes, snapshot);
    EXPECT_EQ(hive.OpenKeyCount(), 0) << c.golden;
    std::string records;
    for (const UsbDeviceInfo& info : snapshot) records += test::Describe(info) + "\n";
    test::ExpectGolden(std::string(c.golden) + ".scan", records);
  }
}

// Letters keep their discovery order; a present one changes nothing; when all 32 slots are taken, a new one
// replaces the first.
TEST(AddDriveLetterTest, KeepsDiscoveryOrderAndReplacesTheFirstWhenFull) {
  UsbDeviceInfo info{};
  for (char c : std::string("FEF") + "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`") AddDriveLetter(info, c);
  const std::string full = "FEABCDGHIJKLMNOPQRSTUVWXYZ[\\]^_`";
  EXPECT_EQ(std::string(info.driveLetters, kDriveLetterSlots), full);
  AddDriveLetter(info, 'B');
  AddDriveLetter(info, 'z');
  EXPECT_EQ(std::string(info.driveLetters, kDriveLetterSlots), "z" + full.substr(1));
}

TEST(TestLinkedTest, ShortAndEmptyPathsAreSafe) {
  MemoryHive hive;
  ApplyReg(hive, Reg5("[HKEY_LOCAL_MACHINE\\C\\##?#\\#\\Control]\r\n\"Linked\"=dword:00000001\r\n"));
  RegistryReader reader(hive);
  RegKey classKey;
  ASSERT_EQ(hive.OpenKey(kLocalMachine, "C", &classKey), kErrorSuccess);
  UsbDeviceInfo info{};
  info.connected = 1;
  TestLinked(reader, info, classKey);
  EXPECT_EQ(info.connected, 0u);
  for (const char* name : {"ab", "\\??\\"}) {
    std::snprintf(info.symbolicName, sizeof info.symbolicName, "%s", name);
    TestLinked(reader, info, classKey);
    EXPECT_EQ(info.connected, 1u) << name;
  }
  hive.CloseKey(classKey);
  EXPECT_EQ(hive.OpenKeyCount(), 0);
}

}  // namespace
}  // namespace wrenhollow
