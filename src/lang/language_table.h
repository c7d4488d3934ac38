#pragma once

#include <cstddef>
#include <initializer_list>

#include "lang/string_table.h"
#include "util/paths.h"
#include "util/profile_files.h"

namespace wrenhollow {

// Ask GetString for this bit with an id to get the program's own text, never a translation.
constexpr unsigned kBuiltinText = 0x10000;

// Size of a section name buffer ("menu_102", "dialog_1096").
constexpr size_t kSectionSize = 64;

// The section of a menu or dialog resource: kind, "_" and the id in decimal ("menu_102").
void FormatSectionName(char (&section)[kSectionSize], const char* kind, unsigned id);

// Whether a file of that name exists (GetFileAttributesA on Windows).
using FileExistsFunction = bool (*)(const char* path);

// Every user-visible text by string id: the language file's translation when it has one, else the program's own.
// A text is fixed at its first lookup: the cache only grows, and once it is full new ids give "".
class LanguageTable {
 public:
  static constexpr size_t kCacheCount = 256;
  static constexpr size_t kCacheBlockSize = 32768;
  static constexpr size_t kWorkSize = 4096;
  static constexpr size_t kCharsetSize = 63;
  static constexpr size_t kTranslatorNameSize = 63;
  static constexpr size_t kTranslatorUrlSize = 255;
  static constexpr size_t kSkipListCount = 8;

  LanguageTable(ProfileFiles& profiles, StringTable& strings, FileExistsFunction fileExists);
  LanguageTable(const LanguageTable&) = delete;
  LanguageTable& operator=(const LanguageTable&) = delete;

  // Puts the language file beside the program in use when it exists: programPath cut at the last "." of its
  // file name (none: the whole path), then "_lng.ini". A missing file, or a name longer than a path buffer
  // holds, leaves everything as it was. Reads rtl, charset and the translator from [general].
  void LoadLanguageFile(const char* programPath);

  // Puts the language file named as LoadLanguageFile names it in use whether or not it exists, so that the
  // template can be written into it; false, with nothing changed, when the name is too long.
  bool OpenTemplateFile(const char* programPath);
  // No language file is in use from now on; the [general] settings read stay as they are.
  void CloseLanguageFile();

  // The value of key in section of the language file, cut to size - 1 characters; 0 and "" when no language
  // file is in use or the key is missing or empty. Size 0 stores nothing.
  size_t ReadTranslation(const char* section, const char* key, char* buffer, size_t size);
  // Writes value under key unless the language file holds a non-empty value there already, so that a new
  // template keeps the translations. Nothing without a language file; write failures go unreported.
  void WriteIfAbsent(const char* section, const char* key, const char* value);
  // The template's [general]: empty translator name and URL and "RTL" = "0" where absent, and Version always
  // rewritten with the program's file version.
  void WriteTemplateGeneral(const char* fileVersion);
  // The template's [strings]: every string id from 0 through 65535 that has a text, where absent.
  void WriteTemplateStrings();

  // The template id of the modal dialog shown last; TranslateDialog uses it when given id 0. Starts as 0.
  void SetModalDialogId(unsigned id) { modalDialogId_ = id; }
  unsigned ModalDialogId() const { return modalDialogId_; }
  // The dialogs the template leaves out; false, with the list unchanged, for more than kSkipListCount ids.
  bool SetTemplateSkipList(std::initializer_list<unsigned> dialogIds);
  bool IsSkippedInTemplate(unsigned dialogId) const;

  // The text of id, or "" for an id with no text and for a new id once the cache is full. The pointer stays
  // valid for the table's life.
  const char* GetString(unsigned id);

  // "" when no language file is in use.
  const char* LanguageFilePath() const { return languageFilePath_; }
  bool HasLanguageFile() const { return languageFilePath_[0] != '\0'; }
  bool IsRtl() const { return rtl_; }
  const char* Charset() const { return charset_; }
  const char* TranslatorName() const { return translatorName_; }
  const char* TranslatorUrl() const { return translatorUrl_; }

 private:
  struct CacheEntry {
    unsigned id;
    size_t offset;
  };

  // Fills work_ with the uncached text of id; returns its length.
  size_t LoadUncached(unsigned id);

  ProfileFiles& profiles_;
  StringTable& strings_;
  FileExistsFunction fileExists_;
  char languageFilePath_[kPathSize] = {};
  bool rtl_ = false;
  char charset_[kCharsetSize] = {};
  char translatorName_[kTranslatorNameSize] = {};
  char translatorUrl_[kTranslatorUrlSize] = {};
  CacheEntry cache_[kCacheCount] = {};
  size_t cacheCount_ = 0;
  char cacheBlock_[kCacheBlockSize] = {};
  size_t cacheUsed_ = 0;
  char work_[kWorkSize] = {};
  unsigned modalDialogId_ = 0;
  unsigned skipList_[kSkipListCount] = {};
  size_t skipCount_ = 0;
};

// The program's one table, installed at start-up before any window exists and alive until exit; the window code
// reaches it through GetString below.
void InstallLanguageTable(LanguageTable* table);
LanguageTable* InstalledLanguageTable();
// GetString of the installed table; "" when none is installed.
const char* GetString(unsigned id);

}  // namespace wrenhollow
