#include "lang/language_table.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "util/text.h"

namespace wrenhollow {
namespace {

LanguageTable* installedTable = nullptr;

}  // namespace

LanguageTable::LanguageTable(ProfileFiles& profiles, StringTable& strings, FileExistsFunction fileExists)
    : profiles_(profiles), strings_(strings), fileExists_(fileExists) {}

void LanguageTable::LoadLanguageFile(const char* programPath) {
  // Only the file name's extension goes: a dot in a folder name must not cut the path there.
  const char* dot = std::strrchr(FileNamePart(programPath), '.');
  const size_t stemLength = dot != nullptr ? static_cast<size_t>(dot - programPath) : std::strlen(programPath);
  const std::string path = std::string(programPath, stemLength) + "_lng.ini";
  // A cut name would be some other file.
  if (path.size() >= kPathSize || !fileExists_(path.c_str())) return;
  CopyBounded(languageFilePath_, path);
  rtl_ = profiles_.ReadInt(languageFilePath_, "general", "rtl", 0) == 1;
  profiles_.ReadString(languageFilePath_, "general", "charset", "", charset_, kCharsetSize);
  profiles_.ReadString(languageFilePath_, "general", "TranslatorName", "", translatorName_, kTranslatorNameSize);
  profiles_.ReadString(languageFilePath_, "general", "TranslatorURL", "", translatorUrl_, kTranslatorUrlSize);
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
  if (languageFilePath_[0] != '\0') {
    char key[16];
    std::snprintf(key, sizeof key, "%u", id);
    const size_t length = profiles_.ReadString(languageFilePath_, "strings", key, "", work_, kWorkSize);
    if (length > 0) return length;
  }
  return strings_.LoadText(id, work_, kWorkSize);
}

void InstallLanguageTable(LanguageTable* table) { installedTable = table; }

LanguageTable* InstalledLanguageTable() { return installedTable; }

const char* GetString(unsigned id) { return installedTable != nullptr ? installedTable->GetString(id) : ""; }

}  // namespace wrenhollow
