#include "portable/reg_file.h"
#include "portable/registry_memory.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "monitor/registry_reader.h"
#include "support/fixture_path.h"

namespace wrenhollow::test {
namespace {

const std::string kV5 = "Windows Registry Editor Version 5.00\n";

using Stored = std::tuple<long, uint32_t, std::string>;  // status, type, bytes
Stored Sz(const std::string& bytes) { return {kErrorSuccess, kRegSz, bytes}; }

// The status of opening HKEY_LOCAL_MACHINE\path, else of querying the value; then the value's type and bytes.
Stored Value(MemoryHive& hive, const char* path, const char* name) {
  RegKey key = 0;
  long status = hive.OpenKey(kLocalMachine, path, &key);
  if (status != kErrorSuccess) return {status, 0, ""};
  uint8_t data[256];
  uint32_t size = sizeof data;
  uint32_t type = 0;
  status = hive.QueryValue(key, name, &type, data, &size);
  hive.CloseKey(key);
  return {status, type, status == kErrorSuccess ? std::string(reinterpret_cast<char*>(data), size) : ""};
}

TEST(RegFile, StoresAndDeletesEachKindOfDataWhateverTheLineEnding) {
  // Loaded with each line ending; the file ends in a continuation line that continues again, unended.
  const std::string text =
      kV5 + "\n; comment\n[HKEY_LOCAL_MACHINE\\K]\n\"Expand\"=hex(2):41,00,42,00,00,00\n\"OddSz\"=hex(1):41,00,42\n"
      "\"OddMulti\"=hex(7):43\n\"Path\"=\"C:\\\\dir\\\\\"\n\"Quote\"=\"say \\\"hi\\\"\"\n\"Odd\"=\"a\\qb\"\n"
      "\"Empty\"=\"\"\n\"Spaced\" = \"v\" ; note\n@=\"dflt\"\n\"D\"=dword:DEADbeef\n\"One\"=DWORD:7 ; c\n"
      "\"B\"=hex:0,a,FF\n\"None\"=hex(0):\n\"Q\"=hex(b):01,00,00,00,00,00,00,80\n\"Private\"=hex(ffff0012):01,02\n"
      "\"Long\"=hex:01,02,\\\n    03,04,\\\n\t05\n\"After\"=dword:2\n\"SpacedHex\"=hex:0a , 0b ,\\  \n  0c\n"
      "\"Drop\"=dword:2\n[HKEY_LOCAL_MACHINE\\K\\Gone\\Deep]\n\"X\"=dword:1\n"
      "[HKEY_LOCAL_MACHINE\\K\\Sub]\n@=\"d\"\n\"Stay\"=\"\"\n[-HKEY_LOCAL_MACHINE\\k\\GONE]\n"
      "[-HKEY_LOCAL_MACHINE\\K\\NeverWas]\n[HKEY_LOCAL_MACHINE\\K\\Sub]\n@=-\n[HKEY_LOCAL_MACHINE\\K]\n\"drop\"=-\n"
      "\"Missing\"=-\n\"V\"=dword:1\n[HKEY_LOCAL_MACHINE\\k]\n\"v\"=\"s\"\n\"Tail\"=hex:01,\\\n  02,\\";
  const std::pair<const char*, Stored> rows[] = {
      {"Expand", {kErrorSuccess, kRegExpandSz, std::string("AB\0", 3)}},  // version 5 string types are UTF-16
      {"OddSz", Sz("A")}, {"OddMulti", {kErrorSuccess, kRegMultiSz, ""}},  // and drop an odd trailing byte
      {"Path", Sz(std::string("C:\\dir\\\0", 8))}, {"Quote", Sz(std::string("say \"hi\"\0", 9))},
      {"Odd", Sz(std::string("a\\qb\0", 5))}, {"Empty", Sz(std::string("\0", 1))},
      {"Spaced", Sz(std::string("v\0", 2))}, {nullptr, Sz(std::string("dflt\0", 5))},
      {"D", {kErrorSuccess, kRegDword, "\xEF\xBE\xAD\xDE"}}, {"One", {kErrorSuccess, kRegDword, {"\7\0\0\0", 4}}},
      {"B", {kErrorSuccess, kRegBinary, {"\0\x0A\xFF", 3}}}, {"None", {kErrorSuccess, kRegNone, ""}},
      {"Q", {kErrorSuccess, kRegQword, {"\1\0\0\0\0\0\0\x80", 8}}}, {"Private", {kErrorSuccess, 0xFFFF0012u, "\1\2"}},
      {"Long", {kErrorSuccess, kRegBinary, "\1\2\3\4\5"}}, {"After", {kErrorSuccess, kRegDword, {"\2\0\0\0", 4}}},
      {"SpacedHex", {kErrorSuccess, kRegBinary, "\x0a\x0b\x0c"}}, {"Tail", {kErrorSuccess, kRegBinary, "\1\2"}},
      {"V", Sz(std::string("s\0", 2))},  // the later value replaces the earlier
      {"Drop", {kErrorFileNotFound, 0, ""}},
  };
  for (const std::string eol : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(testing::PrintToString(eol));
    std::string withEol;
    for (char c : text) withEol += c == '\n' ? eol : std::string(1, c);
    MemoryHive hive;
    RegFileError error;
    ASSERT_TRUE(LoadRegFile(withEol, hive, &error)) << error.line << " " << error.message;
    for (const auto& [name, stored] : rows) EXPECT_EQ(Value(hive, "K", name), stored) << (name ? name : "@");
    EXPECT_EQ(Value(hive, "K\\Sub", nullptr), Stored(kErrorFileNotFound, 0, ""));
    EXPECT_EQ(Value(hive, "K\\Sub", "Stay"), Sz(std::string(1, '\0')));
    RegKey key = 0;
    EXPECT_EQ(hive.OpenKey(kLocalMachine, "K\\Gone", &key), kErrorFileNotFound);
  }
}

TEST(RegFile, Regedit4KeepsItsBytesAndUtf16ConvertsToTheCodePage) {
  MemoryHive hive;
  ASSERT_TRUE(LoadRegFile("\xEF\xBB\xBFREGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"E\"=hex(2):41,00,42,00,00,00\n"
                          "\"N\xE9\"=\"caf\xC3\xA9\"\n\"A\"=dword:1\n",
                          hive, nullptr));
  EXPECT_EQ(Value(hive, "K", "E"), Stored(kErrorSuccess, kRegExpandSz, std::string("A\0B\0\0\0", 6)));
  EXPECT_EQ(Value(hive, "K", "N\xE9"), Sz(std::string("caf\xC3\xA9\0", 6)));
  EXPECT_EQ(Value(hive, "K", "A"), Stored(kErrorSuccess, kRegDword, std::string("\1\0\0\0", 4)));
  const std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Caf\u00e9]\r\n"
                              u"\"Pri\u00e9\"=\"\u20ac 5\"\r\n\"Desc\"=hex(1):55,00,53,00,42,00,00,00\r\n"
                              u"\"Han\"=\"\u4e2d\"\r\n";
  std::string bytes = "\xFF\xFE";  // UTF-16LE with a byte-order mark, as regedit writes version 5 files
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  RegFileError error;
  ASSERT_TRUE(LoadRegFile(bytes, hive, &error)) << error.line << " " << error.message;
  EXPECT_EQ(Value(hive, "CAF\xE9", "Pri\xE9"), Sz(std::string("\x80 5\0", 4)));
  EXPECT_EQ(Value(hive, "Caf\xE9", "Desc"), Sz(std::string("USB\0", 4)));
  EXPECT_EQ(Value(hive, "Caf\xE9", "Han"), Sz(std::string("?\0", 2)));
}

TEST(RegFile, ReportsTheFirstMalformedLineAndKeepsWhatCameBefore) {
  const std::string head = kV5 + "\n[HKEY_LOCAL_MACHINE\\K]\n\"Before\"=dword:1\n";  // lines 1-4
  std::string deep = "HKEY_LOCAL_MACHINE";
  for (int i = 0; i < 512; ++i) deep += "\\k";
  const std::tuple<const char*, std::string, int> cases[] = {
      {"bad hex byte", head + "\"B\"=hex:01,0g\n\"After\"=dword:1\n", 5},
      {"three-digit hex byte", head + "\"B\"=hex:100\n", 5}, {"empty hex byte", head + "\"B\"=hex:01,,02\n", 5},
      {"bad byte on a continuation line", head + "\"B\"=hex:01,\\\n  02,\\\n  zz\n", 7},
      {"missing equals", head + "\"Name\" dword:1\n", 5}, {"unterminated name", head + "\"Name=dword:1\n", 5},
      {"unterminated string", head + "\"S\"=\"open\n", 5}, {"text after a string", head + "\"S\"=\"a\" b\n", 5},
      {"unterminated key", head + "[HKEY_LOCAL_MACHINE\\K\n", 5}, {"unknown root", head + "[HKEY_NOWHERE\\K]\n", 5},
      {"empty key", head + "[]\n", 5}, {"bad dword", head + "\"D\"=dword:123456789\n", 5},
      {"dword with junk", head + "\"D\"=dword:12x\n", 5}, {"empty dword", head + "\"D\"=dword:\n", 5},
      {"bad hex type", head + "\"H\"=hex(1g):00\n", 5}, {"hex type without colon", head + "\"H\"=hex(1)00\n", 5},
      {"unknown data", head + "\"U\"=qword:1\n", 5}, {"stray text", head + "Name=1\n", 5},
      {"value outside a key", kV5 + "\"V\"=dword:1\n", 2},
      {"value after a deleted key", head + "[-HKEY_LOCAL_MACHINE\\Other]\n\"V\"=dword:1\n", 6},
      {"key name too long", head + "[HKEY_LOCAL_MACHINE\\" + std::string(256, 'n') + "]\n", 5},
      {"key path too deep", head + "[" + deep + "\\k]\n", 5},
      // A missing or foreign header is line 0.
      {"empty file", "", 0}, {"blank line first", "\n", 0}, {"header after a blank line", "\nREGEDIT4\n", 0},
      {"unknown version", "REGEDIT5\n[HKEY_LOCAL_MACHINE\\K]\n", 0}, {"byte-order mark only", "\xFF\xFE", 0},
      {"version 4.00", "Windows Registry Editor Version 4.00\n", 0},
  };
  for (const auto& [name, text, line] : cases) {
    SCOPED_TRACE(name);
    MemoryHive hive;
    RegFileError error;
    EXPECT_FALSE(LoadRegFile(text, hive, &error));
    EXPECT_EQ(error.line, line);
    EXPECT_FALSE(error.message.empty());
    EXPECT_EQ(std::get<0>(Value(hive, "K", "Before")), line > 4 ? kErrorSuccess : kErrorFileNotFound);
    EXPECT_EQ(std::get<0>(Value(hive, "K", "After")), kErrorFileNotFound);
  }
  MemoryHive hive;
  EXPECT_FALSE(LoadRegFile("junk", hive, nullptr));
  EXPECT_TRUE(LoadRegFile("REGEDIT4  \n[" + deep + "]\n[HKEY_LOCAL_MACHINE\\" + std::string(255, 'n') + "]\n", hive,
                          nullptr));
}

TEST(RealHiveFixtures, LoadAndAnswerTheMonitorsPaths) {
  struct Case {
    const char* file;
    std::string instance;
    std::string deviceDesc;
    long storage;  // opening USBSTOR: not found when the machine saw no USB disk
    std::string hub;
  };
  const Case cases[] = {
      {"hives/system_b.reg", "VID_0781&PID_5580\\AA010215170355310594",
       "@usbstor.inf,%genericbulkonly.devicedesc%;USB Mass Storage Device", kErrorSuccess, "4&1671a21&0"},
      {"hives/system_2.reg", "VID_80EE&PID_0021\\5&2d7ae1ff&0&1", "@input.inf,%hid.devicedesc%;USB Input Device",
       kErrorFileNotFound, "4&280d2b25&0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    MemoryHive hive;
    RegFileError error;
    ASSERT_TRUE(LoadRegFile(ReadFixture(c.file), hive, &error)) << error.line << " " << error.message;
    const std::string usb = "SYSTEM\\ControlSet001\\Enum\\USB\\";
    EXPECT_EQ(Value(hive, "SYSTEM\\Select", "Current"), Stored(kErrorSuccess, kRegDword, {"\1\0\0\0", 4}));
    EXPECT_EQ(Value(hive, (usb + c.instance).c_str(), "DeviceDesc"), Sz(c.deviceDesc + '\0'));
    // Windows stored SymbolicName without its NUL; the loader keeps it so and the reader terminates it.
    const std::string parameters = usb + "ROOT_HUB20\\" + c.hub + "\\Device Parameters";
    const std::string symbolic = "\\??\\USB#ROOT_HUB20#" + c.hub + "#{f18a0e88-c30c-11d0-8815-00a0c906bed8}";
    EXPECT_EQ(Value(hive, parameters.c_str(), "SymbolicName"), Sz(symbolic));
    RegistryReader reader(hive);
    char text[kSubkeyNameSize];
    EXPECT_TRUE(reader.ReadStringAt(kLocalMachine, parameters.c_str(), "SymbolicName", text, 255));
    EXPECT_EQ(text, symbolic);
    RegKey key = 0;
    EXPECT_EQ(reader.OpenKey(kLocalMachine, "SYSTEM\\ControlSet001\\Enum\\USBSTOR", &key), c.storage);
    reader.CloseKey(key);
    ASSERT_EQ(reader.OpenKey(kLocalMachine,
                             "SYSTEM\\ControlSet001\\Control\\DeviceClasses\\{A5DCBF10-6530-11D2-901F-00C04FB951ED}",
                             &key),
              kErrorSuccess);
    EXPECT_EQ(reader.EnumSubkey(key, 0, text), kErrorSuccess);
    reader.CloseKey(key);
    EXPECT_EQ(hive.OpenKeyCount(), 0);
  }
}

}  // namespace
}  // namespace wrenhollow::test
