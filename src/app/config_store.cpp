#include "app/config_store.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "util/hex.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

// Room for the text of any 32-bit number.
constexpr size_t kNumberTextSize = 16;
// GetPrivateProfileStringA's buffer for a block's hex text.
constexpr size_t kBinaryTextSize = 8192;
// The buffer a double's text is read into.
constexpr size_t kDoubleTextSize = 255;
// Room for "%f" of any double (309 integer digits) with a generous count of decimals; longer texts are cut.
constexpr size_t kDoubleFormatSize = 512;

}  // namespace

ConfigStore::ConfigStore(ProfileFiles& files, int direction, const char* path, const char* section)
    : files_(files), direction_(direction) {
  CopyBounded(path_, path);
  CopyBounded(section_, section);
}

bool ConfigStore::ExchangeFlag(const char* key, int32_t* value, int32_t defaultValue) {
  return ExchangeInt(key, value, defaultValue);
}

bool ConfigStore::ExchangeInt(const char* key, int32_t* value, int32_t defaultValue) {
  if (IsSaving()) {
    char text[kNumberTextSize];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(*value));
    files_.WriteString(path_, section_, key, text);
  } else {
    *value = files_.ReadInt(path_, section_, key, defaultValue);
  }
  return true;
}

bool ConfigStore::ExchangeBinary(const char* key, uint8_t* block, int size) {
  if (IsSaving()) {
    char text[kHexTextSize];
    HexEncode(block, size, text, sizeof text);
    return files_.WriteString(path_, section_, key, text);
  }
  char text[kBinaryTextSize];
  if (files_.ReadString(path_, section_, key, "", text, sizeof text) == 0) return false;
  int count = size;
  HexDecode(text, &count, block);
  return true;
}

bool ConfigStore::ExchangeString(const char* key, char* buffer, const char* defaultText, size_t size) {
  if (!IsSaving()) {
    if (size > 0) files_.ReadString(path_, section_, key, defaultText, buffer, size);
    return true;
  }
  const std::string_view text = buffer;
  if (text.find('"') == std::string_view::npos) {
    files_.WriteString(path_, section_, key, buffer);
    return true;
  }
  // The reader strips one pair of surrounding quotes; the added pair keeps the text's own when it is read back.
  std::string quoted = "\"" + std::string(text.substr(0, kQuotedTextMax)) + "\"";
  quoted.resize(std::min(quoted.size(), kQuotedTextMax));
  files_.WriteString(path_, section_, key, quoted.c_str());
  return true;
}

}  // namespace wrenhollow
