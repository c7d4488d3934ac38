#include "monitor/device_properties.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "portable/registry_memory.h"
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

// Description, serial number, firmware revision, class codes in hex, symbolic name and port name.
std::string Summary(const UsbDeviceInfo& info) {
  char codes[32];
  std::snprintf(codes, sizeof codes, "%X.%X.%X", info.classCode, info.subclassCode, info.protocolCode);
  return std::string(info.description) + "|" + info.serialNumber + "|" + std::to_string(info.firmwareRevision) + "|" +
         codes + "|" + info.symbolicName + "|" + info.portName;
}

// Each case is an instance key of its own holding one value line; none has Device Parameters unless it says so.
TEST_F(DevicePropertiesTest, EachValueGivesItsFieldWithinItsLimits) {
  const std::string fitsDesc(126, 'd'), fitsName = "\\??\\" + std::string(250, 's');  // the NUL makes 127 and 255
  std::string escapedName;
  for (char c : fitsName) escapedName += c == '\\' ? std::string("\\\\") : std::string(1, c);
  const struct { std::string values, parameters, summary; } cases[] = {
      // Only the unique-id capability (0x10) makes the instance name a serial number.
      {"\"Capabilities\"=dword:00000084", "", "||0|0.0.0||"},
      {"\"Capabilities\"=dword:00000010", "", "|1|0|0.0.0||"},
      {"", "", "||0|0.0.0||"},
      // Text limits count the terminator.
      {"\"DeviceDesc\"=\"" + fitsDesc + "\"", "", fitsDesc + "||0|0.0.0||"},
      {"\"DeviceDesc\"=\"" + fitsDesc + "e\"", "", "||0|0.0.0||"},
      {"\"DeviceDesc\"=\"\"", "", "||0|0.0.0||"},
      {"", "\"SymbolicName\"=\"" + escapedName + "\"\r\n\"PortName\"=\"COM3\"", "||0|0.0.0|" + fitsName + "|COM3"},
      {"", "\"SymbolicName\"=\"" + escapedName + "t\"", "||0|0.0.0||"},
      // An indirect description keeps the plain text after its last non-empty ";".
      {"\"DeviceDesc\"=\"@usb.inf,%usb.composite%;USB Composite Device\"", "", "USB Composite Device||0|0.0.0||"},
      {"\"DeviceDesc\"=\"@oem1.inf,%a%;Part one;Part two;;\"", "", "Part two||0|0.0.0||"},
      {"\"DeviceDesc\"=\"@usb.inf,%usb.composite%\"", "", "@usb.inf,%usb.composite%||0|0.0.0||"},
      {"\"DeviceDesc\"=\"Plain; with a semicolon\"", "", "Plain; with a semicolon||0|0.0.0||"},
      {"\"DeviceDesc\"=\"@;\"", "", "@||0|0.0.0||"},
      // The firmware revision: the decimal digits after "&Rev_", which must not start the text.
      {"\"HardwareID\"=\"USB\\\\Vid_0781&Pid_5567&Rev_0100\"", "", "||100|0.0.0||"},
      {"\"HardwareID\"=\"USB\\\\Vid_0781&Pid_5567&Rev_0126&MI_00\"", "", "||126|0.0.0||"},
      {"\"HardwareID\"=\"USB\\\\Vid_0781&Pid_5567&rEV_7\"", "", "||7|0.0.0||"},
      {"\"HardwareID\"=\"USB\\\\Vid_0781&Pid_5567&Rev_x1\"", "", "||0|0.0.0||"},
      {"\"HardwareID\"=\"USB\\\\ROOT_HUB20&VID8086&PID1E26&REV0004\"", "", "||0|0.0.0||"},
      {"\"HardwareID\"=\"&Rev_0100\"", "", "||0|0.0.0||"},
      {"\"HardwareID\"=\"USB\\\\Vid_1&Rev_99999999999\"", "", "||4294967295|0.0.0||"},
      // Class codes come from the first compatible id.
      {"\"CompatibleIDs\"=\"USB\\\\Class_08&SubClass_06&Prot_50\"", "", "||0|8.6.50||"},
      {"\"CompatibleIDs\"=\"usb\\\\class_ff&subclass_ff&prot_ff\"", "", "||0|FF.FF.FF||"},
      {"\"CompatibleIDs\"=\"USB\\\\Class_E0&SubClass_01&Prot_01\"", "", "||0|E0.1.1||"},
      {"\"CompatibleIDs\"=\"USB\\\\COMPOSITE\"", "", "||0|0.0.0||"},
      {"\"CompatibleIDs\"=\"USB\\\\DevClass_00&SubClass_03&Prot_00\"", "", "||0|0.3.0||"},
      {"\"CompatibleIDs\"=\"HID\\\\Class_03&SubClass_01\"", "", "||0|0.0.0||"},
      {"\"CompatibleIDs\"=\"USB\\\\Class__0a&&SubClass_zz&Prot_\"", "", "||0|A.0.0||"},
      {"\"CompatibleIDs\"=\"USB\"", "", "||0|0.0.0||"},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string instance = std::to_string(n++);
    if (!c.parameters.empty()) {
      ApplyReg(hive_, Reg5("[" + kUsb + "R\\" + instance + "\\Device Parameters]\r\n" + c.parameters + "\r\n"));
    }
    EXPECT_EQ(Summary(Read(c.values + "\r\n", "R", instance)), c.summary) << c.values << c.parameters;
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

}  // namespace
}  // namespace wrenhollow
