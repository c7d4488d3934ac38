#include "util/files_win32.h"

#include <cstring>

#include "util/paths.h"
#include "util/text.h"

namespace wrenhollow {

HANDLE FileHandle::Release() {
  const HANDLE handle = handle_;
  handle_ = INVALID_HANDLE_VALUE;
  return handle;
}

void FileHandle::Close() {
  if (IsOpen()) CloseHandle(Release());
}

FileHandle OpenForReading(const char* name) {
  return FileHandle(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool ReadBytes(HANDLE file, void* buffer, DWORD count, DWORD* read) {
  *read = 0;
  return ReadFile(file, buffer, count, read, nullptr) != FALSE;
}

bool FileExists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

bool CanCreateFile(const char* name) {
  return FileHandle(CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr))
      .IsOpen();
}

void GetProgramPath(char* buffer) {
  const DWORD length = GetModuleFileNameA(nullptr, buffer, kPathSize);
  // Windows XP leaves a cut path unterminated.
  if (length == 0) buffer[0] = '\0';
  buffer[kPathSize - 1] = '\0';
}

void GetProgramFolder(char* buffer) {
  GetProgramPath(buffer);
  CutToFolder(buffer);
}

void GetWindowsFolder(char* buffer) {
  static char folder[kPathSize];
  static bool read = false;
  if (!read) {
    const UINT length = GetWindowsDirectoryA(folder, kPathSize);
    if (length == 0 || length >= kPathSize) folder[0] = '\0';
    read = true;
  }
  CopyBounded(buffer, kPathSize, folder);
}

}  // namespace wrenhollow
