#include "util/version_info_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "util/text.h"

namespace wrenhollow {
namespace {

constexpr char kDefaultTable[] = "040904E4";

bool QueryText(void* block, const char* path, const char** text, UINT* length) {
  void* value = nullptr;
  UINT size = 0;
  if (!VerQueryValueA(block, path, &value, &size) || value == nullptr) return false;
  *text = static_cast<const char*>(value);
  *length = size;
  return true;
}

void ChooseTable(void* block, char (&table)[16]) {
  CopyBounded(table, kDefaultTable);
  void* value = nullptr;
  UINT size = 0;
  if (!VerQueryValueA(block, "\\VarFileInfo\\Translation", &value, &size) || value == nullptr || size < 4) return;
  const WORD* translation = static_cast<const WORD*>(value);
  char named[16];
  std::snprintf(named, sizeof named, "%4.4X%4.4X", translation[0], translation[1]);
  char path[64];
  std::snprintf(path, sizeof path, "\\StringFileInfo\\%s\\", named);
  const char* text = nullptr;
  UINT length = 0;
  if (QueryText(block, path, &text, &length)) CopyBounded(table, named);
}

}  // namespace

bool ReadVersionInfo(const char* fileName, VersionInfo* info) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(fileName, &handle);
  if (size == 0) return false;
  std::unique_ptr<char[]> block(new (std::nothrow) char[size]);
  if (block == nullptr || !GetFileVersionInfoA(fileName, 0, size, block.get())) return false;
  *info = VersionInfo();

  char table[16];
  ChooseTable(block.get(), table);
  const struct {
    const char* key;
    char* text;
  } fields[] = {
      {"ProductName", info->productName},       {"FileDescription", info->fileDescription},
      {"FileVersion", info->fileVersion},       {"ProductVersion", info->productVersion},
      {"CompanyName", info->companyName},       {"InternalName", info->internalName},
      {"LegalCopyright", info->legalCopyright}, {"OriginalFileName", info->originalFileName},
  };
  for (const auto& field : fields) {
    char path[64];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%s\\%s", table, field.key);
    const char* text = nullptr;
    UINT length = 0;
    if (!QueryText(block.get(), path, &text, &length)) continue;
    char cut[kVersionTextSize];
    CopyBounded(cut, std::string_view(text, strnlen(text, length)));
    CopyTrimmed(field.text, kVersionTextSize, cut);
  }
  return true;
}

}  // namespace wrenhollow
