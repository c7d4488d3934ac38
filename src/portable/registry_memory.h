#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "portable/registry_editor.h"
#include "monitor/registry_source.h"

namespace wrenhollow {

// A registry held in memory: the portable stand-in for advapi32, filled from .reg text (reg_file.h).
// Names are ANSI and compared without regard to case; subkeys enumerate in the order Windows keeps them
// (by their upper-cased names); string data is stored as the ANSI bytes RegQueryValueExA would return.
class MemoryHive : public RegistrySource, public RegistryEditor {
 public:
  MemoryHive();
  ~MemoryHive() override;
  MemoryHive(const MemoryHive&) = delete;
  MemoryHive& operator=(const MemoryHive&) = delete;

  long OpenKey(RegKey parent, const char* path, RegKey* key) override;
  void CloseKey(RegKey key) override;
  long QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) override;
  long EnumKey(RegKey key, uint32_t index, char* name, uint32_t* length) override;

  void CreateKey(std::string_view path) override;
  void DeleteKey(std::string_view path) override;
  void SetValue(std::string_view keyPath, const char* name, uint32_t type, const void* data, uint32_t size) override;
  void DeleteValue(std::string_view keyPath, const char* name) override;
  // Makes OpenKey of an existing key fail with kErrorAccessDenied, as a key with a restrictive ACL does; it
  // still enumerates under its parent.
  void DenyAccess(std::string_view path);

  // Keys opened and not yet closed; every pass of the monitor must leave this where it found it.
  int OpenKeyCount() const;

 private:
  struct Value;
  struct Node;
  static Node* Child(const Node& node, std::string_view name);
  static Value* FindValue(Node& node, std::string_view name);
  Node* Find(std::string_view path) const;
  Node* Create(std::string_view path);
  Node* NodeOf(RegKey key) const;

  std::unique_ptr<Node> root_;  // holds the root keys (HKEY_LOCAL_MACHINE, ...) as children
  std::vector<Node*> handles_;  // open keys; a key is its index + 1, a closed slot is null
  std::vector<std::unique_ptr<Node>> detached_;  // deleted subtrees that open handles still point into
};

}  // namespace wrenhollow
