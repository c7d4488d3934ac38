#include "portable/reg_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "portable/registry_memory.h"
#include "support/golden.h"

namespace wrenhollow::test {
namespace {

// "path\name status", and on success the value's type and bytes in hex.
std::string Value(MemoryHive& hive, const std::string& path, const char* name) {
  RegKey key = 0;
  long status = hive.OpenKey(kLocalMachine, path.c_str(), &key);
  uint8_t data[256];
  uint32_t size = sizeof data, type = 0;
  if (status == kErrorSuccess) status = hive.QueryValue(key, name, &type, data, &size), hive.CloseKey(key);
  std::string text = path + "\\" + (name ? name : "@") + " " + std::to_string(status);
  if (status == kErrorSuccess) text += " type " + std::to_string(type) + ":";
  for (uint32_t i = 0; status == kErrorSuccess && i < size; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", data[i]);
    text += hex;
  }
  return text + "\n";
}

// Every kind of data, deletions and continuations; the file ends in a continuation line that continues again.
TEST(RegFile, StoresAndDeletesEachKindOfDataWhateverTheLineEnding) {
  const std::string text = ReadFixture("regfile/kinds.reg");
  for (const std::string eol : {"\r\n", "\n", "\r"}) {
    std::string withEol;
    for (char c : text) withEol += c == '\n' ? eol : std::string(1, c);
    MemoryHive hive;
    RegFileError error;
    ASSERT_TRUE(LoadRegFile(withEol, hive, &error)) << error.line << " " << error.message;
    std::string values;
    for (const char* name : {"Expand", "OddSz", "OddMulti", "Path", "Quote", "Odd", "Empty", "Spaced", "", "D", "One",
                             "B", "None", "Q", "Private", "Long", "After", "SpacedHex", "Tail", "V", "Drop"}) {
      values += Value(hive, "K", *name ? name : nullptr);
    }
    values += Value(hive, "K\\Sub", nullptr) + Value(hive, "K\\Sub", "Stay") + Value(hive, "K\\Gone", "X");
    ExpectGolden("regfile/kinds.values", values);
  }
}

// A REGEDIT4 file keeps its bytes (after a UTF-8 byte-order mark); UTF-16 text converts to the code page.
TEST(RegFile, Regedit4KeepsItsBytesAndUtf16ConvertsToTheCodePage) {
  MemoryHive hive;
  for (const char* file : {"regfile/regedit4.reg", "regfile/utf16.reg"}) {
    RegFileError error;
    ASSERT_TRUE(LoadRegFile(ReadFixture(file), hive, &error)) << file << error.line << " " << error.message;
  }
  ExpectGolden("regfile/encodings.values", Value(hive, "K", "E") + Value(hive, "K", "N\xE9") + Value(hive, "K", "A") +
                                               Value(hive, "CAF\xE9", "Pri\xE9") + Value(hive, "Caf\xE9", "Desc") +
                                               Value(hive, "Caf\xE9", "Han"));
}

TEST(RegFile, ReportsTheFirstMalformedLineAndKeepsWhatCameBefore) {
  const std::string v5 = "Windows Registry Editor Version 5.00\n";
  const std::string head = v5 + "\n[HKEY_LOCAL_MACHINE\\K]\n\"Before\"=dword:1\n";  // lines 1-4
  std::string deep = "HKEY_LOCAL_MACHINE";
  for (int i = 0; i < 512; ++i) deep += "\\k";
  const std::tuple<std::string, int> cases[] = {
      {head + "\"B\"=hex:01,0g\n\"After\"=dword:1\n", 5}, {head + "\"B\"=hex:100\n", 5}, {head + "\"B\"=hex:01,,02\n", 5},
      {head + "\"B\"=hex:01,\\\n  02,\\\n  zz\n", 7}, {head + "\"Name\" dword:1\n", 5}, {head + "\"Name=dword:1\n", 5},
      {head + "\"S\"=\"open\n", 5}, {head + "\"S\"=\"a\" b\n", 5}, {head + "[HKEY_LOCAL_MACHINE\\K\n", 5},
      {head + "[HKEY_NOWHERE\\K]\n", 5}, {head + "[]\n", 5}, {head + "\"D\"=dword:123456789\n", 5},
      {head + "\"D\"=dword:12x\n", 5}, {head + "\"D\"=dword:\n", 5}, {head + "\"H\"=hex(1g):00\n", 5},
      {head + "\"H\"=hex(1)00\n", 5}, {head + "\"U\"=qword:1\n", 5}, {head + "Name=1\n", 5}, {v5 + "\"V\"=dword:1\n", 2},
      {head + "[-HKEY_LOCAL_MACHINE\\Other]\n\"V\"=dword:1\n", 6},  // a value after a deleted key
      {head + "[HKEY_LOCAL_MACHINE\\" + std::string(256, 'n') + "]\n", 5}, {head + "[" + deep + "\\k]\n", 5},
      // A missing or foreign header is line 0.
      {"", 0}, {"\n", 0}, {"\nREGEDIT4\n", 0}, {"REGEDIT5\n[HKEY_LOCAL_MACHINE\\K]\n", 0}, {"\xFF\xFE", 0},
      {"Windows Registry Editor Version 4.00\n", 0}, {"junk", 0}};
  for (const auto& [text, line] : cases) {
    MemoryHive hive;
    RegFileError error;
    EXPECT_FALSE(LoadRegFile(text, hive, &error)) << text;
    EXPECT_EQ(error.line, line) << text;
    EXPECT_FALSE(error.message.empty()) << text;
    EXPECT_EQ(Value(hive, "K", "Before") + Value(hive, "K", "After"),
              (line > 4 ? "K\\Before 0 type 4: 01 00 00 00\n" : "K\\Before 2\n") + std::string("K\\After 2\n"));
  }
  MemoryHive hive;
  EXPECT_FALSE(LoadRegFile("junk", hive, nullptr));
  EXPECT_TRUE(LoadRegFile("REGEDIT4  \n[" + deep + "]\n[HKEY_LOCAL_MACHINE\\" + std::string(255, 'n') + "]\n", hive,
                          nullptr));
}

}  // namespace
}  // namespace wrenhollow::test
