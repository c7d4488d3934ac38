#include "util/paths.h"

#include <cstring>
#include <string_view>

#include "util/text.h"

namespace wrenhollow {

void AddBackslash(char* path, size_t size) {
  const size_t length = std::strlen(path);
  if (length == 0 || path[length - 1] == '\\' || length + 1 >= size) return;
  path[length] = '\\';
  path[length + 1] = '\0';
}

void JoinPath(char* buffer, size_t size, const char* folder, const char* name) {
  if (size == 0) return;
  const size_t folderLength = std::strlen(folder);
  const size_t nameLength = std::strlen(name);
  const bool separator = folderLength > 0 && folder[folderLength - 1] != '\\';
  const size_t head = folderLength + (separator ? 1 : 0);
  if (head >= size) {
    CopyBounded(buffer, size, std::string_view(folder, folderLength));
    return;
  }
  // The name moves first so that folder or name may already lie at the start of buffer.
  const size_t room = size - 1 - head;
  const size_t count = nameLength < room ? nameLength : room;
  std::memmove(buffer + head, name, count);
  buffer[head + count] = '\0';
  std::memmove(buffer, folder, folderLength);
  if (separator) buffer[folderLength] = '\\';
}

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
