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
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
      return false;
    }
    // RegSetValueExW counts a NUL that follows the data ("NT does this"), so a non-NUL must follow it.
    std::wstring wide(text.begin(), text.end());
    wide += L'x';
    const std::wstring wideName(name, name + std::strlen(name));
    const LONG status = RegSetValueExW(key, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.data()),
                                       static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }

 private:
  Win32Registry registry_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32Registry, RegistryContractTest, Win32Host);

using WineRegistryTest = RegistryContractTest<Win32Host>;

TEST_F(WineRegistryTest, WineOrdersSubkeysByLowerCasedName) {
  // Windows compares upper-cased names ("aB" before "a_b"); Wine compares lower-cased ones. The memory hive
  // follows Windows, so only names mixing letters with [\]^_` can enumerate differently under Wine.
  Import("[$ROOT\\a_b]\n[$ROOT\\aB]\n[$ROOT\\A1]\n[$ROOT\\a^]\n[$ROOT\\a{]\n");
  const RegKey root = OpenRoot();
  EXPECT_EQ(Subkeys(root), (std::vector<std::string>{"A1", "a^", "a_b", "aB", "a{"}));
  Source().CloseKey(root);
}

TEST_F(WineRegistryTest, WineRegeditTerminatesHexStringsOnImport) {
  // The memory hive keeps hex(1) bytes as written, as Windows' regedit does; fixtures must not depend on this.
  Import("[$ROOT]\n\"Bare\"=hex(1):41,00,42,00\n");
  const RegKey root = OpenRoot();
  uint32_t size = 0;
  EXPECT_EQ(Source().QueryValue(root, "Bare", nullptr, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, 3u);
  Source().CloseKey(root);
}

TEST_F(WineRegistryTest, ImportDropsPrivateTypesButKeepsTheRest) {
  Import("[$ROOT\\Properties]\n\"Before\"=dword:1\n\"Private\"=hex(ffff0012):01,02,\\\n  03,04\n"
         "\"After\"=hex(1):41,00,00,00\n");
  const RegKey root = OpenRoot();
  uint32_t value = 0;
  EXPECT_TRUE(reader_.ReadDwordAt(root, "Properties", "Before", &value));
  char text[8];
  EXPECT_TRUE(reader_.ReadStringAt(root, "Properties", "After", text, sizeof text - 1));
  EXPECT_STREQ(text, "A");
  EXPECT_FALSE(reader_.ReadDwordAt(root, "Properties", "Private", &value));
  Source().CloseKey(root);
}

}  // namespace
}  // namespace wrenhollow::test
