#include "device_simulator/reg_script.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "portable/reg_file.h"

namespace wrenhollow::e2e {
namespace {

// The registry API behind the .reg loader; remembers the first failure, as the loader expects no answers.
class Win32RegistryEditor : public RegistryEditor {
 public:
  void CreateKey(std::string_view path) override {
    HKEY key = Create(path);
    if (key != nullptr) RegCloseKey(key);
  }

  void DeleteKey(std::string_view path) override {
    std::string subkey;
    const HKEY root = Split(path, &subkey);
    if (root == nullptr) return;
    const LONG status = RegDeleteTreeA(root, subkey.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) Fail("cannot delete", path, status);
  }

  void SetValue(std::string_view keyPath, const char* name, uint32_t type, const void* data, uint32_t size) override {
    HKEY key = Create(keyPath);
    if (key == nullptr) return;
    const auto* bytes = static_cast<const BYTE*>(data);
    LONG status = RegSetValueExA(key, name, 0, type, bytes, size);
    std::vector<BYTE> stored(size + 2);
    DWORD storedSize = static_cast<DWORD>(stored.size());
    if (status == ERROR_SUCCESS) status = RegQueryValueExA(key, name, nullptr, nullptr, stored.data(), &storedSize);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
      Fail("cannot set a value of", keyPath, status);
    } else if (storedSize != size || !std::equal(bytes, bytes + size, stored.begin())) {
      Fail("a value reads back changed in", keyPath, 0);
    }
  }

  void DeleteValue(std::string_view keyPath, const char* name) override {
    HKEY key = Create(keyPath);
    if (key == nullptr) return;
    const LONG status = RegDeleteValueA(key, name);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) Fail("cannot delete a value of", keyPath, status);
  }

  const std::string& Error() const { return error_; }

 private:
  static HKEY Split(std::string_view path, std::string* subkey) {
    const size_t slash = path.find('\\');
    const std::string root(path.substr(0, slash));
    *subkey = slash == std::string_view::npos ? "" : std::string(path.substr(slash + 1));
    const struct {
      const char* name;
      HKEY key;
    } roots[] = {{"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                 {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {"HKEY_USERS", HKEY_USERS},
                 {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}};
    for (const auto& candidate : roots) {
      if (_stricmp(candidate.name, root.c_str()) == 0) return candidate.key;
    }
    return nullptr;
  }

  HKEY Create(std::string_view path) {
    std::string subkey;
    const HKEY root = Split(path, &subkey);
    HKEY key = nullptr;
    const LONG status = root == nullptr ? ERROR_INVALID_PARAMETER
                                        : RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                          &key, nullptr);
    if (status != ERROR_SUCCESS) {
      Fail("cannot create", path, status);
      return nullptr;
    }
    return key;
  }

  void Fail(const char* what, std::string_view path, LONG status) {
    if (!error_.empty()) return;
    error_ = std::string(what) + " " + std::string(path);
    if (status != 0) error_ += ": error " + std::to_string(status);
  }

  std::string error_;
};

}  // namespace

bool ApplyRegText(std::string_view bytes, std::string* error) {
  Win32RegistryEditor registry;
  RegFileError fileError;
  if (!LoadRegFile(bytes, registry, &fileError)) {
    *error = "line " + std::to_string(fileError.line) + ": " + fileError.message;
    return false;
  }
  *error = registry.Error();
  return error->empty();
}

bool ApplyRegFile(const std::string& path, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (!ApplyRegText(bytes.str(), error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

}  // namespace wrenhollow::e2e
