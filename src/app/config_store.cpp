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

bool ConfigStore::ExchangeLong(const char* key, int32_t* value, int32_t defaultValue) {
  return ExchangeInt(key, value, defaultValue);
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

bool ConfigStore::ExchangeUShort(const char* key, uint16_t* value, uint16_t defaultValue) {
  int32_t wide = *value;
  ExchangeInt(key, &wide, defaultValue);
  *value = static_cast<uint16_t>(wide);
  return true;
}

bool ConfigStore::ExchangeShort(const char* key, int16_t* value, int16_t defaultValue) {
  int32_t wide = *value;
  ExchangeLong(key, &wide, defaultValue);
  *value = static_cast<int16_t>(static_cast<uint16_t>(wide));
  return true;
}

bool ConfigStore::DeleteKey(const char* key) {
  files_.WriteString(path_, section_, key, nullptr);
  return true;
}

bool ConfigStore::ExchangeDouble(const char* key, int decimals, double* value, double defaultValue) {
  char text[kDoubleFormatSize];
  if (IsSaving()) {
    std::snprintf(text, sizeof text, "%0.*f", decimals, *value);
    return ExchangeString(key, text, "", sizeof text);
  }
  char defaultText[kDoubleFormatSize];
  std::snprintf(defaultText, sizeof defaultText, "%0.*f", decimals, defaultValue);
  ExchangeString(key, text, defaultText, kDoubleTextSize);
  // Text that is not wholly a finite number ("abc", "1.5x", "inf", "") leaves the default: a partial or
  // overflowing reading is more likely a damaged file than a setting.
  char* end = nullptr;
  const double parsed = std::strtod(text, &end);
  *value = end != text && *end == '\0' && std::isfinite(parsed) ? parsed : defaultValue;
  return true;
}

}  // namespace wrenhollow
