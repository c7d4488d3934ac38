#include "support/wine_registry.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace wrenhollow::test {
namespace {

constexpr char kHeader5[] = "Windows Registry Editor Version 5.00";
constexpr unsigned long kLastStandardType = 11;  // REG_QWORD

// True for a value line whose data is hex(N): with N beyond the standard types.
bool IsPrivateTypeLine(const std::string& line) {
  const size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos || (line[first] != '"' && line[first] != '@')) return false;
  const size_t equals = line.find("=hex(", first);
  if (equals == std::string::npos) return false;
  const size_t open = equals + 5;
  const size_t close = line.find(')', open);
  if (close == std::string::npos || close == open || close - open > 8) return false;
  char* end = nullptr;
  const std::string digits = line.substr(open, close - open);
  const unsigned long type = std::strtoul(digits.c_str(), &end, 16);
  return *end == '\0' && type > kLastStandardType;
}

bool EndsWithBackslash(const std::string& line) {
  const size_t last = line.find_last_not_of(" \t");
  return last != std::string::npos && line[last] == '\\';
}

std::string DropPrivateTypes(const std::string& text) {
  std::string kept;
  bool skipping = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    std::string line = text.substr(start, end - start);
    std::string bare = line;
    while (!bare.empty() && (bare.back() == '\n' || bare.back() == '\r')) bare.pop_back();
    if (!skipping && IsPrivateTypeLine(bare)) skipping = true;
    if (skipping) {
      skipping = EndsWithBackslash(bare);
    } else {
      kept += line;
    }
    start = end;
  }
  return kept;
}

// The text's bytes are in the ANSI code page, as the memory hive takes them.
bool ToUtf16WithBom(const std::string& text, std::string* bytes, std::string* error) {
  *bytes = "\xFF\xFE";
  if (text.empty()) return true;
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units <= 0) {
    *error = "MultiByteToWideChar failed";
    return false;
  }
  std::vector<wchar_t> wide(static_cast<size_t>(units));
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
  for (wchar_t c : wide) {
    bytes->push_back(static_cast<char>(c & 0xFF));
    bytes->push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return true;
}

bool RunRegedit(const std::string& fileBytes, std::string* error) {
  char directory[MAX_PATH];
  char path[MAX_PATH];
  if (GetTempPathA(MAX_PATH, directory) == 0 || GetTempFileNameA(directory, "whr", 0, path) == 0) {
    *error = "no temporary file: error " + std::to_string(GetLastError());
    return false;
  }
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(fileBytes.data(), static_cast<std::streamsize>(fileBytes.size()));
    if (!file.good()) {
      *error = std::string("cannot write ") + path;
      DeleteFileA(path);
      return false;
    }
  }
  std::string command = std::string("regedit.exe /S \"") + path + "\"";
  std::vector<char> commandLine(command.begin(), command.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
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
  if (kept.compare(0, sizeof kHeader5 - 1, kHeader5) != 0) return RunRegedit(kept, error);
  std::string wide;
  return ToUtf16WithBom(kept, &wide, error) && RunRegedit(wide, error);
}

bool ImportRegFile(const std::string& path, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  std::ostringstream bytes;
  bytes << file.rdbuf();
  const std::string text = bytes.str();
  if (text.size() >= 2 && text[0] == '\xFF' && text[1] == '\xFE') return RunRegedit(text, error);
  return ImportRegText(text, error);
}

}  // namespace wrenhollow::test
