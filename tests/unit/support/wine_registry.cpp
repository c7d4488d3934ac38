#include "support/wine_registry.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace wrenhollow::test {
namespace {

constexpr char kHeader5[] = "Windows Registry Editor Version 5.00";

// A value line whose data is hex(N): with N beyond the standard types, which regedit refuses.
bool IsPrivateTypeLine(const std::string& line) {
  const size_t first = line.find_first_not_of(" \t");
  const size_t open = line.find("=hex(");
  if (first == std::string::npos || (line[first] != '"' && line[first] != '@') || open == std::string::npos) {
    return false;
  }
  const char* digits = line.c_str() + open + 5;
  char* end = nullptr;
  const unsigned long type = std::strtoul(digits, &end, 16);
  return end != digits && *end == ')' && type > 11;  // above REG_QWORD
}

// Drops private-type value lines with their continuation lines.
std::string DropPrivateTypes(const std::string& text) {
  std::istringstream lines(text);
  std::string kept;
  bool skipping = false;
  for (std::string line; std::getline(lines, line);) {
    if (!skipping && !IsPrivateTypeLine(line)) {
      kept += line + '\n';
      continue;
    }
    const size_t last = line.find_last_not_of(" \t\r");
    skipping = last != std::string::npos && line[last] == '\\';
  }
  return kept;
}

// The text's bytes are in the ANSI code page, as the memory hive takes them; a byte makes one unit at most.
std::string ToUtf16WithBom(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                      wide.data(), static_cast<int>(wide.size()))));
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

bool RunRegedit(const std::string& fileBytes, std::string* error) {
  char directory[MAX_PATH];
  char path[MAX_PATH];
  if (GetTempPathA(MAX_PATH, directory) == 0 || GetTempFileNameA(directory, "whr", 0, path) == 0) {
    *error = "no temporary file: error " + std::to_string(GetLastError());
    return false;
  }
  if (!(std::ofstream(path, std::ios::binary) << fileBytes)) {
    *error = std::string("cannot write ") + path;
    DeleteFileA(path);
    return false;
  }
  std::string command = std::string("regedit.exe /S \"") + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    *error = "cannot start regedit.exe: error " + std::to_string(GetLastError());
    DeleteFileA(path);
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DeleteFileA(path);
  return true;
}

}  // namespace

bool ImportRegText(const std::string& regText, std::string* error) {
  const std::string kept = DropPrivateTypes(regText);
  return RunRegedit(kept.compare(0, sizeof kHeader5 - 1, kHeader5) == 0 ? ToUtf16WithBom(kept) : kept, error);
}

bool ImportRegFile(const std::string& path, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (text.size() >= 2 && text[0] == '\xFF' && text[1] == '\xFE') return RunRegedit(text, error);
  return ImportRegText(text, error);
}

}  // namespace wrenhollow::test
