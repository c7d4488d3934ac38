#include "monitor/scan_devices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/device_transitions.h"
#include "monitor/drive_letters.h"
#include "portable/registry_memory.h"
#include "monitor/usb_enumeration.h"
#include "support/memory_registry.h"
#include "portable/volume_table.h"

namespace wrenhollow {
namespace {

using test::ApplyReg;
using test::ApplyRegFixture;
using test::Reg5;

const std::string kSystem = "HKEY_LOCAL_MACHINE\\SYSTEM\\";
const std::string kUsb = kSystem + "ControlSet001\\Enum\\USB\\";
const std::string kUsbClass = kSystem + "ControlSet001\\Control\\DeviceClasses\\{a5dcbf10-6530-11d2-901f-00c04fb951ed}\\";

std::string Utf16Hex(const std::string& text) {
  std::string hex;
  for (char c : text) {
    char pair[8];
    std::snprintf(pair, sizeof pair, "%02x,00,", static_cast<unsigned char>(c));
    hex += pair;
  }
  if (!hex.empty()) hex.pop_back();
  return hex;
}

// An instance key with the given values, and optionally its interface path.
std::string Instance(const std::string& device, const std::string& instance, const std::string& values,
                     const std::string& symbolicName = "") {
  std::string text = "[" + kUsb + device + "\\" + instance + "]\r\n" + values + "\r\n";
  if (!symbolicName.empty()) {
    std::string escaped;
    for (char c : symbolicName) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    text += "[" + kUsb + device + "\\" + instance + "\\Device Parameters]\r\n\"SymbolicName\"=\"" + escaped +
            "\"\r\n\r\n";
  }
  return text;
}

std::string Linked(const std::string& classKey, const std::string& interfaceName, int linked) {
  return "[" + classKey + interfaceName + "\\#\\Control]\r\n\"Linked\"=dword:0000000" + std::to_string(linked) +
         "\r\n\r\n";
}

class ScanTest : public ::testing::Test {
 protected:
  DeviceSnapshot Scan() {
    DeviceSnapshot snapshot;
    ScanDevices(reader_, volumes_, snapshot);
    EXPECT_EQ(hive_.OpenKeyCount(), 0) << "a key was left open";
    return snapshot;
  }

  // Each record's connected flag, in registry order.
  std::string Connected() {
    std::string flags;
    for (const UsbDeviceInfo& info : Scan()) flags += std::to_string(info.connected);
    return flags;
  }

  const UsbDeviceInfo* Find(const DeviceSnapshot& snapshot, const char* device, const char* instance) {
    for (const UsbDeviceInfo& info : snapshot) {
      if (std::string(info.deviceKey) == device && std::string(info.instanceKey) == instance) return &info;
    }
    ADD_FAILURE() << "no record " << device << "\\" << instance;
    return nullptr;
  }

  MemoryHive hive_;
  RegistryReader reader_{hive_};
  VolumeTable volumes_;
};

TEST_F(ScanTest, WithoutSystemKeyNothingIsRead) { EXPECT_EQ(Scan().Count(), 0u); }

TEST_F(ScanTest, ControlSetComesFromSelectCurrent) {
  for (const char* set : {"ControlSet001", "ControlSet002", "ControlSet012"}) {
    ApplyReg(hive_, Reg5("[" + kSystem + set + "\\Enum\\USB\\" + set + "\\1]\r\n\r\n"));
  }
  auto onlyDevice = [&] {
    const DeviceSnapshot snapshot = Scan();
    return snapshot.Count() == 1 ? std::string(snapshot[0].deviceKey) : std::string("?");
  };
  EXPECT_EQ(onlyDevice(), "ControlSet001");  // no Select key
  ApplyReg(hive_, Reg5("[" + kSystem + "Select]\r\n\"Current\"=dword:00000002\r\n"));
  EXPECT_EQ(onlyDevice(), "ControlSet002");
  ApplyReg(hive_, Reg5("[" + kSystem + "Select]\r\n\"Current\"=dword:0000000c\r\n"));
  EXPECT_EQ(onlyDevice(), "ControlSet012");
  ApplyReg(hive_, Reg5("[" + kSystem + "Select]\r\n\"Current\"=dword:00000003\r\n"));
  EXPECT_EQ(onlyDevice(), "?");  // ControlSet003 does not exist
}

TEST_F(ScanTest, RecordsFollowRegistryOrderAndCarryIdentifiers) {
  ApplyReg(hive_, Reg5(Instance("Vid_046d&Pid_c52b&MI_00", "b", "") + Instance("ROOT_HUB20", "4&1&0", "") +
                       Instance("Vid_0781&Pid_5567", "2", "") + Instance("Vid_0781&Pid_5567", "1", "") +
                       Instance("Vid_xyz&Pid_", "1", "") + Instance("Vid_0781", "1", "")));
  const DeviceSnapshot snapshot = Scan();
  ASSERT_EQ(snapshot.Count(), 6u);
  const struct { const char* device; const char* instance; uint32_t vendorId; uint32_t productId; } expected[] = {
      {"ROOT_HUB20", "4&1&0", 0, 0},          {"Vid_046d&Pid_c52b&MI_00", "b", 0x046D, 0xC52B},
      {"Vid_0781", "1", 0, 0},                {"Vid_0781&Pid_5567", "1", 0x0781, 0x5567},
      {"Vid_0781&Pid_5567", "2", 0x0781, 0x5567}, {"Vid_xyz&Pid_", "1", 0, 0},
  };
  for (size_t i = 0; i < snapshot.Count(); ++i) {
    EXPECT_STREQ(snapshot[i].deviceKey, expected[i].device);
    EXPECT_STREQ(snapshot[i].instanceKey, expected[i].instance);
    EXPECT_EQ(snapshot[i].vendorId, expected[i].vendorId) << expected[i].device;
    EXPECT_EQ(snapshot[i].productId, expected[i].productId) << expected[i].device;
    EXPECT_EQ(snapshot[i].connected, 0u);
  }
}

TEST_F(ScanTest, FirstLinkPassTestsEachPathUnderItsOwnClass) {
  const std::string hidClass = "{4d1e55b2-f16f-11cf-88cb-001111000030}";
  ApplyReg(hive_, Reg5(
      Instance("VID_1&PID_1", "a", "", "\\??\\USB#VID_1&PID_1#a#{A5DCBF10-6530-11D2-901F-00C04FB951ED}") +
      Linked(kUsbClass, "##?#USB#VID_1&PID_1#a#{A5DCBF10-6530-11D2-901F-00C04FB951ED}", 1) +
      Instance("VID_1&PID_2", "b", "", "\\??\\USB#VID_1&PID_2&MI_01#b#" + hidClass) +
      Linked(kSystem + "ControlSet001\\Control\\DeviceClasses\\" + hidClass + "\\",
             "##?#USB#VID_1&PID_2&MI_01#b#" + hidClass, 1) +
      Instance("VID_1&PID_3", "c", "", "\\??\\USB#VID_1&PID_3#c#no-brace") +
      Linked(kUsbClass, "##?#USB#VID_1&PID_3#c#no-brace", 1) +
      Instance("VID_1&PID_4", "d", "", "\\??\\USB#VID_1&PID_4#d#{a5dcbf10-6530-11d2-901f-00c04fb951ed}") +
      Linked(kUsbClass, "##?#USB#VID_1&PID_4#d#{a5dcbf10-6530-11d2-901f-00c04fb951ed}", 0) +
      Instance("VID_1&PID_5", "e", "", "\\??\\USB#VID_1&PID_5#e#{a5dcbf10-6530-11d2-901f-00c04fb951ed}")));
  // The USB class with an upper-case GUID, the HID class in its own key; no "{": not tested; Linked = 0; no key.
  EXPECT_EQ(Connected(), "11000");
}

TEST_F(ScanTest, FirstLinkPassNeedsTheUsbClassKey) {
  const std::string hidClass = "{4d1e55b2-f16f-11cf-88cb-001111000030}";
  ApplyReg(hive_, Reg5(Instance("VID_1&PID_2", "b", "", "\\??\\USB#VID_1&PID_2#b#" + hidClass) +
                       Linked(kSystem + "ControlSet001\\Control\\DeviceClasses\\" + hidClass + "\\",
                              "##?#USB#VID_1&PID_2#b#" + hidClass, 1)));
  EXPECT_EQ(Connected(), "0");
}

TEST_F(ScanTest, SecondLinkPassMatchesInterfaceNamesAndTheLastMatchDecides) {
  const std::string classes = kSystem + "ControlSet001\\Control\\DeviceClasses\\";
  ApplyReg(hive_, Reg5(
      Instance("VID_0BDA&PID_0129", "2010", "") +
      // Both interfaces name the device; the later class in enumeration order decides.
      Linked(classes + "{00000001-0000-0000-0000-000000000000}\\", "##?#USB#vid_0bda&pid_0129#2010#{x}", 1) +
      Linked(classes + "{00000002-0000-0000-0000-000000000000}\\", "##?#USB#VID_0BDA&PID_0129#2010#{y}", 0) +
      Instance("VID_0BDA&PID_0130", "77", "") +
      Linked(classes + "{00000001-0000-0000-0000-000000000000}\\", "##?#prefix VID_0BDA&PID_0130#77 suffix", 1) +
      Instance("VID_0BDA&PID_0131", "88", "") +
      Linked(classes + "{00000001-0000-0000-0000-000000000000}\\", "##?#USB#VID_0BDA&PID_0131#889#{x}", 0) +
      Instance("VID_0BDA&PID_0132", "5", "")));
  // The pattern may sit anywhere in the name; "88" also occurs inside "889", whose Linked is 0; no interface.
  EXPECT_EQ(Connected(), "0100");
  for (const UsbDeviceInfo& info : Scan()) EXPECT_STREQ(info.symbolicName, "");
}

TEST_F(ScanTest, SecondLinkPassUsesTheInterfaceNameCutTo254Characters) {
  const std::string classes = kSystem + "ControlSet001\\Control\\DeviceClasses\\{c}\\";
  const std::string shortName = "##?#USB#VID_1&PID_1#s#" + std::string(232, 'x');  // 254 characters
  const std::string longName = "##?#USB#VID_1&PID_2#l#" + std::string(233, 'x');   // 255, the most a key name has
  ApplyReg(hive_, Reg5(Instance("VID_1&PID_1", "s", "") + Linked(classes, shortName, 1) +
                       Instance("VID_1&PID_2", "l", "") + Linked(classes, longName, 1)));
  EXPECT_EQ(Connected(), "10");  // the cut name opens no key
}

TEST_F(ScanTest, StorageChildrenGiveNamesToEveryRecordOfTheirSerial) {
  const std::string usbstor = kSystem + "ControlSet001\\Enum\\USBSTOR\\";
  ApplyReg(hive_, Reg5(
      Instance("VID_0781&PID_5567", "4C53", "\"DeviceDesc\"=\"USB Mass Storage Device\"\r\n\"ParentIdPrefix\"=\"6&1\"") +
      Instance("VID_0781&PID_5568", "4c53", "\"DeviceDesc\"=\"Second\"") +
      Instance("VID_0781&PID_5569", "9999", "\"DeviceDesc\"=\"Kept\"\r\n\"ParentIdPrefix\"=\"6&2\"") +
      "[" + usbstor + "Disk&Ven_SanDisk&Prod_Cruzer\\4C53&0]\r\n\"FriendlyName\"=\"SanDisk Cruzer USB Device\"\r\n"
      "\"ParentIdPrefix\"=\"7&2a5b3c9&0\"\r\n\r\n" +
      "[" + usbstor + "Disk&Ven_X&Prod_Y\\9999]\r\n\"FriendlyName\"=\"\"\r\n\r\n"));
  const DeviceSnapshot snapshot = Scan();
  ASSERT_EQ(snapshot.Count(), 3u);
  for (int i : {0, 1}) {
    EXPECT_STREQ(snapshot[i].description, "SanDisk Cruzer USB Device");
    EXPECT_STREQ(snapshot[i].parentIdPrefix, "7&2a5b3c9&0");
    EXPECT_STREQ(snapshot[i].storageDeviceKey, "Disk&Ven_SanDisk&Prod_Cruzer");
    EXPECT_STREQ(snapshot[i].storageInstanceKey, "4C53&0");
  }
  // A child without "&" matches by its whole name; its empty texts replace nothing.
  EXPECT_STREQ(snapshot[2].storageDeviceKey, "Disk&Ven_X&Prod_Y");
  EXPECT_STREQ(snapshot[2].storageInstanceKey, "9999");
  EXPECT_STREQ(snapshot[2].description, "Kept");
  EXPECT_STREQ(snapshot[2].parentIdPrefix, "6&2");
}

TEST_F(ScanTest, MountedDevicesMatchParentIdPrefixAndSerialNumber) {
  ApplyReg(hive_, Reg5(
      Instance("VID_1&PID_1", "SERIAL12345", "\"Capabilities\"=dword:00000010\r\n\"ParentIdPrefix\"=\"7&abc&0\"") +
      Instance("VID_1&PID_2", "1234", "\"Capabilities\"=dword:00000010\r\n\"ParentIdPrefix\"=\"7&ab\"") +
      "[" + kSystem + "MountedDevices]\r\n"
      "\"\\\\DosDevices\\\\C:\"=hex:5c,3f,3f,00,01,02,03,04\r\n"
      "\"\\\\DosDevices\\\\H:\"=hex:" + Utf16Hex("_??_USBSTOR#Disk#serial12345&0#{x}") + "\r\n"
      "\"\\\\DosDevices\\\\E:\"=hex:" + Utf16Hex("\\??\\STORAGE#RemovableMedia#7&ABC&0&RM#{x}") + "\r\n"
      "\"\\\\DosDevices\\\\G:\"=hex:" + Utf16Hex("\\??\\STORAGE#RemovableMedia#7&ab&1234#{x}") + "\r\n"
      // Odd length: the zero bytes written after the data complete the last byte into a character.
      "\"\\\\DosDevices\\\\_:\"=hex:" + Utf16Hex("\\??\\7&abc&0") + ",41\r\n"
      "\"\\\\DosDevices\\\\`:\"=hex:" + Utf16Hex("\\??\\7&abc&0") + "\r\n"));
  const DeviceSnapshot snapshot = Scan();
  ASSERT_EQ(snapshot.Count(), 2u);
  EXPECT_STREQ(snapshot[0].driveLetters, "EH_`");  // in code order, up to 0x60
  EXPECT_STREQ(snapshot[1].driveLetters, "");     // prefix and serial of 4 characters are too short to match
}

TEST_F(ScanTest, VolumePassMapsDiskNumbersToStorageChildren) {
  ApplyReg(hive_, Reg5(
      Instance("VID_1&PID_1", "S1", "") + Instance("VID_1&PID_2", "S2", "") +
      "[" + kSystem + "ControlSet001\\Enum\\USBSTOR\\Disk&Ven_A\\S1&0]\r\n\r\n" +
      "[" + kSystem + "ControlSet001\\Enum\\USBSTOR\\Disk&Ven_B\\S2&0]\r\n\r\n" +
      "[" + kSystem + "CurrentControlSet\\Services\\Disk\\Enum]\r\n"
      "\"1\"=\"usbstor\\\\DISK&VEN_A\\\\s1&0\"\r\n"
      "\"2\"=\"SCSI\\\\Disk&Ven_B\\\\S2&0\"\r\n"
      "\"3\"=\"USBSTOR\\\\Disk&Ven_B\\\\S2&0\"\r\n"));
  volumes_ = VolumeTable({
      {'D', 3, true, {kFileDeviceDisk, 1, 1}},
      {'E', 2, true, {kFileDeviceDisk, 2, 1}},   // not a USBSTOR disk
      {'F', kDriveRemote, true, {kFileDeviceDisk, 3, 1}},
      {'G', 2, false, {kFileDeviceDisk, 3, 1}},  // does not open
      {'H', 2, true, {2, 3, 1}},                 // not a disk
      {'K', 2, true, {kFileDeviceDisk, 3, 2}},
      {'J', 2, true, {kFileDeviceDisk, 1, 2}},
  });
  const DeviceSnapshot snapshot = Scan();
  EXPECT_STREQ(snapshot[0].driveLetters, "DJ");
  EXPECT_STREQ(snapshot[1].driveLetters, "K");
}

TEST(AddDriveLetterTest, KeepsDiscoveryOrderAndReplacesTheFirstWhenFull) {
  UsbDeviceInfo info{};
  AddDriveLetter(info, 'F');
  AddDriveLetter(info, 'E');
  AddDriveLetter(info, 'F');
  EXPECT_STREQ(info.driveLetters, "FE");
  for (char c = 'A'; c < 'A' + 32; ++c) AddDriveLetter(info, c);
  EXPECT_EQ(std::string(info.driveLetters, kDriveLetterSlots).substr(0, 4), "FEAB");
  EXPECT_EQ(info.driveLetters[31], '`');
  AddDriveLetter(info, 'B');  // present: no change
  EXPECT_EQ(info.driveLetters[0], 'F');
  AddDriveLetter(info, 'z');
  EXPECT_EQ(info.driveLetters[0], 'z');
  EXPECT_EQ(info.driveLetters[1], 'E');
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

// The device fixtures scanned whole: what a person reading the keys would list.
TEST_F(ScanTest, DeviceFixtureAsAPersonWouldReadIt) {
  ApplyRegFixture(hive_, "devices/common.reg");
  ApplyRegFixture(hive_, "devices/plug_after.reg");
  volumes_ = test::ScenarioVolumes();
  const DeviceSnapshot snapshot = Scan();
  std::vector<std::string> names;
  for (const UsbDeviceInfo& info : snapshot) names.push_back(std::string(info.deviceKey) + "\\" + info.instanceKey);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "ROOT_HUB20\\4&1671a21&0", "ROOT_HUB30\\4&2b4a1e7&0&0",
                       "VID_0781&PID_5567\\4C530001230105117312", "VID_090C&PID_1000\\AA00000000011111",
                       "VID_0BDA&PID_0129\\20100201396000000", "VID_2341&PID_0043\\75833353035351F0E1A1",
                       "VID_8087&PID_0A2B\\5&2ba2f4d&0&7"}));

  const UsbDeviceInfo* stick = Find(snapshot, "VID_0781&PID_5567", "4C530001230105117312");
  ASSERT_NE(stick, nullptr);
  EXPECT_STREQ(stick->description, "SanDisk Cruzer Blade USB Device");
  EXPECT_STREQ(stick->serialNumber, "4C530001230105117312");
  EXPECT_STREQ(stick->parentIdPrefix, "7&2a5b3c9&0");
  EXPECT_STREQ(stick->storageDeviceKey, "Disk&Ven_SanDisk&Prod_Cruzer_Blade&Rev_1.26");
  EXPECT_STREQ(stick->storageInstanceKey, "4C530001230105117312&0");
  EXPECT_STREQ(stick->driveLetters, "EFG");
  EXPECT_EQ(stick->firmwareRevision, 126u);
  EXPECT_EQ(stick->classCode, 8u);
  EXPECT_EQ(stick->protocolCode, 0x50u);
  EXPECT_EQ(stick->connected, 1u);

  const UsbDeviceInfo* hub = Find(snapshot, "ROOT_HUB20", "4&1671a21&0");
  ASSERT_NE(hub, nullptr);
  EXPECT_STREQ(hub->description, "USB Root Hub");
  EXPECT_STREQ(hub->serialNumber, "");
  EXPECT_EQ(hub->vendorId, 0u);
  EXPECT_EQ(hub->firmwareRevision, 0u);
  EXPECT_EQ(hub->connected, 1u);

  const UsbDeviceInfo* arduino = Find(snapshot, "VID_2341&PID_0043", "75833353035351F0E1A1");
  ASSERT_NE(arduino, nullptr);
  EXPECT_STREQ(arduino->portName, "COM3");
  EXPECT_STREQ(arduino->description, "Arduino Uno (COM3)");

  const UsbDeviceInfo* bluetooth = Find(snapshot, "VID_8087&PID_0A2B", "5&2ba2f4d&0&7");
  ASSERT_NE(bluetooth, nullptr);
  EXPECT_EQ(bluetooth->classCode, 0xE0u);
  EXPECT_STREQ(bluetooth->serialNumber, "");

  EXPECT_EQ(Find(snapshot, "VID_0BDA&PID_0129", "20100201396000000")->connected, 1u);  // second link pass
  EXPECT_EQ(Find(snapshot, "VID_090C&PID_1000", "AA00000000011111")->connected, 0u);
}

}  // namespace
}  // namespace wrenhollow
