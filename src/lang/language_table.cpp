#include "lang/language_table.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "util/text.h"

namespace wrenhollow {
namespace {

LanguageTable* installedTable = nullptr;

// An existing value is read only to tell it from an empty one.
constexpr size_t kPresenceSize = 16;
constexpr unsigned kLastStringId = 0xFFFF;

// programPath with the extension of its file name replaced by "_lng.ini"; "" when that would not fit a path
// buffer, since a cut name would be some other file.
std::string LanguageFileNameFor(const char* programPath) {
  // Only the file name's extension goes: a dot in a folder name must not cut the path there.
  const char* dot = std::strrchr(FileNamePart(programPath), '.');
  const size_t stemLength = dot != nullptr ? static_cast<size_t>(dot - programPath) : std::strlen(programPath);
  std::string path = std::string(programPath, stemLength) + "_lng.ini";
  return path.size() < kPathSize ? path : std::string();
}

}  // namespace

void FormatSectionName(char (&section)[kSectionSize], const char* kind, unsigned id) {
  std::snprintf(section, kSectionSize, "%s_%u", kind, id);
}

LanguageTable::LanguageTable(ProfileFiles& profiles, StringTable& strings, FileExistsFunction fileExists)
    : profiles_(profiles), strings_(strings), fileExists_(fileExists) {}

void LanguageTable::LoadLanguageFile(const char* programPath) {
  const std::string path = LanguageFileNameFor(programPath);
  if (path.empty() || !fileExists_(path.c_str())) return;
  CopyBounded(languageFilePath_, path);
  rtl_ = profiles_.ReadInt(languageFilePath_, "general", "rtl", 0) == 1;
  profiles_.ReadString(languageFilePath_, "general", "charset", "", charset_, kCharsetSize);
  profiles_.ReadString(languageFilePath_, "general", "TranslatorName", "", translatorName_, kTranslatorNameSize);
  profiles_.ReadString(languageFilePath_, "general", "TranslatorURL", "", translatorUrl_, kTranslatorUrlSize);
}

bool LanguageTable::OpenTemplateFile(const char* programPath) {
  const std::string path = LanguageFileNameFor(programPath);
  if (path.empty()) return false;
  CopyBounded(languageFilePath_, path);
  return true;
}

void LanguageTable::CloseLanguageFile() { languageFilePath_[0] = '\0'; }

size_t LanguageTable::ReadTranslation(const char* section, const char* key, char* buffer, size_t size) {
  if (size == 0) return 0;
  if (!HasLanguageFile()) {
    buffer[0] = '\0';
    return 0;
  }
  return profiles_.ReadString(languageFilePath_, section, key, "", buffer, size);
}

void LanguageTable::WriteIfAbsent(const char* section, const char* key, const char* value) {
  char present[kPresenceSize];
  if (!HasLanguageFile() || ReadTranslation(section, key, present, sizeof present) > 0) return;
  profiles_.WriteString(languageFilePath_, section, key, value);
}

void LanguageTable::WriteTemplateGeneral(const char* fileVersion) {
  if (!HasLanguageFile()) return;
  WriteIfAbsent("general", "TranslatorName", "");
  WriteIfAbsent("general", "TranslatorURL", "");
  profiles_.WriteString(languageFilePath_, "general", "Version", fileVersion);
  WriteIfAbsent("general", "RTL", "0");
}

void LanguageTable::WriteTemplateStrings() {
  char key[16];
  for (unsigned id = 0; id <= kLastStringId; ++id) {
    if (strings_.LoadText(id, work_, kWorkSize) == 0) continue;
    std::snprintf(key, sizeof key, "%u", id);
    WriteIfAbsent("strings", key, work_);
  }
}

bool LanguageTable::SetTemplateSkipList(std::initializer_list<unsigned> dialogIds) {
  if (dialogIds.size() > kSkipListCount) return false;
  skipCount_ = 0;
  for (unsigned id : dialogIds) skipList_[skipCount_++] = id;
  return true;
}

bool LanguageTable::IsSkippedInTemplate(unsigned dialogId) const {
  for (size_t i = 0; i < skipCount_; ++i) {
    if (skipList_[i] == dialogId) return true;
  }
  return false;
}

const char* LanguageTable::GetString(unsigned id) {
  for (size_t i = 0; i < cacheCount_; ++i) {
    if (cache_[i].id == id) return cacheBlock_ + cache_[i].offset;
  }
  const size_t length = LoadUncached(id);
  if (length == 0 || cacheUsed_ + length + 2 >= kCacheBlockSize || cacheCount_ >= kCacheCount) return "";
  CacheEntry& entry = cache_[cacheCount_++];
  entry = {id, cacheUsed_};
  std::memcpy(cacheBlock_ + cacheUsed_, work_, length + 1);
  cacheUsed_ += length + 1;
  return cacheBlock_ + entry.offset;
}

size_t LanguageTable::LoadUncached(unsigned id) {
  // The string table reads only the low 16 bits, which drops the bit.
  if ((id & kBuiltinText) != 0) return strings_.LoadText(id, work_, kWorkSize);
  char key[16];
  std::snprintf(key, sizeof key, "%u", id);
  const size_t length = ReadTranslation("strings", key, work_, kWorkSize);
  return length > 0 ? length : strings_.LoadText(id, work_, kWorkSize);
}

void InstallLanguageTable(LanguageTable* table) { installedTable = table; }

LanguageTable* InstalledLanguageTable() { return installedTable; }

const char* GetString(unsigned id) { return installedTable != nullptr ? installedTable->GetString(id) : ""; }

}  // namespace wrenhollow
