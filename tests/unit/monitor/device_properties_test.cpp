#include "monitor/device_properties.h"

#include <gtest/gtest.h>

#include <string>

#include "monitor/registry_memory.h"
#include "support/memory_registry.h"

namespace wrenhollow {
namespace {

using test::ApplyReg;
using test::Reg5;

const std::string kUsb = "HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Enum\\USB\\";

class DevicePropertiesTest : public ::testing::Test {
 protected:
  // Reads the instance `device\instance` after writing the given value lines into its key.
  UsbDeviceInfo Read(const std::string& values, const std::string& device = "VID_0781&PID_5567",
                     const std::string& instance = "4C530001230105117312") {
    ApplyReg(hive_, Reg5("[" + kUsb + device + "\\" + instance + "]\r\n" + values + "\r\n"));
    RegKey key;
    const std::string path = "SYSTEM\\ControlSet001\\Enum\\USB\\" + device + "\\" + instance;
    EXPECT_EQ(hive_.OpenKey(kLocalMachine, path.c_str(), &key), kErrorSuccess);
    UsbDeviceInfo info{};
    ReadDeviceProperties(reader_, device.c_str(), instance.c_str(), key, info);
    hive_.CloseKey(key);
    EXPECT_EQ(hive_.OpenKeyCount(), 0);
    return info;
  }

  MemoryHive hive_;
  RegistryReader reader_{hive_};
};

TEST_F(DevicePropertiesTest, ReadsEveryField) {
  ApplyReg(hive_, Reg5("[" + kUsb + "VID_2341&PID_0043\\7583\\Device Parameters]\r\n"
                       "\"SymbolicName\"=\"\\\\??\\\\USB#VID_2341&PID_0043#7583#{a5dcbf10-6530-11d2-901f-00c04fb951ed}\"\r\n"
                       "\"PortName\"=\"COM3\"\r\n"));
  const UsbDeviceInfo info = Read(
      "\"Capabilities\"=dword:00000094\r\n"
      "\"DeviceDesc\"=\"Arduino Uno\"\r\n"
      "\"LocationInformation\"=\"Port_#0003.Hub_#0004\"\r\n"
      "\"ParentIdPrefix\"=\"6&1a2b&0\"\r\n"
      // "USB\VID&REV_0100", "USB"
      "\"HardwareID\"=hex(7):55,00,53,00,42,00,5c,00,56,00,49,00,44,00,26,00,52,00,45,00,56,00,5f,00,30,00,31,\\\r\n"
      "  00,30,00,30,00,00,00,55,00,53,00,42,00,00,00,00,00\r\n"
      "\"CompatibleIDs\"=hex(7):55,00,53,00,42,00,5c,00,43,00,6c,00,61,00,73,00,73,00,5f,00,30,00,32,00,26,00,\\\r\n"
      "  53,00,75,00,62,00,43,00,6c,00,61,00,73,00,73,00,5f,00,30,00,32,00,26,00,50,00,72,00,6f,00,74,00,5f,\\\r\n"
      "  00,30,00,31,00,00,00,00,00\r\n",
      "VID_2341&PID_0043", "7583");
  EXPECT_EQ(info.capabilities, 0x94u);
  EXPECT_STREQ(info.deviceKey, "VID_2341&PID_0043");
  EXPECT_STREQ(info.instanceKey, "7583");
  EXPECT_STREQ(info.serialNumber, "7583");
  EXPECT_STREQ(info.description, "Arduino Uno");
  EXPECT_STREQ(info.locationInformation, "Port_#0003.Hub_#0004");
  EXPECT_STREQ(info.parentIdPrefix, "6&1a2b&0");
  EXPECT_STREQ(info.symbolicName, "\\??\\USB#VID_2341&PID_0043#7583#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
  EXPECT_STREQ(info.portName, "COM3");
  EXPECT_EQ(info.firmwareRevision, 100u);  // "&REV_0100": decimal digits
  EXPECT_EQ(info.classCode, 0x02u);
  EXPECT_EQ(info.subclassCode, 0x02u);
  EXPECT_EQ(info.protocolCode, 0x01u);
  EXPECT_EQ(info.connected, 0u);
}

TEST_F(DevicePropertiesTest, SerialNumberOnlyWithUniqueIdCapability) {
  EXPECT_STREQ(Read("\"Capabilities\"=dword:00000084\r\n", "VID_046D&PID_C52B", "6&1a2b3c4d&0&2").serialNumber, "");
  EXPECT_STREQ(Read("\"Capabilities\"=dword:00000010\r\n", "VID_046D&PID_C52C", "ABC").serialNumber, "ABC");
  EXPECT_STREQ(Read("", "VID_046D&PID_C52D", "DEF").serialNumber, "");
}

TEST_F(DevicePropertiesTest, TextLimitsCountTheTerminator) {
  const std::string fits(126, 'd');
  const std::string tooLong(127, 'e');
  EXPECT_STREQ(Read("\"DeviceDesc\"=\"" + fits + "\"\r\n", "A", "1").description, fits.c_str());
  EXPECT_STREQ(Read("\"DeviceDesc\"=\"" + tooLong + "\"\r\n", "A", "2").description, "");
  EXPECT_STREQ(Read("\"DeviceDesc\"=\"\"\r\n", "A", "3").description, "");
}

TEST_F(DevicePropertiesTest, SymbolicNameLimitIs255) {
  const std::string fits = "\\??\\" + std::string(250, 's');  // 254 characters and the NUL
  const std::string tooLong = fits + "t";
  for (const auto& [instance, name, expected] :
       {std::tuple{"1", fits, fits}, std::tuple{"2", tooLong, std::string()}}) {
    std::string escaped;
    for (char c : name) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    ApplyReg(hive_, Reg5("[" + kUsb + "B\\" + instance + "\\Device Parameters]\r\n\"SymbolicName\"=\"" + escaped +
                         "\"\r\n"));
    EXPECT_STREQ(Read("", "B", instance).symbolicName, expected.c_str());
  }
}

TEST_F(DevicePropertiesTest, KeyNamesAreCutTo126Characters) {
  const std::string device(200, 'D');
  const std::string instance(130, 'I');
  const UsbDeviceInfo info = Read("\"Capabilities\"=dword:00000010\r\n", device, instance);
  EXPECT_EQ(std::string(info.deviceKey), device.substr(0, 126));
  EXPECT_EQ(std::string(info.instanceKey), instance.substr(0, 126));
  EXPECT_EQ(std::string(info.serialNumber), instance.substr(0, 126));
}

TEST_F(DevicePropertiesTest, FirmwareRevision) {
  const struct {
    const char* hardwareId;
    uint32_t revision;
  } cases[] = {
      {"USB\\\\Vid_0781&Pid_5567&Rev_0100", 100},
      {"USB\\\\Vid_0781&Pid_5567&Rev_0126&MI_00", 126},
      {"USB\\\\Vid_0781&Pid_5567&rEV_7", 7},
      {"USB\\\\Vid_0781&Pid_5567&Rev_x1", 0},
      {"USB\\\\ROOT_HUB20&VID8086&PID1E26&REV0004", 0},
      {"&Rev_0100", 0},  // must not start the text
      {"USB\\\\Vid_1&Rev_99999999999", 0xFFFFFFFFu},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string instance = std::to_string(n++);
    EXPECT_EQ(Read(std::string("\"HardwareID\"=\"") + c.hardwareId + "\"\r\n", "R", instance).firmwareRevision,
              c.revision)
        << c.hardwareId;
  }
}

TEST_F(DevicePropertiesTest, ClassCodesComeFromTheFirstCompatibleId) {
  const struct {
    const char* compatibleId;
    uint32_t codes[3];
  } cases[] = {
      {"USB\\\\Class_08&SubClass_06&Prot_50", {0x08, 0x06, 0x50}},
      {"usb\\\\class_ff&subclass_ff&prot_ff", {0xFF, 0xFF, 0xFF}},
      {"USB\\\\Class_E0&SubClass_01&Prot_01", {0xE0, 0x01, 0x01}},
      {"USB\\\\COMPOSITE", {0, 0, 0}},
      {"USB\\\\DevClass_00&SubClass_03&Prot_00", {0, 0x03, 0}},
      {"HID\\\\Class_03&SubClass_01", {0, 0, 0}},
      {"USB\\\\Class__0a&&SubClass_zz&Prot_", {0x0A, 0, 0}},
      {"USB", {0, 0, 0}},
  };
  int n = 0;
  for (const auto& c : cases) {
    const UsbDeviceInfo info =
        Read(std::string("\"CompatibleIDs\"=\"") + c.compatibleId + "\"\r\n", "C", std::to_string(n++));
    EXPECT_EQ(info.classCode, c.codes[0]) << c.compatibleId;
    EXPECT_EQ(info.subclassCode, c.codes[1]) << c.compatibleId;
    EXPECT_EQ(info.protocolCode, c.codes[2]) << c.compatibleId;
  }
}

TEST_F(DevicePropertiesTest, IndirectDescriptionKeepsItsPlainText) {
  const struct {
    const char* stored;
    const char* shown;
  } cases[] = {
      {"@usb.inf,%usb.composite%;USB Composite Device", "USB Composite Device"},
      {"@oem1.inf,%a%;Part one;Part two;;", "Part two"},
      {"@usb.inf,%usb.composite%", "@usb.inf,%usb.composite%"},
      {"Plain; with a semicolon", "Plain; with a semicolon"},
      {"@;", "@"},
  };
  int n = 0;
  for (const auto& c : cases) {
    EXPECT_STREQ(Read(std::string("\"DeviceDesc\"=\"") + c.stored + "\"\r\n", "D", std::to_string(n++)).description,
                 c.shown);
  }
}

TEST_F(DevicePropertiesTest, MissingDeviceParametersLeavesPathsEmpty) {
  const UsbDeviceInfo info = Read("\"DeviceDesc\"=\"x\"\r\n", "E", "1");
  EXPECT_STREQ(info.symbolicName, "");
  EXPECT_STREQ(info.portName, "");
}

}  // namespace
}  // namespace wrenhollow
