#pragma once

#include <windows.h>

#include <string>

namespace wrenhollow::test {

// A path in the temporary folder, made unique to this process so that concurrent runs do not meet.
inline std::string TempFilePath(const char* name) {
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "wh" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

// Writes bytes to a new file; false when it cannot.
inline bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

}  // namespace wrenhollow::test
