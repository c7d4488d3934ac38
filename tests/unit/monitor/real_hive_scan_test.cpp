// Scans of SYSTEM hives captured from real machines, checked against what reading them with hivexregedit shows.
// Offline hives hold no volatile "Linked" values, so nothing in them is attached.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "portable/registry_memory.h"
#include "monitor/scan_devices.h"
#include "support/memory_registry.h"
#include "portable/volume_table.h"

namespace wrenhollow {
namespace {

// Device, instance, description, serial number, drive letters, class code and firmware revision of a record.
using Row = std::tuple<std::string, std::string, std::string, std::string, std::string, uint32_t, uint32_t>;

std::vector<Row> ScanHive(const char* fixture) {
  MemoryHive hive;
  test::ApplyRegFixture(hive, fixture);
  VolumeTable noVolumes;
  DeviceSnapshot snapshot;
  ScanDevices(RegistryReader(hive), noVolumes, snapshot);
  EXPECT_EQ(hive.OpenKeyCount(), 0);
  std::vector<Row> rows;
  for (const UsbDeviceInfo& info : snapshot) {
    EXPECT_EQ(info.connected, 0u) << info.deviceKey;
    rows.emplace_back(info.deviceKey, info.instanceKey, info.description, info.serialNumber,
                      std::string(info.driveLetters, strnlen(info.driveLetters, kDriveLetterSlots)), info.classCode,
                      info.firmwareRevision);
  }
  return rows;
}

TEST(RealHiveScan, WindowsLaptopWithTwoSticksAndAWebcam) {
  EXPECT_EQ(ScanHive("hives/system_b.reg"),
            (std::vector<Row>{
                 {"ROOT_HUB20", "4&1671a21&0", "USB Root Hub", "", "", 0, 0},
                 {"ROOT_HUB20", "4&b21407d&0", "USB Root Hub", "", "", 0, 0},
                 {"ROOT_HUB30", "4&2d689036&0&0", "USB Root Hub (USB 3.0)", "", "", 0, 0},
                 // Both sticks take their USBSTOR child's name; only the second has a volume letter, D:, named
                 // by its serial number in MountedDevices.
                 {"VID_0781&PID_5580", "AA010215170355310594", "SanDisk Extreme USB Device", "AA010215170355310594",
                  "", 0x08, 10},
                 {"VID_0781&PID_5580", "AA010603160707470215", "SanDisk Extreme USB Device", "AA010603160707470215",
                  "D", 0x08, 10},
                 {"VID_0C45&PID_643F", "6&c0f0d73&0&5", "USB Composite Device", "", "", 0, 2806},
                 {"VID_0C45&PID_643F&MI_00", "7&2bca401f&0&0000", "USB Video Device", "", "", 0x0E, 2806},
                 {"VID_413C&PID_8197", "28E347017777", "Dell Wireless 380 Bluetooth 4.0 Module", "28E347017777", "",
                  0xFF, 112},
                 {"VID_8087&PID_0024", "5&182c2717&0&1", "Generic USB Hub", "", "", 0x09, 0},
                 {"VID_8087&PID_0024", "5&2cd6d949&0&1", "Generic USB Hub", "", "", 0x09, 0},
            }));
}

TEST(RealHiveScan, VirtualMachineWithATablet) {
  EXPECT_EQ(ScanHive("hives/system_2.reg"),
            (std::vector<Row>{{"ROOT_HUB", "4&65dfc83&0", "USB Root Hub", "", "", 0, 0},
                              {"ROOT_HUB20", "4&280d2b25&0", "USB Root Hub", "", "", 0, 0},
                              {"VID_80EE&PID_0021", "5&2d7ae1ff&0&1", "USB Input Device", "", "", 0x03, 100}}));
}

}  // namespace
}  // namespace wrenhollow
