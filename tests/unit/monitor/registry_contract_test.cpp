#include "monitor/registry_contract_test.h"

#include "monitor/reg_file.h"
#include "monitor/registry_memory.h"

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
  MemoryHive& Hive() { return hive_; }

 private:
  MemoryHive hive_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(MemoryHive, RegistryContractTest, MemoryHost);

// What only the memory hive can show: Windows' own subkey order and keys that refuse to open.
using MemoryHiveTest = RegistryContractTest<MemoryHost>;

TEST_F(MemoryHiveTest, OrdersSubkeysByUpperCasedNameAsWindowsDoes) {
  // Upper-cased, "B" sorts before "_"; Wine compares lower-cased names and puts "a_b" first.
  Import("[$ROOT\\a_b]\n[$ROOT\\aB]\n[$ROOT\\A1]\n[$ROOT\\a^]\n[$ROOT\\a{]\n");
  const RegKey root = OpenRoot();
  EXPECT_EQ(Subkeys(root), (std::vector<std::string>{"A1", "aB", "a^", "a_b", "a{"}));
  Source().CloseKey(root);
}

TEST_F(MemoryHiveTest, KeyThatCannotBeOpenedStillEnumerates) {
  Import("[$ROOT\\First]\n[$ROOT\\Locked]\n[$ROOT\\Last]\n\"Seen\"=dword:1\n");
  host_.Hive().DenyAccess("HKEY_LOCAL_MACHINE\\" + RootPath() + "\\Locked");
  const RegKey root = OpenRoot();
  EXPECT_EQ(Subkeys(root), (std::vector<std::string>{"First", "Last", "Locked"}));
  RegKey key = 0;
  EXPECT_EQ(Source().OpenKey(root, "Locked", &key), kErrorAccessDenied);
  uint32_t seen = 0;
  EXPECT_TRUE(reader_.ReadDwordAt(root, "Last", "Seen", &seen));
  EXPECT_EQ(seen, 1u);
  Source().CloseKey(root);
}

TEST_F(MemoryHiveTest, HandlesAreSmallReusedAndNeverTheRootValue) {
  Import("[$ROOT]\n");
  const RegKey first = OpenRoot();
  const RegKey second = OpenRoot();
  EXPECT_NE(first, 0u);
  EXPECT_NE(first, second);
  EXPECT_NE(first, kLocalMachine);
  EXPECT_EQ(host_.OpenKeyCount(), 2);
  Source().CloseKey(first);
  EXPECT_EQ(host_.OpenKeyCount(), 1);
  EXPECT_EQ(OpenRoot(), first);
  Source().CloseKey(first);
  Source().CloseKey(second);
  Source().CloseKey(second);
  Source().CloseKey(kLocalMachine);
  EXPECT_EQ(host_.OpenKeyCount(), 0);
  uint32_t value = 0;
  EXPECT_EQ(reader_.QueryDword(first, "x", &value), kErrorInvalidHandle);
}

TEST_F(MemoryHiveTest, ReaderPassesTheSubkeyBufferLessOne) {
  // 1022 characters and the NUL fill the 1023 the reader declares; one more does not fit.
  Import("[$ROOT]\n");
  host_.Hive().CreateKey("HKEY_LOCAL_MACHINE\\" + RootPath() + "\\" + std::string(1022, 'k'));
  host_.Hive().CreateKey("HKEY_LOCAL_MACHINE\\" + RootPath() + "\\" + std::string(1023, 'l'));
  const RegKey root = OpenRoot();
  char name[kSubkeyNameSize];
  EXPECT_EQ(reader_.EnumSubkey(root, 0, name), kErrorSuccess);
  EXPECT_EQ(std::strlen(name), 1022u);
  EXPECT_EQ(reader_.EnumSubkey(root, 1, name), kErrorMoreData);
  Source().CloseKey(root);
}

TEST_F(MemoryHiveTest, DeletedKeyStaysSafeThroughAnOpenHandle) {
  Import("[$ROOT\\Doomed\\Child]\n\"Value\"=dword:3\n");
  const RegKey root = OpenRoot();
  RegKey child = 0;
  ASSERT_EQ(Source().OpenKey(root, "Doomed\\Child", &child), kErrorSuccess);
  host_.Hive().DeleteKey("HKEY_LOCAL_MACHINE\\" + RootPath() + "\\Doomed");
  RegKey again = 0;
  EXPECT_EQ(Source().OpenKey(root, "Doomed", &again), kErrorFileNotFound);
  EXPECT_TRUE(Subkeys(root).empty());
  char name[kSubkeyNameSize];
  EXPECT_EQ(reader_.EnumSubkey(child, 0, name), kErrorNoMoreItems);
  Source().CloseKey(child);
  Source().CloseKey(root);
}

TEST_F(MemoryHiveTest, RootKeysCannotBeDeleted) {
  Import("[$ROOT]\n\"Value\"=dword:3\n");
  host_.Hive().DeleteKey("HKEY_LOCAL_MACHINE");
  host_.Hive().DeleteKey("HKLM");
  uint32_t value = 0;
  EXPECT_TRUE(reader_.ReadDwordAt(kLocalMachine, RootPath().c_str(), "Value", &value));
  EXPECT_EQ(value, 3u);
}

TEST_F(MemoryHiveTest, QueryValueWithDataNeedsASize) {
  Import("[$ROOT]\n\"Value\"=dword:3\n");
  const RegKey root = OpenRoot();
  uint8_t data[4];
  EXPECT_EQ(Source().QueryValue(root, "Value", nullptr, data, nullptr), kErrorInvalidParameter);
  uint32_t type = 0;
  EXPECT_EQ(Source().QueryValue(root, "Value", &type, nullptr, nullptr), kErrorSuccess);
  EXPECT_EQ(type, kRegDword);
  Source().CloseKey(root);
}

}  // namespace
}  // namespace wrenhollow::test
