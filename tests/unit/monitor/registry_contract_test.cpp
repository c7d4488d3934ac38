#include "monitor/registry_contract_test.h"

#include "portable/reg_file.h"
#include "portable/registry_memory.h"

namespace wrenhollow::test {
namespace {

class MemoryHost {
 public:
  RegistrySource& Source() { return hive_; }
  bool Import(const std::string& regText, std::string* error) {
    RegFileError failure;
    if (LoadRegFile(regText, hive_, &failure)) return true;
    *error = "line " + std::to_string(failure.line) + ": " + failure.message;
    return false;
  }
  int OpenKeyCount() const { return hive_.OpenKeyCount(); }
  bool SetBareString(const std::string& keyPath, const char* name, const std::string& text) {
    hive_.SetValue("HKEY_LOCAL_MACHINE\\" + keyPath, name, kRegSz, text.data(), static_cast<uint32_t>(text.size()));
    return true;
  }
  MemoryHive hive_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(MemoryHive, RegistryContractTest, MemoryHost);

// What only the memory hive can show: Windows' own subkey order, refused keys, handles and editing.
class MemoryHiveTest : public RegistryContractTest<MemoryHost> {
 protected:
  std::string Full(const std::string& relative) { return "HKEY_LOCAL_MACHINE\\" + RootPath() + relative; }
  MemoryHive& hive_ = host_.hive_;
};

TEST_F(MemoryHiveTest, OrdersByUpperCasedNameAndEnumeratesKeysItCannotOpen) {
  // Upper-cased, "B" sorts before "_" (Wine compares lower-cased names and puts "a_b" first).
  Load("[$ROOT\\a_b]\n[$ROOT\\aB]\n[$ROOT\\A1]\n[$ROOT\\a^]\n[$ROOT\\a{]\n[$ROOT\\Locked]\n");
  hive_.DenyAccess(Full("\\Locked"));
  EXPECT_EQ(Subkeys(root_), (std::vector<std::string>{"A1", "aB", "a^", "a_b", "a{", "Locked"}));
  RegKey key = 0;
  EXPECT_EQ(Source().OpenKey(root_, "Locked", &key), kErrorAccessDenied);
  EXPECT_EQ(Source().OpenKey(root_, "a_b", &key), kErrorSuccess);
  Source().CloseKey(key);
}

TEST_F(MemoryHiveTest, HandlesAreReusedAndNeverTheRootValue) {
  Load("[$ROOT]\n\"Value\"=dword:3\n");
  const RegKey first = OpenRoot(), second = OpenRoot();
  EXPECT_NE(first, 0u);
  EXPECT_NE(first, second);
  EXPECT_NE(first, kLocalMachine);
  EXPECT_EQ(hive_.OpenKeyCount(), 3);
  Source().CloseKey(first);
  EXPECT_EQ(hive_.OpenKeyCount(), 2);
  EXPECT_EQ(OpenRoot(), first);
  for (RegKey key : {first, second, second, kLocalMachine}) Source().CloseKey(key);
  EXPECT_EQ(hive_.OpenKeyCount(), 1);
  uint32_t value = 0;
  EXPECT_EQ(reader_.QueryDword(first, "x", &value), kErrorInvalidHandle);
  // Data needs a size.
  uint8_t data[4];
  EXPECT_EQ(Source().QueryValue(root_, "Value", nullptr, data, nullptr), kErrorInvalidParameter);
  uint32_t type = 0;
  EXPECT_EQ(Source().QueryValue(root_, "Value", &type, nullptr, nullptr), kErrorSuccess);
  EXPECT_EQ(type, kRegDword);
}

TEST_F(MemoryHiveTest, ReaderPassesTheSubkeyBufferLessOne) {
  // 1022 characters and the NUL fill the 1023 the reader declares; one more does not fit.
  Load("[$ROOT]\n");
  hive_.CreateKey(Full("\\" + std::string(1022, 'k')));
  hive_.CreateKey(Full("\\" + std::string(1023, 'l')));
  char name[kSubkeyNameSize];
  EXPECT_EQ(reader_.EnumSubkey(root_, 0, name), kErrorSuccess);
  EXPECT_EQ(std::strlen(name), 1022u);
  EXPECT_EQ(reader_.EnumSubkey(root_, 1, name), kErrorMoreData);
}

TEST_F(MemoryHiveTest, DeletingKeepsRootKeysAndOpenHandlesSafe) {
  Load("[$ROOT\\Doomed\\Child]\n\"Value\"=dword:3\n");
  RegKey child = 0;
  ASSERT_EQ(Source().OpenKey(root_, "Doomed\\Child", &child), kErrorSuccess);
  for (const std::string& path : {Full("\\Doomed"), std::string("HKEY_LOCAL_MACHINE"), std::string("HKLM")}) {
    hive_.DeleteKey(path);
  }
  RegKey again = 0;
  EXPECT_EQ(Source().OpenKey(root_, "Doomed", &again), kErrorFileNotFound);
  EXPECT_TRUE(Subkeys(root_).empty());
  char name[kSubkeyNameSize];
  EXPECT_EQ(reader_.EnumSubkey(child, 0, name), kErrorNoMoreItems);
  Source().CloseKey(child);
  EXPECT_EQ(Source().OpenKey(kLocalMachine, RootPath().c_str(), &again), kErrorSuccess);
  Source().CloseKey(again);
}

}  // namespace
}  // namespace wrenhollow::test
