#pragma once

// The behaviour every RegistrySource must show, instantiated for the memory hive (core_tests) and the real
// registry under Wine (win32_tests). Each test imports .reg text under a key of its own, deleted first, so that
// runs against one Wine prefix do not see each other's leftovers.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "monitor/registry_reader.h"

namespace wrenhollow::test {

using TextRead = std::pair<long, std::string>;                      // status, text
using RawRead = std::tuple<long, uint32_t, uint32_t, std::string>;  // status, type, size, bytes
inline TextRead Ok(const std::string& text) { return {kErrorSuccess, text}; }
constexpr uint32_t kSizeOnly = ~0u;
constexpr RegKey kBogusKey = 0x5A5A5A0;

// A Host supplies: RegistrySource& Source(); bool Import(const std::string& regText, std::string* error);
// int OpenKeyCount() (-1 when the adapter cannot count); and bool SetBareString(const std::string& keyPath,
// const char* name, const std::string& text), which stores an ASCII REG_SZ under HKEY_LOCAL_MACHINE\keyPath
// without a terminating NUL.
template <typename Host>
class RegistryContractTest : public testing::Test {
 protected:
  void TearDown() override {
    if (root_) Source().CloseKey(root_);
    if (host_.OpenKeyCount() >= 0) {
      EXPECT_EQ(host_.OpenKeyCount(), 0) << "a key was left open";
    }
  }

  // The test's own key, relative to HKEY_LOCAL_MACHINE.
  std::string RootPath() const {
    return std::string("SOFTWARE\\WrenhollowTest\\") + testing::UnitTest::GetInstance()->current_test_info()->name();
  }

  // Imports a version 5 body in which "$ROOT" stands for the test's key, then opens that key as root_.
  void Load(std::string body) {
    const std::string root = "HKEY_LOCAL_MACHINE\\" + RootPath();
    for (size_t at; (at = body.find("$ROOT")) != std::string::npos;) body.replace(at, 5, root);
    std::string error;
    ASSERT_TRUE(host_.Import("Windows Registry Editor Version 5.00\n\n[-" + root + "]\n\n" + body, &error)) << error;
    root_ = OpenRoot();
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

  // QueryString of root_ into a buffer of limit + 1 bytes and a guard byte, which must stay untouched.
  TextRead ReadText(const char* name, uint32_t limit = 63) {
    std::string buffer(limit + 2, '#');
    const long status = reader_.QueryString(root_, name, buffer.data(), limit);
    EXPECT_EQ(buffer.back(), '#') << name;
    return {status, buffer.c_str()};
  }

  // QueryValue of root_ into `room` bytes of an 'x'-filled buffer, or none for kSizeOnly. On success with a
  // buffer, bytes are the data and the byte after it, to show whether a NUL was added.
  RawRead Query(const char* name, uint32_t room) {
    std::string buffer(72, 'x');
    uint32_t type = 0;
    uint32_t size = room == kSizeOnly ? 0 : room;
    uint8_t* data = room == kSizeOnly ? nullptr : reinterpret_cast<uint8_t*>(buffer.data());
    const long status = Source().QueryValue(root_, name, &type, data, &size);
    return {status, type, size, status == kErrorSuccess && data ? buffer.substr(0, size + 1) : ""};
  }

  RegistrySource& Source() { return host_.Source(); }

  Host host_;
  RegistryReader reader_{host_.Source()};
  RegKey root_ = 0;
};

TYPED_TEST_SUITE_P(RegistryContractTest);

TYPED_TEST_P(RegistryContractTest, OpensIgnoringCaseAndEnumeratesInOrderWhileNamesFit) {
  // Subkey names whose order is the same whether compared upper- or lower-cased.
  this->Load("[$ROOT]\n\"Name\"=\"here\"\n[$ROOT\\Outer\\Inner\\Leaf]\n\"Value\"=dword:00000007\n"
             "[$ROOT\\Vid_0781&Pid_5567]\n[$ROOT\\ROOT_HUB20]\n[$ROOT\\b]\n[$ROOT\\A1]\n[$ROOT\\ROOT_HUB]\n"
             "[$ROOT\\ROOT_HUB20\\Child]\n");
  for (const char* path : {"Outer\\Inner\\Leaf", "OUTER\\inner\\lEaF"}) {
    uint32_t value = 0;
    EXPECT_TRUE(this->reader_.ReadDwordAt(this->root_, path, "vALUE", &value) && value == 7) << path;
  }
  RegKey key = 0;
  const std::string absent = this->RootPath() + "\\Absent";
  EXPECT_EQ(this->Source().OpenKey(kLocalMachine, absent.c_str(), &key), kErrorFileNotFound);
  EXPECT_EQ(this->Source().OpenKey(kLocalMachine, (absent + "\\Outer").c_str(), &key), kErrorFileNotFound);
  EXPECT_EQ(this->Source().OpenKey(this->root_, "Outer\\Inner\\Leaf\\Deeper", &key), kErrorFileNotFound);
  EXPECT_EQ(this->Source().OpenKey(kBogusKey, "Outer", &key), kErrorInvalidHandle);
  EXPECT_EQ(this->Subkeys(this->root_),
            (std::vector<std::string>{"A1", "b", "Outer", "ROOT_HUB", "ROOT_HUB20", "Vid_0781&Pid_5567"}));
  char name[kSubkeyNameSize];
  EXPECT_EQ(this->reader_.EnumSubkey(this->root_, 6, name), kErrorNoMoreItems);
  EXPECT_EQ(this->reader_.EnumSubkey(this->root_, 1000, name), kErrorNoMoreItems);
  uint32_t length = 17;  // the NUL needs an 18th character
  EXPECT_EQ(this->Source().EnumKey(this->root_, 5, name, &length), kErrorMoreData);
  length = 18;
  EXPECT_EQ(this->Source().EnumKey(this->root_, 5, name, &length), kErrorSuccess);
  EXPECT_EQ(std::make_pair(std::string(name), length), std::make_pair(std::string("Vid_0781&Pid_5567"), 17u));
  // An empty path opens the same key again, in a handle that outlives the one it came from.
  ASSERT_EQ(this->Source().OpenKey(this->root_, "", &key), kErrorSuccess);
  EXPECT_NE(key, this->root_);
  this->Source().CloseKey(this->root_);
  this->root_ = key;
  EXPECT_EQ(this->ReadText("Name"), Ok("here"));
}

TYPED_TEST_P(RegistryContractTest, StringsReadAsStoredInAnsiWithinTheLimit) {
  // "" carries its NUL and hex(1): none; MULTI_SZ reads as its first string; EXPAND_SZ is not expanded;
  // "Caf\u00e9 \u20ac" converts to code page 1252. Names come as ANSI text: .reg text cannot write UTF-16 ones.
  const std::string cafe = "43,00,61,00,66,00,e9,00,20,00,ac,20,00,00";
  const std::string fits(126, 'f');
  this->Load(
      "[$ROOT]\n\"WithNul\"=\"\"\n\"NoBytes\"=hex(1):\n"
      "\"Multi\"=hex(7):55,00,53,00,42,00,5c,00,56,00,49,00,44,00,5f,00,31,00,00,00,55,00,53,00,42,00,5c,00,\\\n"
      "  56,00,49,00,44,00,5f,00,32,00,00,00,00,00\n"
      "\"Expand\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,00,5c,00,78,00,\\\n"
      "  00,00\n"
      "\"CafeSz\"=hex(1):" + cafe + "\n\"CafeExpand\"=hex(2):" + cafe + "\n\"CafeMulti\"=hex(7):" + cafe + ",00,00\n"
      "\"Device Desc\"=\"spaced\"\n\"a\\\"quote\"=\"quoted\"\n\"back\\\\slash\"=\"slashed\"\n"
      "\"Fits\"=\"" + fits + "\"\n\"TooLong\"=\"" + std::string(127, 't') + "\"\n");
  const std::pair<const char*, const char*> rows[] = {
      {"WithNul", ""}, {"NoBytes", ""}, {"Multi", "USB\\VID_1"}, {"Expand", "%SystemRoot%\\x"},
      {"CafeSz", "Caf\xE9 \x80"}, {"CafeExpand", "Caf\xE9 \x80"}, {"CafeMulti", "Caf\xE9 \x80"},
      {"DEVICE DESC", "spaced"}, {"A\"QUOTE", "quoted"}, {"back\\slash", "slashed"}};
  for (const auto& [name, text] : rows) EXPECT_EQ(this->ReadText(name), Ok(text)) << name;
  EXPECT_EQ(this->ReadText("Fits", 127), Ok(fits));
  EXPECT_EQ(this->ReadText("TooLong", 127), TextRead(kErrorMoreData, ""));
  EXPECT_EQ(this->Query("NoBytes", 8), RawRead(kErrorSuccess, kRegSz, 0, "x"));
  EXPECT_EQ(this->Query("Multi", 64),
            RawRead(kErrorSuccess, kRegMultiSz, 21, std::string("USB\\VID_1\0USB\\VID_2\0\0x", 22)));
  EXPECT_EQ(this->Query("CafeSz", kSizeOnly), RawRead(kErrorSuccess, kRegSz, 7, ""));
  // Stored without its NUL, a string is terminated when the buffer has room.
  ASSERT_TRUE(this->host_.SetBareString(this->RootPath(), "Bare", "AB"));
  EXPECT_EQ(this->Query("Bare", 8), RawRead(kErrorSuccess, kRegSz, 2, std::string("AB\0", 3)));
  EXPECT_EQ(this->Query("Bare", 2), RawRead(kErrorSuccess, kRegSz, 2, "ABx"));
  EXPECT_EQ(this->ReadText("Bare", 2), Ok("AB"));
}

TYPED_TEST_P(RegistryContractTest, DwordsAndBinariesNeedRoomAndReadAtOpensReadsAndCloses) {
  this->Load("[$ROOT]\n\"Dword\"=dword:12345678\n\"Short\"=hex:34,12\n\"Long\"=hex(b):01,02,03,04,05,06,07,08\n"
             "\"Text\"=\"abc\"\n\"Blob\"=hex:00,01,fe,ff,7f\n[$ROOT\\Select]\n\"Current\"=dword:00000002\n"
             "\"Name\"=\"second\"\n[$ROOT\\With]\n@=\"default text\"\n[$ROOT\\Without]\n\"Other\"=\"x\"\n");
  // QueryDword reads up to four bytes whatever the type and changes nothing when it fails.
  const std::tuple<RegKey, const char*, long, uint32_t> dwords[] = {
      {this->root_, "Dword", kErrorSuccess, 0x12345678}, {this->root_, "Short", kErrorSuccess, 0xAABB1234},
      {this->root_, "Long", kErrorMoreData, 0xAABBCCDD}, {this->root_, "Missing", kErrorFileNotFound, 0xAABBCCDD},
      {this->root_, "Text", kErrorSuccess, 0x00636261}, {kBogusKey, "Dword", kErrorInvalidHandle, 0xAABBCCDD}};
  for (const auto& [key, name, status, expected] : dwords) {
    uint32_t value = 0xAABBCCDD;
    EXPECT_EQ(this->reader_.QueryDword(key, name, &value), status) << name;
    EXPECT_EQ(value, expected) << name;
  }
  EXPECT_EQ(this->Query("Blob", 5), RawRead(kErrorSuccess, kRegBinary, 5, std::string("\0\1\xFE\xFF\x7Fx", 6)));
  EXPECT_EQ(this->Query("Blob", kSizeOnly), RawRead(kErrorSuccess, kRegBinary, 5, ""));
  uint8_t bytes[8];
  uint32_t size = 4;
  EXPECT_EQ(this->reader_.QueryBinary(this->root_, "Blob", bytes, &size), kErrorMoreData);
  EXPECT_EQ(size, 5u);
  size = 8;
  EXPECT_EQ(this->reader_.QueryBinary(this->root_, "None", bytes, &size), kErrorFileNotFound);
  const std::tuple<const char*, const char*, bool, uint32_t> dwordsAt[] = {
      {"Select", "Current", true, 2}, {"Missing", "Current", false, 1}, {"Select", "Missing", false, 1}};
  for (const auto& [path, name, found, expected] : dwordsAt) {
    uint32_t value = 1;
    EXPECT_EQ(this->reader_.ReadDwordAt(this->root_, path, name, &value), found) << path << name;
    EXPECT_EQ(value, expected) << path << name;
  }
  // The default value answers to a null and an empty name.
  const std::tuple<const char*, const char*, bool, const char*> stringsAt[] = {
      {"select", "NAME", true, "second"},      {"Missing", "Name", false, ""},    {"Select", "Missing", false, ""},
      {"With", nullptr, true, "default text"}, {"With", "", true, "default text"}, {"Without", nullptr, false, ""}};
  for (const auto& [path, name, found, expected] : stringsAt) {
    char text[32];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(this->reader_.ReadStringAt(this->root_, path, name, text, sizeof text - 1), found) << path;
    EXPECT_STREQ(text, expected) << path;
  }
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContractTest, OpensIgnoringCaseAndEnumeratesInOrderWhileNamesFit,
                            StringsReadAsStoredInAnsiWithinTheLimit,
                            DwordsAndBinariesNeedRoomAndReadAtOpensReadsAndCloses);

}  // namespace wrenhollow::test
