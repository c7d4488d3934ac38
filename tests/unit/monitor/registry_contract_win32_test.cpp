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

}  // namespace
}  // namespace wrenhollow::test
