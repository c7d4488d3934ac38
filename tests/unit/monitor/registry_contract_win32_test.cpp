#include "monitor/registry_contract_test.h"

#include <windows.h>

#include "monitor/registry_win32.h"
#include "support/wine_registry.h"

namespace wrenhollow::test {
namespace {

class Win32Host {
 public:
  RegistrySource& Source() { return registry_; }
  bool Import(const std::string& regText, std::string* error) { return ImportRegText(regText, error); }
  int OpenKeyCount() const { return -1; }
  bool SetBareString(const std::string& keyPath, const char* name, const std::string& text) {
    // Setting a string counts a NUL that follows the data ("NT does this"), so a non-NUL must follow it.
    const std::wstring data = std::wstring(text.begin(), text.end()) + L'x';
    const std::wstring path(keyPath.begin(), keyPath.end());
    const std::wstring wideName(name, name + std::strlen(name));
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, path.c_str(), wideName.c_str(), REG_SZ, data.data(),
                           static_cast<DWORD>(text.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
  }

 private:
  Win32Registry registry_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32Registry, RegistryContractTest, Win32Host);

using WineRegistryTest = RegistryContractTest<Win32Host>;

TEST_F(WineRegistryTest, WineOrdersSubkeysByLowerCasedName) {
  // Windows compares upper-cased names ("aB" before "a_b"); Wine compares lower-cased ones. The memory hive
  // follows Windows, so only names mixing letters with [\]^_` can enumerate differently under Wine.
  Load("[$ROOT\\a_b]\n[$ROOT\\aB]\n[$ROOT\\A1]\n[$ROOT\\a^]\n[$ROOT\\a{]\n");
  EXPECT_EQ(Subkeys(root_), (std::vector<std::string>{"A1", "a^", "a_b", "aB", "a{"}));
}

TEST_F(WineRegistryTest, WineRegeditTerminatesHexStringsAndDropsPrivateTypesOnImport) {
  // The memory hive keeps hex(1) bytes as written, as Windows' regedit does; fixtures must not depend on this.
  Load("[$ROOT]\n\"Bare\"=hex(1):41,00,42,00\n\"Before\"=dword:1\n\"Private\"=hex(ffff0012):01,02,\\\n  03,04\n"
       "\"After\"=hex(1):41,00,00,00\n");
  uint32_t size = 0;
  EXPECT_EQ(Source().QueryValue(root_, "Bare", nullptr, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, 3u);
  uint32_t value = 0;
  EXPECT_EQ(reader_.QueryDword(root_, "Before", &value), kErrorSuccess);
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(ReadText("After"), Ok("A"));
  EXPECT_EQ(reader_.QueryDword(root_, "Private", &value), kErrorFileNotFound);
}

}  // namespace
}  // namespace wrenhollow::test
