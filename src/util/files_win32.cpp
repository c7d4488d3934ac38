#include "util/files_win32.h"

#include <cstring>

#include "util/paths.h"
#include "util/text.h"

namespace wrenhollow {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.Release();
  }
  return *this;
}

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

FileHandle CreateForWriting(const char* name) {
  return FileHandle(
      CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool WriteText(HANDLE file, const char* text) {
  const DWORD length = static_cast<DWORD>(std::strlen(text));
  DWORD written = 0;
  return WriteFile(file, text, length, &written, nullptr) && written == length;
}

bool ReadBytes(HANDLE file, void* buffer, DWORD count, DWORD* read) {
  *read = 0;
  return ReadFile(file, buffer, count, read, nullptr) != FALSE;
}

bool WriteUtf16Mark(HANDLE file) {
  static constexpr unsigned char kMark[2] = {0xFF, 0xFE};
  DWORD written = 0;
  return WriteFile(file, kMark, sizeof kMark, &written, nullptr) && written == sizeof kMark;
}

bool FileExists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

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
