#pragma once

#include <windows.h>


namespace wrenhollow {

// Owns a file handle and closes it when it goes.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(FileHandle&& other) noexcept : handle_(other.Release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.Release();
    }
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  HANDLE Release();
  void Close();

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// An existing file, shared for reading and writing with others; not open on failure (see GetLastError()).
FileHandle OpenForReading(const char* name);
// Reads up to count bytes; *read gets the bytes read.
bool ReadBytes(HANDLE file, void* buffer, DWORD count, DWORD* read);
bool FileExists(const char* name);
// Whether the file may be created or opened for writing; it exists afterwards.
bool CanCreateFile(const char* name);

// The program's own path, into a buffer of kPathSize; "" on failure.
void GetProgramPath(char* buffer);
// The program's folder without the final "\", into a buffer of kPathSize.
void GetProgramFolder(char* buffer);
// The Windows folder, into a buffer of kPathSize; asked of the system once and remembered.
void GetWindowsFolder(char* buffer);

}  // namespace wrenhollow
