#pragma once

// The behaviour every RegistrySource must show, written once and instantiated for each adapter: the memory hive
// (core_tests) and the real registry under Wine (win32_tests). Each test imports its own .reg text under a key
// of its own, deleted first, so that runs against one Wine prefix do not see each other's leftovers.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "monitor/registry_reader.h"
#include "monitor/registry_source.h"

namespace wrenhollow::test {

// A Host supplies: RegistrySource& Source(); bool Import(const std::string& regText, std::string* error);
// int OpenKeyCount() (-1 when the adapter cannot count); and
// bool SetBareString(const std::string& keyPath, const char* name, const std::string& text), which stores an
// ASCII REG_SZ under HKEY_LOCAL_MACHINE\keyPath without a terminating NUL (Wine's regedit adds one on import).
template <typename Host>
class RegistryContractTest : public testing::Test {
 protected:
  void TearDown() override {
    if (host_.OpenKeyCount() >= 0) {
      EXPECT_EQ(host_.OpenKeyCount(), 0) << "a key was left open";
    }
  }

  // The test's own key, relative to HKEY_LOCAL_MACHINE.
  std::string RootPath() const {
    return std::string("SOFTWARE\\WrenhollowTest\\") + testing::UnitTest::GetInstance()->current_test_info()->name();
  }

  // Imports a version 5 body in which "$ROOT" stands for the test's key.
  void Import(const std::string& body) {
    const std::string root = "HKEY_LOCAL_MACHINE\\" + RootPath();
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[-" + root + "]\r\n\r\n";
    for (size_t i = 0; i < body.size(); ++i) {
      if (body.compare(i, 5, "$ROOT") == 0) {
        text += root;
        i += 4;
      } else if (body[i] == '\n') {
        text += "\r\n";
      } else {
        text += body[i];
      }
    }
    std::string error;
    ASSERT_TRUE(host_.Import(text, &error)) << error;
  }

  RegKey OpenRoot() {
    RegKey key = 0;
    EXPECT_EQ(Source().OpenKey(kLocalMachine, RootPath().c_str(), &key), kErrorSuccess);
    return key;
  }

  std::vector<std::string> Subkeys(RegKey key) {
    std::vector<std::string> names;
    char name[kSubkeyNameSize];
    for (uint32_t i = 0; reader_.EnumSubkey(key, i, name) == kErrorSuccess; ++i) names.push_back(name);
    return names;
  }

  RegistrySource& Source() { return host_.Source(); }

  Host host_;
  RegistryReader reader_{host_.Source()};
};

TYPED_TEST_SUITE_P(RegistryContractTest);

TYPED_TEST_P(RegistryContractTest, OpenKeyFailsWithNotFoundForMissingKeys) {
  this->Import("[$ROOT\\Present]\n");
  RegKey key = 0;
  EXPECT_EQ(this->Source().OpenKey(kLocalMachine, (this->RootPath() + "\\Absent").c_str(), &key),
            kErrorFileNotFound);
  EXPECT_EQ(this->Source().OpenKey(kLocalMachine, (this->RootPath() + "\\Absent\\Present").c_str(), &key),
            kErrorFileNotFound);
  const RegKey root = this->OpenRoot();
  EXPECT_EQ(this->Source().OpenKey(root, "Present\\Deeper", &key), kErrorFileNotFound);
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, OpensNestedPathsAndIgnoresCase) {
  this->Import("[$ROOT\\Outer\\Inner\\Leaf]\n\"Value\"=dword:00000007\n");
  const RegKey root = this->OpenRoot();
  for (const char* path : {"Outer\\Inner\\Leaf", "OUTER\\inner\\lEaF"}) {
    RegKey leaf = 0;
    ASSERT_EQ(this->Source().OpenKey(root, path, &leaf), kErrorSuccess) << path;
    uint32_t value = 0;
    EXPECT_EQ(this->reader_.QueryDword(leaf, "vALUE", &value), kErrorSuccess);
    EXPECT_EQ(value, 7u);
    this->Source().CloseKey(leaf);
  }
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, EmptyPathOpensTheSameKeyAgain) {
  this->Import("[$ROOT]\n\"Name\"=\"here\"\n");
  const RegKey root = this->OpenRoot();
  RegKey again = 0;
  ASSERT_EQ(this->Source().OpenKey(root, "", &again), kErrorSuccess);
  EXPECT_NE(again, root);
  this->Source().CloseKey(root);
  char text[16];
  EXPECT_EQ(this->reader_.QueryString(again, "Name", text, sizeof text - 1), kErrorSuccess);
  EXPECT_STREQ(text, "here");
  this->Source().CloseKey(again);
}

TYPED_TEST_P(RegistryContractTest, EnumeratesSubkeysInOrderThenReportsNoMoreItems) {
  // Names whose order is the same whether compared upper- or lower-cased.
  this->Import(
      "[$ROOT\\Vid_0781&Pid_5567]\n[$ROOT\\ROOT_HUB20]\n[$ROOT\\b]\n[$ROOT\\A1]\n[$ROOT\\ROOT_HUB]\n"
      "[$ROOT\\ROOT_HUB20\\Child]\n");
  const RegKey root = this->OpenRoot();
  EXPECT_EQ(this->Subkeys(root),
            (std::vector<std::string>{"A1", "b", "ROOT_HUB", "ROOT_HUB20", "Vid_0781&Pid_5567"}));
  char name[kSubkeyNameSize];
  EXPECT_EQ(this->reader_.EnumSubkey(root, 5, name), kErrorNoMoreItems);
  EXPECT_EQ(this->reader_.EnumSubkey(root, 1000, name), kErrorNoMoreItems);
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, EnumKeyRejectsANameThatDoesNotFit) {
  this->Import("[$ROOT\\Twelve_chars]\n");
  const RegKey root = this->OpenRoot();
  char name[16] = "unchanged";
  uint32_t length = 12;  // the NUL needs a 13th character
  EXPECT_EQ(this->Source().EnumKey(root, 0, name, &length), kErrorMoreData);
  length = 13;
  EXPECT_EQ(this->Source().EnumKey(root, 0, name, &length), kErrorSuccess);
  EXPECT_STREQ(name, "Twelve_chars");
  EXPECT_EQ(length, 12u);
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, QueryStringAcceptsUpToItsLimitNulIncluded) {
  const std::string fits(126, 'f');
  const std::string tooLong(127, 't');
  this->Import("[$ROOT]\n\"Fits\"=\"" + fits + "\"\n\"TooLong\"=\"" + tooLong + "\"\n");
  const RegKey root = this->OpenRoot();
  std::array<char, 129> buffer;  // 127 + NUL, and a guard byte
  buffer.fill('#');
  EXPECT_EQ(this->reader_.QueryString(root, "Fits", buffer.data(), 127), kErrorSuccess);
  EXPECT_EQ(std::string(buffer.data()), fits);
  EXPECT_EQ(buffer[128], '#');
  buffer.fill('#');
  EXPECT_EQ(this->reader_.QueryString(root, "TooLong", buffer.data(), 127), kErrorMoreData);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[128], '#');
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, EmptyStringsReadAsEmptyText) {
  // "" carries its NUL; hex(1): with no bytes is a value of size zero.
  this->Import("[$ROOT]\n\"WithNul\"=\"\"\n\"NoBytes\"=hex(1):\n");
  const RegKey root = this->OpenRoot();
  for (const char* name : {"WithNul", "NoBytes"}) {
    char text[8] = "xxxxxxx";
    EXPECT_EQ(this->reader_.QueryString(root, name, text, 7), kErrorSuccess) << name;
    EXPECT_STREQ(text, "") << name;
  }
  uint32_t size = 8;
  uint8_t bytes[8];
  EXPECT_EQ(this->Source().QueryValue(root, "NoBytes", nullptr, bytes, &size), kErrorSuccess);
  EXPECT_EQ(size, 0u);
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, StringTypesReadAsStoredWithoutExpansion) {
  // MULTI_SZ "USB\VID_1", "USB\VID_2"; EXPAND_SZ "%SystemRoot%\x"; both written as UTF-16.
  this->Import(
      "[$ROOT]\n"
      "\"Multi\"=hex(7):55,00,53,00,42,00,5c,00,56,00,49,00,44,00,5f,00,31,00,00,00,55,00,53,00,42,00,5c,00,\\\n"
      "  56,00,49,00,44,00,5f,00,32,00,00,00,00,00\n"
      "\"Expand\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,00,5c,00,78,00,\\\n"
      "  00,00\n");
  const RegKey root = this->OpenRoot();
  char text[64];
  EXPECT_EQ(this->reader_.QueryString(root, "Multi", text, sizeof text - 1), kErrorSuccess);
  EXPECT_STREQ(text, "USB\\VID_1");
  uint8_t raw[64];
  uint32_t size = sizeof raw;
  uint32_t type = 0;
  ASSERT_EQ(this->Source().QueryValue(root, "Multi", &type, raw, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegMultiSz);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), size), std::string("USB\\VID_1\0USB\\VID_2\0\0", 21));
  EXPECT_EQ(this->reader_.QueryString(root, "Expand", text, sizeof text - 1), kErrorSuccess);
  EXPECT_STREQ(text, "%SystemRoot%\\x");
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, StringWithoutNulIsTerminated) {
  this->Import("[$ROOT]\n");
  ASSERT_TRUE(this->host_.SetBareString(this->RootPath(), "Bare", "AB"));
  const RegKey root = this->OpenRoot();
  uint8_t raw[8];
  std::memset(raw, 'x', sizeof raw);
  uint32_t size = sizeof raw;
  ASSERT_EQ(this->Source().QueryValue(root, "Bare", nullptr, raw, &size), kErrorSuccess);
  EXPECT_EQ(size, 2u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), 3), std::string("AB\0", 3));
  std::memset(raw, 'x', sizeof raw);
  size = 2;
  ASSERT_EQ(this->Source().QueryValue(root, "Bare", nullptr, raw, &size), kErrorSuccess);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), 3), "ABx");
  char text[8];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(this->reader_.QueryString(root, "Bare", text, 2), kErrorSuccess);
  EXPECT_STREQ(text, "AB");
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, Utf16DataReadsInTheAnsiCodePage) {
  // "Caf\u00e9 \u20ac" as REG_SZ, EXPAND_SZ and MULTI_SZ; code page 1252 has both characters.
  const std::string data = "43,00,61,00,66,00,e9,00,20,00,ac,20,00,00";
  this->Import("[$ROOT]\n\"Sz\"=hex(1):" + data + "\n\"Expand\"=hex(2):" + data + "\n\"Multi\"=hex(7):" + data +
               ",00,00\n");
  const RegKey root = this->OpenRoot();
  for (const char* name : {"Sz", "Expand", "Multi"}) {
    char text[16];
    EXPECT_EQ(this->reader_.QueryString(root, name, text, sizeof text - 1), kErrorSuccess) << name;
    EXPECT_STREQ(text, "Caf\xE9 \x80") << name;
  }
  uint32_t size = 0;
  EXPECT_EQ(this->Source().QueryValue(root, "Sz", nullptr, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, 7u);
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, QueryDwordReadsFourBytesWhateverTheType) {
  this->Import(
      "[$ROOT]\n\"Dword\"=dword:12345678\n\"Short\"=hex:34,12\n\"Long\"=hex(b):01,02,03,04,05,06,07,08\n"
      "\"Text\"=\"abc\"\n");
  const RegKey root = this->OpenRoot();
  uint32_t value = 0xAABBCCDD;
  EXPECT_EQ(this->reader_.QueryDword(root, "Dword", &value), kErrorSuccess);
  EXPECT_EQ(value, 0x12345678u);
  value = 0xAABBCCDD;
  EXPECT_EQ(this->reader_.QueryDword(root, "Short", &value), kErrorSuccess);
  EXPECT_EQ(value, 0xAABB1234u);
  value = 0xAABBCCDD;
  EXPECT_EQ(this->reader_.QueryDword(root, "Long", &value), kErrorMoreData);
  EXPECT_EQ(value, 0xAABBCCDDu);
  EXPECT_EQ(this->reader_.QueryDword(root, "Missing", &value), kErrorFileNotFound);
  EXPECT_EQ(value, 0xAABBCCDDu);
  EXPECT_EQ(this->reader_.QueryDword(root, "Text", &value), kErrorSuccess);
  EXPECT_EQ(value, 0x00636261u);
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, QueryBinaryNeedsRoomForAllBytes) {
  this->Import("[$ROOT]\n\"Blob\"=hex:00,01,fe,ff,7f\n");
  const RegKey root = this->OpenRoot();
  uint8_t bytes[8] = {};
  uint32_t size = 5;
  ASSERT_EQ(this->reader_.QueryBinary(root, "Blob", bytes, &size), kErrorSuccess);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 5), (std::vector<uint8_t>{0x00, 0x01, 0xfe, 0xff, 0x7f}));
  size = 4;
  EXPECT_EQ(this->reader_.QueryBinary(root, "Blob", bytes, &size), kErrorMoreData);
  EXPECT_EQ(size, 5u);
  size = 0;
  uint32_t type = 0;
  EXPECT_EQ(this->Source().QueryValue(root, "Blob", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(type, kRegBinary);
  size = 8;
  EXPECT_EQ(this->reader_.QueryBinary(root, "None", bytes, &size), kErrorFileNotFound);
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, ReadAtOpensReadsAndCloses) {
  this->Import("[$ROOT\\Select]\n\"Current\"=dword:00000002\n\"Name\"=\"second\"\n");
  const RegKey root = this->OpenRoot();
  uint32_t value = 1;
  EXPECT_TRUE(this->reader_.ReadDwordAt(root, "Select", "Current", &value));
  EXPECT_EQ(value, 2u);
  char text[16];
  EXPECT_TRUE(this->reader_.ReadStringAt(root, "select", "NAME", text, sizeof text - 1));
  EXPECT_STREQ(text, "second");

  value = 1;
  EXPECT_FALSE(this->reader_.ReadDwordAt(root, "Missing", "Current", &value));
  EXPECT_FALSE(this->reader_.ReadDwordAt(root, "Select", "Missing", &value));
  EXPECT_EQ(value, 1u);
  std::memset(text, 'x', sizeof text);
  EXPECT_FALSE(this->reader_.ReadStringAt(root, "Missing", "Name", text, sizeof text - 1));
  EXPECT_STREQ(text, "");
  std::memset(text, 'x', sizeof text);
  EXPECT_FALSE(this->reader_.ReadStringAt(root, "Select", "Missing", text, sizeof text - 1));
  EXPECT_STREQ(text, "");
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, DefaultValueAnswersToNullAndEmptyName) {
  this->Import("[$ROOT\\With]\n@=\"default text\"\n[$ROOT\\Without]\n\"Other\"=\"x\"\n");
  const RegKey root = this->OpenRoot();
  char text[32];
  EXPECT_TRUE(this->reader_.ReadStringAt(root, "With", nullptr, text, sizeof text - 1));
  EXPECT_STREQ(text, "default text");
  EXPECT_TRUE(this->reader_.ReadStringAt(root, "With", "", text, sizeof text - 1));
  EXPECT_STREQ(text, "default text");
  EXPECT_FALSE(this->reader_.ReadStringAt(root, "Without", nullptr, text, sizeof text - 1));
  EXPECT_STREQ(text, "");
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, ValueNamesIgnoreCaseAndKeepTheirCharacters) {
  // A value name written as UTF-16 hex cannot be expressed in .reg text, so the name comes as ANSI text.
  this->Import("[$ROOT]\n\"Device Desc\"=\"spaced\"\n\"a\\\"quote\"=\"quoted\"\n\"back\\\\slash\"=\"slashed\"\n");
  const RegKey root = this->OpenRoot();
  char text[16];
  EXPECT_EQ(this->reader_.QueryString(root, "DEVICE DESC", text, sizeof text - 1), kErrorSuccess);
  EXPECT_STREQ(text, "spaced");
  EXPECT_EQ(this->reader_.QueryString(root, "A\"QUOTE", text, sizeof text - 1), kErrorSuccess);
  EXPECT_STREQ(text, "quoted");
  EXPECT_EQ(this->reader_.QueryString(root, "back\\slash", text, sizeof text - 1), kErrorSuccess);
  EXPECT_STREQ(text, "slashed");
  this->Source().CloseKey(root);
}

TYPED_TEST_P(RegistryContractTest, ClosedOrBogusHandlesAreInvalid) {
  this->Import("[$ROOT]\n\"Name\"=\"x\"\n");
  uint32_t value = 5;
  EXPECT_EQ(this->reader_.QueryDword(0x5A5A5A0, "Name", &value), kErrorInvalidHandle);
  EXPECT_EQ(value, 5u);
  RegKey key = 0;
  EXPECT_EQ(this->Source().OpenKey(0x5A5A5A0, "x", &key), kErrorInvalidHandle);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContractTest, OpenKeyFailsWithNotFoundForMissingKeys,
                            OpensNestedPathsAndIgnoresCase, EmptyPathOpensTheSameKeyAgain,
                            EnumeratesSubkeysInOrderThenReportsNoMoreItems, EnumKeyRejectsANameThatDoesNotFit,
                            QueryStringAcceptsUpToItsLimitNulIncluded, EmptyStringsReadAsEmptyText,
                            StringTypesReadAsStoredWithoutExpansion, StringWithoutNulIsTerminated,
                            Utf16DataReadsInTheAnsiCodePage, QueryDwordReadsFourBytesWhateverTheType,
                            QueryBinaryNeedsRoomForAllBytes, ReadAtOpensReadsAndCloses,
                            DefaultValueAnswersToNullAndEmptyName, ValueNamesIgnoreCaseAndKeepTheirCharacters,
                            ClosedOrBogusHandlesAreInvalid);

}  // namespace wrenhollow::test
