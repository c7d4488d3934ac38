#include "portable/registry_memory.h"

#include <algorithm>
#include <cstring>

namespace wrenhollow {

struct MemoryHive::Value {
  std::string name;  // "" is the key's default value
  uint32_t type = kRegNone;
  std::vector<uint8_t> data;
};

struct MemoryHive::Node {
  std::string name;
  std::string sortName;  // upper-cased, the order Windows keeps subkeys in
  Node* parent = nullptr;
  bool denied = false;
  std::vector<std::unique_ptr<Node>> children;  // sorted by sortName
  std::vector<Value> values;
};

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperCopy(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

// Splits at backslashes; empty components (doubled or trailing separators) are skipped.
std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// The short root names regedit also accepts.
std::string_view CanonicalRoot(std::string_view name) {
  static constexpr std::pair<std::string_view, std::string_view> kAliases[] = {
      {"HKLM", "HKEY_LOCAL_MACHINE"}, {"HKCU", "HKEY_CURRENT_USER"}, {"HKCR", "HKEY_CLASSES_ROOT"},
      {"HKU", "HKEY_USERS"},          {"HKCC", "HKEY_CURRENT_CONFIG"}};
  for (const auto& [alias, full] : kAliases) {
    if (SameName(name, alias)) return full;
  }
  return name;
}

std::string_view ValueName(const char* name) { return name ? std::string_view(name) : std::string_view(); }

}  // namespace

MemoryHive::MemoryHive() : root_(std::make_unique<Node>()) { CreateKey("HKEY_LOCAL_MACHINE"); }

MemoryHive::~MemoryHive() = default;

MemoryHive::Node* MemoryHive::Child(const Node& node, std::string_view name) {
  const std::string upper = UpperCopy(name);
  auto it = std::lower_bound(node.children.begin(), node.children.end(), upper,
                             [](const std::unique_ptr<Node>& child, const std::string& key) {
                               return child->sortName < key;
                             });
  return (it != node.children.end() && (*it)->sortName == upper) ? it->get() : nullptr;
}

MemoryHive::Node* MemoryHive::Find(std::string_view path) const {
  Node* node = root_.get();
  bool first = true;
  for (std::string_view part : SplitPath(path)) {
    node = Child(*node, first ? CanonicalRoot(part) : part);
    first = false;
    if (!node) return nullptr;
  }
  return node == root_.get() ? nullptr : node;
}

MemoryHive::Node* MemoryHive::NodeOf(RegKey key) const {
  if (key == kLocalMachine) return Child(*root_, "HKEY_LOCAL_MACHINE");
  if (key == 0 || key > handles_.size()) return nullptr;
  return handles_[key - 1];
}

long MemoryHive::OpenKey(RegKey parent, const char* path, RegKey* key) {
  Node* node = NodeOf(parent);
  if (!node) return kErrorInvalidHandle;
  if (!key) return kErrorInvalidParameter;
  for (std::string_view part : SplitPath(ValueName(path))) {
    node = Child(*node, part);
    if (!node) return kErrorFileNotFound;
  }
  if (node->denied) return kErrorAccessDenied;
  // Reuse a closed slot so that handles stay small; a handle must never collide with kLocalMachine.
  auto slot = std::find(handles_.begin(), handles_.end(), nullptr);
  if (slot == handles_.end()) {
    if (handles_.size() + 1 >= kLocalMachine) return kErrorNotEnoughMemory;
    handles_.push_back(node);
    slot = handles_.end() - 1;
  } else {
    *slot = node;
  }
  *key = static_cast<RegKey>(slot - handles_.begin()) + 1;
  return kErrorSuccess;
}

void MemoryHive::CloseKey(RegKey key) {
  if (key == 0 || key == kLocalMachine || key > handles_.size()) return;
  handles_[key - 1] = nullptr;
}

long MemoryHive::QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) {
  Node* node = NodeOf(key);
  if (!node) return kErrorInvalidHandle;
  if (data && !size) return kErrorInvalidParameter;
  const Value* value = FindValue(*node, ValueName(name));
  if (!value) return kErrorFileNotFound;
  const uint32_t needed = static_cast<uint32_t>(value->data.size());
  if (type) *type = value->type;
  if (!data) {
    if (size) *size = needed;
    return kErrorSuccess;
  }
  if (needed > *size) {
    *size = needed;
    return kErrorMoreData;
  }
  if (needed > 0) std::memcpy(data, value->data.data(), needed);
  // RegQueryValueExA terminates a string stored without its NUL when the buffer has room, size unchanged.
  const bool isString = value->type == kRegSz || value->type == kRegExpandSz || value->type == kRegMultiSz;
  if (isString && needed > 0 && needed < *size && data[needed - 1] != 0) data[needed] = 0;
  *size = needed;
  return kErrorSuccess;
}

long MemoryHive::EnumKey(RegKey key, uint32_t index, char* name, uint32_t* length) {
  Node* node = NodeOf(key);
  if (!node) return kErrorInvalidHandle;
  if (!name || !length) return kErrorInvalidParameter;
  if (index >= node->children.size()) return kErrorNoMoreItems;
  const std::string& childName = node->children[index]->name;
  if (childName.size() >= *length) return kErrorMoreData;
  std::memcpy(name, childName.data(), childName.size());
  name[childName.size()] = '\0';
  *length = static_cast<uint32_t>(childName.size());
  return kErrorSuccess;
}

void MemoryHive::CreateKey(std::string_view path) { Create(path); }

MemoryHive::Node* MemoryHive::Create(std::string_view path) {
  Node* node = root_.get();
  bool first = true;
  for (std::string_view part : SplitPath(path)) {
    if (first) part = CanonicalRoot(part);
    first = false;
    Node* child = Child(*node, part);
    if (!child) {
      auto fresh = std::make_unique<Node>();
      fresh->name = std::string(part);
      fresh->sortName = UpperCopy(part);
      fresh->parent = node;
      child = fresh.get();
      auto at = std::lower_bound(node->children.begin(), node->children.end(), fresh->sortName,
                                 [](const std::unique_ptr<Node>& c, const std::string& k) { return c->sortName < k; });
      node->children.insert(at, std::move(fresh));
    }
    node = child;
  }
  return node == root_.get() ? nullptr : node;
}

void MemoryHive::DeleteKey(std::string_view path) {
  Node* node = Find(path);
  // Root keys cannot be deleted, as with regedit.
  if (!node || node->parent == root_.get()) return;
  // A handle still open into the subtree must stay safe to use and to close, so its nodes are kept.
  bool referenced = false;
  for (Node* open : handles_) {
    for (Node* up = open; up && !referenced; up = up->parent) referenced = (up == node);
  }
  auto& siblings = node->parent->children;
  auto it = std::find_if(siblings.begin(), siblings.end(), [node](const auto& c) { return c.get() == node; });
  std::unique_ptr<Node> removed = std::move(*it);
  siblings.erase(it);
  removed->parent = nullptr;
  if (referenced) detached_.push_back(std::move(removed));
}

void MemoryHive::SetValue(std::string_view keyPath, const char* name, uint32_t type, const void* data,
                          uint32_t size) {
  Node* node = Create(keyPath);
  if (!node) return;
  const auto* bytes = static_cast<const uint8_t*>(data);
  Value* value = FindValue(*node, ValueName(name));
  if (!value) {
    node->values.push_back(Value{std::string(ValueName(name)), type, {}});
    value = &node->values.back();
  }
  value->type = type;
  value->data.assign(bytes, bytes + (bytes ? size : 0));
}

void MemoryHive::DeleteValue(std::string_view keyPath, const char* name) {
  Node* node = Find(keyPath);
  if (!node) return;
  const std::string_view wanted = ValueName(name);
  auto& values = node->values;
  values.erase(std::remove_if(values.begin(), values.end(), [&](const Value& v) { return SameName(v.name, wanted); }),
               values.end());
}

void MemoryHive::DenyAccess(std::string_view path) {
  if (Node* node = Find(path)) node->denied = true;
}

int MemoryHive::OpenKeyCount() const {
  return static_cast<int>(std::count_if(handles_.begin(), handles_.end(), [](Node* n) { return n != nullptr; }));
}

MemoryHive::Value* MemoryHive::FindValue(Node& node, std::string_view name) {
  for (Value& value : node.values) {
    if (SameName(value.name, name)) return &value;
  }
  return nullptr;
}

}  // namespace wrenhollow
