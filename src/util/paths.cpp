#include "util/paths.h"

#include <cstring>
#include <string_view>

#include "util/text.h"

namespace wrenhollow {

const char* FileNamePart(const char* path) {
  const char* part = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/') part = p + 1;
  }
  return part;
}

void CutToFolder(char* path) {
  char* last = std::strrchr(path, '\\');
  if (last != nullptr) *last = '\0';
}

}  // namespace wrenhollow
