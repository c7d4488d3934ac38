#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wrenhollow::e2e {

// One change a .reg file asks for, ready to be made with the registry API.
struct RegOperation {
  enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
  Kind kind = Kind::CreateKey;
  HKEY root = nullptr;
  std::wstring path;  // below root
  std::wstring name;  // empty for the default value (@)
  DWORD type = REG_NONE;
  std::vector<uint8_t> data;
  // Data of a string type already in UTF-16 (version 5 files, quoted strings); otherwise ANSI bytes.
  bool wideData = false;
  int line = 0;
};

// Reads .reg text as regedit does: "REGEDIT4" or "Windows Registry Editor Version 5.00", as 8-bit text or
// UTF-16LE with a byte-order mark; [KEY], [-KEY], "name"= and @= with quoted strings, dword:, hex:, hex(N):
// (any N, private types included) and - to delete; continued lines; ";" comments.
bool ParseRegText(std::string_view bytes, std::vector<RegOperation>* operations, std::string* error);

// Makes every change in this process, then reads each written value back and compares it. A missing key to
// delete is not an error.
bool ApplyRegOperations(const std::vector<RegOperation>& operations, std::string* error);

bool ApplyRegText(std::string_view bytes, std::string* error);
bool ApplyRegFile(const std::string& path, std::string* error);

}  // namespace wrenhollow::e2e
