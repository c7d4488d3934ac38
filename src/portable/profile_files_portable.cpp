#include "portable/profile_files_portable.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "util/text.h"

namespace wrenhollow {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// GetPrivateProfileIntA reads the value into a buffer of this many characters before converting it.
constexpr size_t kNumberTextSize = 30;

struct IniKey {
  std::string name;
  std::string value;
  bool hasValue = false;
};

struct IniSection {
  std::string name;
  std::vector<IniKey> keys;
};

struct IniDocument {
  bool utf8Mark = false;
  std::vector<IniSection> sections;
};

enum class FileState { kLoaded, kMissing, kUnreadable };

bool IsBlank(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x09 && byte <= 0x0D) || byte == 0x1A || byte == ' ';
}

std::string_view TrimLeading(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimLeading(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Wine keeps names and values as C strings, so a NUL byte ends them.
std::string UpToNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

void Parse(std::string_view text, IniDocument* document) {
  // Wine starts no section at all for an empty file, and a nameless one for anything else.
  if (text.empty()) return;
  if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    document->utf8Mark = true;
    text.remove_prefix(kUtf8Mark.size());
  }
  document->sections.emplace_back();
  bool afterKey = false;
  bool afterEmptyName = false;
  size_t next = 0;
  while (next < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", next), text.size());
    const std::string_view line = Trim(text.substr(next, end - next));
    next = std::min(text.find_first_not_of("\r\n", end), text.size());
    if (line.empty()) continue;
    const size_t close = line.rfind(']');
    if (line.front() == '[' && close != std::string_view::npos && close > 0) {
      document->sections.push_back({UpToNul(Trim(line.substr(1, close - 1))), {}});
      afterKey = false;
      continue;
    }
    const size_t equals = line.find('=');
    const std::string_view name = Trim(line.substr(0, equals));
    // Wine drops a nameless line that follows another nameless one.
    if (name.empty() && afterKey && afterEmptyName) continue;
    IniKey key{UpToNul(name), "", equals != std::string_view::npos};
    if (key.hasValue) key.value = UpToNul(Trim(line.substr(equals + 1)));
    afterKey = true;
    afterEmptyName = key.name.empty();
    document->sections.back().keys.push_back(std::move(key));
  }
}

std::string Format(const IniDocument& document) {
  std::string text(document.utf8Mark ? kUtf8Mark : std::string_view());
  for (const IniSection& section : document.sections) {
    if (!section.name.empty()) text += "[" + section.name + "]\r\n";
    for (const IniKey& key : section.keys) {
      text += key.name;
      if (key.hasValue) text += "=" + key.value;
      text += "\r\n";
    }
  }
  return text;
}

bool FolderExists(std::string_view path) {
  const size_t separator = path.find_last_of("/\\");
  if (separator == std::string_view::npos) return true;
  const std::string folder(path.substr(0, separator == 0 ? 1 : separator));
  struct stat status {};
  return stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Wine opens the file for reading and, before a write, for writing too: a file that exists but cannot be opened
// that way, or a folder that does not exist, is unreadable, and only a missing file in an existing folder reads
// as empty.
FileState Load(const char* path, bool forWriting, IniDocument* document) {
  std::FILE* file = std::fopen(path, forWriting ? "r+b" : "rb");
  if (file == nullptr) return errno == ENOENT && FolderExists(path) ? FileState::kMissing : FileState::kUnreadable;
  std::string text;
  char chunk[4096];
  size_t count = 0;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, count);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return FileState::kUnreadable;
  Parse(text, document);
  return FileState::kLoaded;
}

bool Save(const char* path, const IniDocument& document) {
  const std::string text = Format(document);
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

IniSection* FindSection(IniDocument& document, std::string_view name) {
  for (IniSection& section : document.sections) {
    if (EqualsNoCase(section.name, name)) return &section;
  }
  return nullptr;
}

IniKey* FindKey(IniSection& section, std::string_view name) {
  for (IniKey& key : section.keys) {
    if (EqualsNoCase(key.name, name)) return &key;
  }
  return nullptr;
}

// Only the first section of the name is searched, as Wine does.
const IniKey* Lookup(IniDocument& document, const char* section, const char* key) {
  IniSection* found = FindSection(document, Trim(section));
  return found != nullptr ? FindKey(*found, Trim(key)) : nullptr;
}

IniKey& FindOrAdd(IniDocument& document, const char* section, const char* key) {
  IniSection* found = FindSection(document, Trim(section));
  if (found == nullptr) found = &document.sections.emplace_back(IniSection{std::string(TrimLeading(section)), {}});
  if (IniKey* existing = FindKey(*found, Trim(key))) return *existing;
  return found->keys.emplace_back(IniKey{std::string(TrimLeading(key)), "", false});
}

bool Remove(IniDocument& document, std::string_view section, std::string_view key) {
  for (IniSection& candidate : document.sections) {
    if (!EqualsNoCase(candidate.name, section)) continue;
    for (auto it = candidate.keys.begin(); it != candidate.keys.end(); ++it) {
      if (EqualsNoCase(it->name, key)) {
        candidate.keys.erase(it);
        return true;
      }
    }
  }
  return false;
}

// The default loses trailing spaces, though Wine keeps its first character even when that is one.
std::string_view TrimDefault(const char* text) {
  std::string_view trimmed = text != nullptr ? text : "";
  while (trimmed.size() > 1 && trimmed.back() == ' ') trimmed.remove_suffix(1);
  return trimmed;
}

// Wine's copy: a text longer than one character that starts and ends with the same quote loses the first quote,
// is cut to size - 1 characters, and loses its last character when the rest of the text fits in size, which is
// the closing quote unless the buffer was exactly one too small.
void CopyUnquoted(std::string_view text, char* buffer, size_t size) {
  const bool quoted = text.size() > 1 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
  if (quoted) text.remove_prefix(1);
  CopyBounded(buffer, size, text);
  const size_t length = std::char_traits<char>::length(buffer);
  if (quoted && size >= text.size() && length > 0) buffer[length - 1] = '\0';
}

int DigitValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return -1;
}

// RtlUnicodeStringToInteger with base 0, which Wine's GetPrivateProfileIntA uses.
uint32_t ParseNumber(const char* text) {
  auto p = reinterpret_cast<const unsigned char*>(text);
  while (*p != '\0' && *p <= ' ') ++p;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  uint32_t base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
    base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
    p += 2;
  }
  uint32_t total = 0;
  for (int digit = DigitValue(*p); digit >= 0 && static_cast<uint32_t>(digit) < base; digit = DigitValue(*++p)) {
    total = total * base + static_cast<uint32_t>(digit);
  }
  return negative ? 0u - total : total;
}

}  // namespace

int PortableProfileFiles::ReadInt(const char* path, const char* section, const char* key, int defaultValue) {
  char text[kNumberTextSize];
  if (ReadString(path, section, key, "", text, sizeof text) == 0) return defaultValue;
  return static_cast<int>(ParseNumber(text));
}

size_t PortableProfileFiles::ReadString(const char* path, const char* section, const char* key,
                                        const char* defaultValue, char* buffer, size_t size) {
  if (size == 0) return 0;
  const std::string_view fallback = TrimDefault(defaultValue);
  IniDocument document;
  if (Load(path, false, &document) == FileState::kUnreadable) {
    CopyBounded(buffer, size, fallback);
  } else {
    const IniKey* found = Lookup(document, section, key);
    CopyUnquoted(found != nullptr && found->hasValue ? std::string_view(found->value) : fallback, buffer, size);
  }
  return std::char_traits<char>::length(buffer);
}

bool PortableProfileFiles::WriteString(const char* path, const char* section, const char* key, const char* value) {
  IniDocument document;
  if (Load(path, true, &document) == FileState::kUnreadable) return false;
  if (value == nullptr) return !Remove(document, section, key) || Save(path, document);
  const std::string_view text = TrimLeading(value);
  IniKey& target = FindOrAdd(document, section, key);
  if (target.hasValue && target.value == text) return true;
  target.value = std::string(text);
  target.hasValue = true;
  return Save(path, document);
}

}  // namespace wrenhollow
