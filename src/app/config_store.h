#pragma once

#include <cstddef>
#include <cstdint>

#include "util/profile_files.h"

namespace wrenhollow {

// The settings file's path, terminator included.
constexpr size_t kConfigPathSize = 261;
// The section name, terminator included.
constexpr size_t kConfigSectionSize = 64;
// Most characters ExchangeString writes for a text that it wraps in double quotes.
constexpr size_t kQuotedTextMax = 65534;

constexpr int kConfigLoad = 0;
constexpr int kConfigSave = 1;

// One load or one save of settings in a private INI file. Each Exchange operation reads its key into the
// caller's variable when loading and writes the variable into the key when saving, so one walk over a list of
// keys serves both directions. Write failures are reported by ExchangeBinary alone.
class ConfigStore {
 public:
  // direction: kConfigLoad (0), or any other value to save. The path and the section are copied, cut to
  // kConfigPathSize - 1 and kConfigSectionSize - 1 characters.
  ConfigStore(ProfileFiles& files, int direction, const char* path, const char* section);

  bool IsSaving() const { return direction_ != kConfigLoad; }

  // ExchangeInt, for a flag: on when non-zero.
  bool ExchangeFlag(const char* key, int32_t* value, int32_t defaultValue);
  // Load: the key's number as GetPrivateProfileIntA reads it, the default when the key is missing or empty.
  // Save: decimal text. True.
  bool ExchangeInt(const char* key, int32_t* value, int32_t defaultValue);
  // Load: decodes the key's hex pairs (HexDecode) into the block; bytes beyond the decoded ones keep their
  // content. True when the key has a non-empty value. Save: HexEncode of at most kHexMaxBytes bytes, an empty
  // value for none; whether the file was written.
  bool ExchangeBinary(const char* key, uint8_t* block, int size);
  // Load: the key's text or the default, at most size - 1 characters. Save: the text, wrapped in double quotes
  // (and then cut to kQuotedTextMax characters) when it holds one, so that reading it back keeps its own
  // quotes. True.
  bool ExchangeString(const char* key, char* buffer, const char* defaultText, size_t size);

 private:
  ProfileFiles& files_;
  int direction_;
  char path_[kConfigPathSize];
  char section_[kConfigSectionSize];
};

}  // namespace wrenhollow
