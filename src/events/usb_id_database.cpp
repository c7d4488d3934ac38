#include "events/usb_id_database.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "util/grow.h"
#include "util/paths.h"

namespace wrenhollow {
namespace {

constexpr char kFileName[] = "usb.ids";
constexpr size_t kFileNameLength = sizeof kFileName - 1;
// The portable build runs on systems where only "/" separates folders.
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of the four hex digits text begins with, or -1.
int ReadId(std::string_view text) {
  if (text.size() < 4) return -1;
  int id = 0;
  for (size_t i = 0; i < 4; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return -1;
    id = id * 16 + digit;
  }
  return id;
}

// The path of the file beside the program, or false when the folder leaves no room for it.
bool FormFilePath(char (&path)[kPathSize], const char* folder) {
  const size_t folderLength = std::strlen(folder);
  if (folderLength + kFileNameLength + 1 >= kPathSize) return false;
  std::memcpy(path, folder, folderLength);
  size_t length = folderLength;
  if (length > 0 && folder[length - 1] != '\\' && folder[length - 1] != '/') path[length++] = kSeparator;
  std::memcpy(path + length, kFileName, kFileNameLength + 1);
  return true;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file, terminated by one zero byte, in a malloc'ed block the caller frees; nullptr when it cannot be
// opened, is empty, or cannot be read whole (a directory opens on some systems and reports a huge size).
char* ReadWholeFile(const char* path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return nullptr;
  const long size = std::ftell(file.get());
  // Names are addressed by int offsets, so a larger file could not be held anyway.
  if (size <= 0 || size >= INT32_MAX || std::fseek(file.get(), 0, SEEK_SET) != 0) return nullptr;
  char* bytes = static_cast<char*>(std::malloc(static_cast<size_t>(size) + 1));
  if (bytes == nullptr) return nullptr;
  if (std::fread(bytes, 1, static_cast<size_t>(size), file.get()) != static_cast<size_t>(size)) {
    std::free(bytes);
    return nullptr;
  }
  bytes[size] = '\0';
  return bytes;
}

}  // namespace

void UsbIdDatabase::Clear() {
  names_.Init();
  std::free(entries_);
  entries_ = nullptr;
  entryCount_ = 0;
  entryCapacity_ = 0;
  firstVendor_.clear();
  firstProduct_.clear();
}

bool UsbIdDatabase::AppendEntry(uint16_t vendorId, uint16_t productId, uint16_t kind, std::string_view name) {
  ReserveGrow(&entries_, &entryCapacity_, entryCount_, kEntryStep);
  if (entryCapacity_ <= entryCount_) return false;
  const int nameIndex = names_.Append(name.data(), static_cast<int>(name.size()));
  if (nameIndex < 0) return false;
  entries_[entryCount_] = DeviceEntry{vendorId, productId, kind, static_cast<uint32_t>(nameIndex)};
  // emplace keeps an existing key, so the index keeps naming the first entry with those ids.
  if (kind == kVendorEntry) {
    firstVendor_.emplace(vendorId, entryCount_);
  } else {
    firstProduct_.emplace(static_cast<uint32_t>(vendorId) << 16 | productId, entryCount_);
  }
  ++entryCount_;
  return true;
}

bool UsbIdDatabase::ParseUsbIds(std::string_view text) {
  const size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  // One growth for at most one entry and one name per line, instead of one every step.
  const auto breaks = std::count_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
  if (entryCount_ + breaks + 1 < INT32_MAX && text.size() + breaks + 1 < INT32_MAX) {
    ReserveGrow(&entries_, &entryCapacity_, entryCount_ + static_cast<int>(breaks) + 1, kEntryStep);
    names_.Reserve(static_cast<int>(text.size() + breaks + 1), static_cast<int>(breaks) + 1);
  }
  uint16_t vendorId = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::string_view line = text.substr(start, end - start);
    if (line.size() > static_cast<size_t>(kLineLength)) line = line.substr(0, kLineLength);
    // CR LF ends a line and then an empty one, which is skipped like any other: the same as one break.
    start = end + 1;

    if (line.empty() || line[0] == '#') continue;
    // A line of two leading tabs (an interface) fails the digit test below after its first tab.
    const bool product = line[0] == '\t';
    if (product) line.remove_prefix(1);
    const int id = ReadId(line);
    if (id < 0) continue;
    const size_t name = line.find_first_not_of(' ', 4);
    line.remove_prefix(name == std::string_view::npos ? line.size() : name);
    const auto entryId = static_cast<uint16_t>(id);
    const bool appended = product ? AppendEntry(vendorId, entryId, kProductEntry, line)
                                  : AppendEntry(entryId, 0, kVendorEntry, line);
    if (!appended) return false;
    if (!product) vendorId = entryId;
  }
  return true;
}

const char* UsbIdDatabase::NameOf(const std::unordered_map<uint32_t, int>& index, uint32_t key) const {
  const auto found = index.find(key);
  if (found == index.end()) return nullptr;
  // Every entry's name index names a text: an entry is appended only with its name.
  return names_.Get(static_cast<int>(entries_[found->second].nameIndex));
}

const char* UsbIdDatabase::FindVendorName(uint32_t vendorId) const {
  return NameOf(firstVendor_, vendorId & 0xFFFF);
}

const char* UsbIdDatabase::FindProductName(uint32_t vendorId, uint32_t productId) const {
  return NameOf(firstProduct_, (vendorId & 0xFFFF) << 16 | (productId & 0xFFFF));
}

void LoadUsbIds(UsbIdDatabase& database, const char* programFolder, std::string_view embedded) {
  database.Clear();
  char path[kPathSize];
  char* file = FormFilePath(path, programFolder) ? ReadWholeFile(path) : nullptr;
  if (file != nullptr) {
    database.ParseUsbIds(file);
    std::free(file);
    return;
  }
  database.ParseUsbIds(embedded);
}

}  // namespace wrenhollow
