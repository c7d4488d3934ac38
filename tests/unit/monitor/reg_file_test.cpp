#include "monitor/reg_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "monitor/registry_reader.h"
#include "support/fixture_path.h"

namespace wrenhollow::test {
namespace {

constexpr const char* kV5 = "Windows Registry Editor Version 5.00\r\n";
constexpr const char* kV4 = "REGEDIT4\r\n";

struct Stored {
  long status = -1;
  uint32_t type = 0;
  std::string bytes;
};

class RegFileTest : public testing::Test {
 protected:
  bool Load(const std::string& text) { return LoadRegFile(text, hive_, &error_); }

  Stored Value(const char* path, const char* name) {
    Stored stored;
    RegKey key = 0;
    stored.status = hive_.OpenKey(kLocalMachine, path, &key);
    if (stored.status != kErrorSuccess) return stored;
    uint8_t data[256];
    uint32_t size = sizeof data;
    stored.status = hive_.QueryValue(key, name, &stored.type, data, &size);
    if (stored.status == kErrorSuccess) stored.bytes.assign(reinterpret_cast<char*>(data), size);
    hive_.CloseKey(key);
    return stored;
  }

  bool KeyExists(const char* path) {
    RegKey key = 0;
    if (hive_.OpenKey(kLocalMachine, path, &key) != kErrorSuccess) return false;
    hive_.CloseKey(key);
    return true;
  }

  MemoryHive hive_;
  RegFileError error_;
};

// UTF-16LE with a byte-order mark, as regedit writes version 5 files.
std::string Utf16(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

TEST_F(RegFileTest, Hex2IsUtf16InVersion5AndAnsiInRegedit4) {
  const std::string body = "[HKEY_LOCAL_MACHINE\\K]\r\n\"E\"=hex(2):41,00,42,00,00,00\r\n";
  ASSERT_TRUE(Load(kV5 + body)) << error_.message;
  Stored v5 = Value("K", "E");
  EXPECT_EQ(v5.type, kRegExpandSz);
  EXPECT_EQ(v5.bytes, std::string("AB\0", 3));

  MemoryHive plain;
  ASSERT_TRUE(LoadRegFile(kV4 + body, plain, &error_)) << error_.message;
  RegKey key = 0;
  ASSERT_EQ(plain.OpenKey(kLocalMachine, "K", &key), kErrorSuccess);
  uint8_t data[16];
  uint32_t size = sizeof data;
  ASSERT_EQ(plain.QueryValue(key, "E", nullptr, data, &size), kErrorSuccess);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("A\0B\0\0\0", 6));
  plain.CloseKey(key);
}

TEST_F(RegFileTest, Version5StringTypesDropAnOddTrailingByte) {
  ASSERT_TRUE(Load(std::string(kV5) + "[HKEY_LOCAL_MACHINE\\K]\n\"S\"=hex(1):41,00,42\n\"M\"=hex(7):43\n"));
  EXPECT_EQ(Value("K", "S").bytes, "A");
  EXPECT_EQ(Value("K", "M").bytes, "");
  EXPECT_EQ(Value("K", "M").status, kErrorSuccess);
}

TEST_F(RegFileTest, Utf16InputConvertsNamesAndStringsToTheCodePage) {
  const std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n"
                              u"[HKEY_LOCAL_MACHINE\\Caf\u00e9]\r\n"
                              u"\"Pri\u00e9\"=\"\u20ac 5\"\r\n"
                              u"\"Desc\"=hex(1):55,00,53,00,42,00,00,00\r\n"
                              u"\"Han\"=\"\u4e2d\"\r\n";
  ASSERT_TRUE(Load(Utf16(text))) << error_.line << " " << error_.message;
  EXPECT_EQ(Value("CAF\xE9", "Pri\xE9").bytes, std::string("\x80 5\0", 4));
  EXPECT_EQ(Value("Caf\xE9", "Desc").bytes, std::string("USB\0", 4));
  EXPECT_EQ(Value("Caf\xE9", "Han").bytes, std::string("?\0", 2));
}

TEST_F(RegFileTest, PlainTextKeepsItsBytes) {
  ASSERT_TRUE(Load(std::string(kV4) + "[HKEY_LOCAL_MACHINE\\K]\n\"N\xE9\"=\"caf\xC3\xA9\"\n"));
  EXPECT_EQ(Value("K", "N\xE9").bytes, std::string("caf\xC3\xA9\0", 6));
}

TEST_F(RegFileTest, Utf8ByteOrderMarkIsSkipped) {
  ASSERT_TRUE(Load("\xEF\xBB\xBFREGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"A\"=dword:1\n")) << error_.message;
  EXPECT_EQ(Value("K", "A").bytes, std::string("\1\0\0\0", 4));
}

TEST_F(RegFileTest, StringsUnescapeAndCarryTheirNul) {
  ASSERT_TRUE(Load(std::string(kV5) +
                   "[HKEY_LOCAL_MACHINE\\K]\n\"Path\"=\"C:\\\\dir\\\\\"\n\"Q\"=\"say \\\"hi\\\"\"\n"
                   "\"Odd\"=\"a\\qb\"\n\"Empty\"=\"\"\n\"Spaced\" = \"v\" ; note\n@=\"dflt\"\n"));
  EXPECT_EQ(Value("K", "Path").bytes, std::string("C:\\dir\\\0", 8));
  EXPECT_EQ(Value("K", "Q").bytes, std::string("say \"hi\"\0", 9));
  EXPECT_EQ(Value("K", "Odd").bytes, std::string("a\\qb\0", 5));
  EXPECT_EQ(Value("K", "Empty").bytes, std::string("\0", 1));
  EXPECT_EQ(Value("K", "Spaced").bytes, std::string("v\0", 2));
  Stored dflt = Value("K", nullptr);
  EXPECT_EQ(dflt.type, kRegSz);
  EXPECT_EQ(dflt.bytes, std::string("dflt\0", 5));
}

TEST_F(RegFileTest, DwordsAndHexTypes) {
  ASSERT_TRUE(Load(std::string(kV5) +
                   "[HKEY_LOCAL_MACHINE\\K]\n\"D\"=dword:DEADbeef\n\"One\"=DWORD:7 ; c\n\"B\"=hex:0,a,FF\n"
                   "\"None\"=hex(0):\n\"Q\"=hex(b):01,00,00,00,00,00,00,80\n"
                   "\"Private\"=hex(ffff0012):01,02\n"));
  Stored d = Value("K", "D");
  EXPECT_EQ(d.type, kRegDword);
  EXPECT_EQ(d.bytes, "\xEF\xBE\xAD\xDE");
  EXPECT_EQ(Value("K", "One").bytes, std::string("\7\0\0\0", 4));
  EXPECT_EQ(Value("K", "B").bytes, std::string("\0\x0A\xFF", 3));
  EXPECT_EQ(Value("K", "None").type, kRegNone);
  EXPECT_EQ(Value("K", "None").bytes, "");
  EXPECT_EQ(Value("K", "Q").type, kRegQword);
  Stored priv = Value("K", "Private");
  EXPECT_EQ(priv.type, 0xFFFF0012u);
  EXPECT_EQ(priv.bytes, "\x01\x02");
}

TEST_F(RegFileTest, HexContinuesOverLines) {
  ASSERT_TRUE(Load(std::string(kV5) +
                   "[HKEY_LOCAL_MACHINE\\K]\r\n\"B\"=hex:01,02,\\\r\n    03,04,\\\r\n\t05\r\n\"After\"=dword:2\r\n"
                   "\"Spaced\"=hex:0a , 0b ,\\  \r\n  0c\r\n\"Tail\"=hex:01,02,\\\r\n"));
  EXPECT_EQ(Value("K", "B").bytes, "\x01\x02\x03\x04\x05");
  EXPECT_EQ(Value("K", "After").bytes, std::string("\2\0\0\0", 4));
  EXPECT_EQ(Value("K", "Spaced").bytes, "\x0a\x0b\x0c");
  EXPECT_EQ(Value("K", "Tail").bytes, "\x01\x02");
}

TEST_F(RegFileTest, LineEndingsCrLfLfAndCrOnly) {
  for (const char* eol : {"\r\n", "\n", "\r"}) {
    MemoryHive hive;
    const std::string e = eol;
    const std::string text = "REGEDIT4" + e + e + "[HKEY_LOCAL_MACHINE\\K]" + e + "\"A\"=hex:01,\\" + e + " 02" + e +
                             "; comment" + e + "\"B\"=\"x\"";
    ASSERT_TRUE(LoadRegFile(text, hive, &error_)) << error_.line << " " << error_.message;
    RegKey key = 0;
    ASSERT_EQ(hive.OpenKey(kLocalMachine, "K", &key), kErrorSuccess);
    uint8_t data[8];
    uint32_t size = sizeof data;
    EXPECT_EQ(hive.QueryValue(key, "A", nullptr, data, &size), kErrorSuccess);
    EXPECT_EQ(size, 2u);
    size = sizeof data;
    EXPECT_EQ(hive.QueryValue(key, "B", nullptr, data, &size), kErrorSuccess);
    hive.CloseKey(key);
  }
}

TEST_F(RegFileTest, DeletionsOfKeysAndValues) {
  ASSERT_TRUE(Load(std::string(kV5) +
                   "[HKEY_LOCAL_MACHINE\\A\\Gone\\Deep]\n\"X\"=dword:1\n[HKEY_LOCAL_MACHINE\\A\\Kept]\n"
                   "\"Stay\"=dword:1\n\"Drop\"=dword:2\n@=\"d\"\n"
                   "[-HKEY_LOCAL_MACHINE\\a\\GONE]\n[-HKEY_LOCAL_MACHINE\\A\\NeverWas]\n"
                   "[HKEY_LOCAL_MACHINE\\A\\Kept]\n\"drop\"=-\n@=-\n\"Missing\"=-\n"));
  EXPECT_FALSE(KeyExists("A\\Gone"));
  EXPECT_TRUE(KeyExists("A\\Kept"));
  EXPECT_EQ(Value("A\\Kept", "Stay").status, kErrorSuccess);
  EXPECT_EQ(Value("A\\Kept", "Drop").status, kErrorFileNotFound);
  EXPECT_EQ(Value("A\\Kept", nullptr).status, kErrorFileNotFound);
}

TEST_F(RegFileTest, LaterValuesReplaceEarlierOnes) {
  ASSERT_TRUE(Load(std::string(kV5) + "[HKEY_LOCAL_MACHINE\\K]\n\"V\"=dword:1\n[HKEY_LOCAL_MACHINE\\k]\n\"v\"=\"s\"\n"));
  Stored v = Value("K", "V");
  EXPECT_EQ(v.type, kRegSz);
  EXPECT_EQ(v.bytes, std::string("s\0", 2));
}

struct Malformed {
  const char* name;
  std::string text;
  int line;
};

TEST_F(RegFileTest, ReportsTheFirstMalformedLineAndKeepsWhatCameBefore) {
  const std::string head = std::string(kV5) + "\n[HKEY_LOCAL_MACHINE\\K]\n\"Before\"=dword:1\n";  // lines 1-4
  const std::vector<Malformed> cases = {
      {"bad hex byte", head + "\"B\"=hex:01,0g\n\"After\"=dword:1\n", 5},
      {"three-digit hex byte", head + "\"B\"=hex:100\n", 5},
      {"empty hex byte", head + "\"B\"=hex:01,,02\n", 5},
      {"bad byte on a continuation line", head + "\"B\"=hex:01,\\\n  02,\\\n  zz\n", 7},
      {"missing equals", head + "\"Name\" dword:1\n", 5},
      {"unterminated name", head + "\"Name=dword:1\n", 5},
      {"unterminated string", head + "\"S\"=\"open\n", 5},
      {"text after a string", head + "\"S\"=\"a\" b\n", 5},
      {"unterminated key", head + "[HKEY_LOCAL_MACHINE\\K\n", 5},
      {"unknown root", head + "[HKEY_NOWHERE\\K]\n", 5},
      {"empty key", head + "[]\n", 5},
      {"bad dword", head + "\"D\"=dword:123456789\n", 5},
      {"dword with junk", head + "\"D\"=dword:12x\n", 5},
      {"empty dword", head + "\"D\"=dword:\n", 5},
      {"bad hex type", head + "\"H\"=hex(1g):00\n", 5},
      {"hex type without colon", head + "\"H\"=hex(1)00\n", 5},
      {"unknown data", head + "\"U\"=qword:1\n", 5},
      {"stray text", head + "Name=1\n", 5},
      {"value outside a key", std::string(kV5) + "\"V\"=dword:1\n", 2},
      {"value after a deleted key", head + "[-HKEY_LOCAL_MACHINE\\Other]\n\"V\"=dword:1\n", 6},
      {"key name too long", head + "[HKEY_LOCAL_MACHINE\\" + std::string(256, 'n') + "]\n", 5},
  };
  for (const Malformed& c : cases) {
    MemoryHive hive;
    RegFileError error;
    EXPECT_FALSE(LoadRegFile(c.text, hive, &error)) << c.name;
    EXPECT_EQ(error.line, c.line) << c.name;
    EXPECT_FALSE(error.message.empty()) << c.name;
    RegistryReader reader(hive);
    uint32_t before = 0;
    EXPECT_EQ(c.line > 4, reader.ReadDwordAt(kLocalMachine, "K", "Before", &before)) << c.name;
    uint32_t after = 0;
    EXPECT_FALSE(reader.ReadDwordAt(kLocalMachine, "K", "After", &after)) << c.name;
  }
}

TEST_F(RegFileTest, RejectsAMissingOrForeignHeader) {
  for (const std::string& text : {std::string(), std::string("\n"), std::string("REGEDIT5\n[HKEY_LOCAL_MACHINE\\K]\n"),
                                 std::string("\nREGEDIT4\n"), std::string("Windows Registry Editor Version 4.00\n"),
                                 std::string("\xFF\xFE")}) {
    MemoryHive hive;
    RegFileError error;
    EXPECT_FALSE(LoadRegFile(text, hive, &error)) << text;
    EXPECT_EQ(error.line, 0) << text;
  }
  EXPECT_TRUE(Load("REGEDIT4  \n"));
  EXPECT_FALSE(LoadRegFile("junk", hive_, nullptr));
}

TEST_F(RegFileTest, DeepKeyPathsAreRefused) {
  std::string path = "HKEY_LOCAL_MACHINE";
  for (int i = 0; i < 512; ++i) path += "\\k";
  ASSERT_TRUE(Load(std::string(kV4) + "[" + path + "]\n"));
  EXPECT_FALSE(Load(std::string(kV4) + "[" + path + "\\k]\n"));
  EXPECT_EQ(error_.line, 2);
}

std::string ReadFixture(const std::string& relative) {
  std::ifstream in(FixturePath(relative), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(RealHiveFixtures, LoadAndAnswerTheMonitorsPaths) {
  struct Case {
    const char* file;
    const char* instance;
    const char* deviceDesc;
    const char* storageKey;  // "" when the machine saw no USB disk
  };
  const Case cases[] = {
      {"hives/system_b.reg", "ControlSet001\\Enum\\USB\\VID_0781&PID_5580\\AA010215170355310594",
       "@usbstor.inf,%genericbulkonly.devicedesc%;USB Mass Storage Device", "ControlSet001\\Enum\\USBSTOR"},
      {"hives/system_2.reg", "ControlSet001\\Enum\\USB\\VID_80EE&PID_0021\\5&2d7ae1ff&0&1",
       "@input.inf,%hid.devicedesc%;USB Input Device", ""},
  };
  for (const Case& c : cases) {
    const std::string text = ReadFixture(c.file);
    ASSERT_FALSE(text.empty()) << c.file;
    MemoryHive hive;
    RegFileError error;
    ASSERT_TRUE(LoadRegFile(text, hive, &error)) << c.file << ":" << error.line << " " << error.message;
    RegistryReader reader(hive);
    RegKey system = 0;
    ASSERT_EQ(reader.OpenKey(kLocalMachine, "SYSTEM", &system), kErrorSuccess);
    uint32_t current = 0;
    EXPECT_TRUE(reader.ReadDwordAt(system, "Select", "Current", &current)) << c.file;
    EXPECT_EQ(current, 1u) << c.file;
    char desc[256];
    EXPECT_TRUE(reader.ReadStringAt(system, c.instance, "DeviceDesc", desc, 255)) << c.file;
    EXPECT_STREQ(desc, c.deviceDesc) << c.file;
    RegKey storage = 0;
    EXPECT_EQ(reader.OpenKey(system, "ControlSet001\\Enum\\USBSTOR", &storage),
              *c.storageKey ? kErrorSuccess : kErrorFileNotFound)
        << c.file;
    if (*c.storageKey) reader.CloseKey(storage);
    RegKey interfaces = 0;
    ASSERT_EQ(reader.OpenKey(system, "ControlSet001\\Control\\DeviceClasses\\{A5DCBF10-6530-11D2-901F-00C04FB951ED}",
                             &interfaces),
              kErrorSuccess)
        << c.file;
    char name[kSubkeyNameSize];
    EXPECT_EQ(reader.EnumSubkey(interfaces, 0, name), kErrorSuccess) << c.file;
    reader.CloseKey(interfaces);
    reader.CloseKey(system);
    EXPECT_EQ(hive.OpenKeyCount(), 0);
  }
}

TEST(RealHiveFixtures, UnterminatedSymbolicNameReadsWhole) {
  // Windows stored this REG_SZ without its NUL; the loader keeps it that way and the reader terminates it.
  MemoryHive hive;
  RegFileError error;
  ASSERT_TRUE(LoadRegFile(ReadFixture("hives/system_b.reg"), hive, &error)) << error.message;
  RegistryReader reader(hive);
  const char* parameters = "SYSTEM\\ControlSet001\\Enum\\USB\\ROOT_HUB20\\4&1671a21&0\\Device Parameters";
  RegKey key = 0;
  ASSERT_EQ(reader.OpenKey(kLocalMachine, parameters, &key), kErrorSuccess);
  uint32_t size = 0;
  EXPECT_EQ(hive.QueryValue(key, "SymbolicName", nullptr, nullptr, &size), kErrorSuccess);
  const std::string expected = "\\??\\USB#ROOT_HUB20#4&1671a21&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}";
  EXPECT_EQ(size, expected.size());
  char text[256];
  EXPECT_EQ(reader.QueryString(key, "SymbolicName", text, 255), kErrorSuccess);
  EXPECT_EQ(std::string(text), expected);
  reader.CloseKey(key);
}

}  // namespace
}  // namespace wrenhollow::test
