#include "device_simulator/reg_script.h"

#include <cwctype>
#include <fstream>
#include <sstream>

namespace wrenhollow::e2e {
namespace {

constexpr wchar_t kHeader4[] = L"REGEDIT4";
constexpr wchar_t kHeader5[] = L"Windows Registry Editor Version 5.00";

std::wstring Decode(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xFE) {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
      text[i] =
          static_cast<wchar_t>(static_cast<uint8_t>(bytes[2 + 2 * i]) | static_cast<uint8_t>(bytes[3 + 2 * i]) << 8);
    }
    return text;
  }
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                      text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string Narrow(const std::wstring& text) {
  std::string out(text.size() * 2 + 1, '\0');
  out.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                                     static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}

std::wstring Trim(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t\r\n");
  if (first == std::wstring::npos) return L"";
  return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
  for (size_t i = 0; prefix[i] != 0; ++i) {
    if (i >= text.size() || std::towlower(text[i]) != std::towlower(prefix[i])) return false;
  }
  return true;
}

HKEY RootOf(const std::wstring& name) {
  const struct {
    const wchar_t* name;
    HKEY key;
  } roots[] = {{L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},  {L"HKLM", HKEY_LOCAL_MACHINE},
               {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},    {L"HKCU", HKEY_CURRENT_USER},
               {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},    {L"HKEY_USERS", HKEY_USERS},
               {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}};
  for (const auto& root : roots) {
    if (_wcsicmp(root.name, name.c_str()) == 0) return root.key;
  }
  return nullptr;
}

// A quoted text starting at text[*at] (the opening quote); leaves *at after the closing quote.
bool ReadQuoted(const std::wstring& text, size_t* at, std::wstring* out) {
  out->clear();
  for (size_t i = *at + 1; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size() && (text[i + 1] == L'\\' || text[i + 1] == L'"')) {
      *out += text[++i];
    } else if (text[i] == L'"') {
      *at = i + 1;
      return true;
    } else {
      *out += text[i];
    }
  }
  return false;
}

bool ReadHexBytes(const std::wstring& text, std::vector<uint8_t>* bytes) {
  std::wstring digits;
  auto flush = [&]() {
    if (digits.empty()) return true;
    if (digits.size() > 2) return false;
    bytes->push_back(static_cast<uint8_t>(std::wcstoul(digits.c_str(), nullptr, 16)));
    digits.clear();
    return true;
  };
  for (wchar_t c : text) {
    if (c == L',') {
      if (!flush()) return false;
    } else if (std::iswxdigit(c)) {
      digits += c;
    } else if (c != L' ' && c != L'\t' && c != L'\\' && c != L'\r' && c != L'\n') {
      return false;
    }
  }
  return flush();
}

bool ParseData(const std::wstring& data, bool unicode, RegOperation* op) {
  if (data == L"-") {
    op->kind = RegOperation::Kind::DeleteValue;
    return true;
  }
  op->kind = RegOperation::Kind::SetValue;
  if (!data.empty() && data[0] == L'"') {
    std::wstring text;
    size_t at = 0;
    if (!ReadQuoted(data, &at, &text) || !Trim(data.substr(at)).empty()) return false;
    op->type = REG_SZ;
    op->wideData = true;
    const auto* raw = reinterpret_cast<const uint8_t*>(text.c_str());
    op->data.assign(raw, raw + (text.size() + 1) * sizeof(wchar_t));
    return true;
  }
  if (StartsWithNoCase(data, L"dword:")) {
    const std::wstring digits = Trim(data.substr(6));
    if (digits.empty() || digits.size() > 8 ||
        digits.find_first_not_of(L"0123456789abcdefABCDEF") != std::wstring::npos) {
      return false;
    }
    const DWORD value = std::wcstoul(digits.c_str(), nullptr, 16);
    op->type = REG_DWORD;
    op->data.assign(reinterpret_cast<const uint8_t*>(&value), reinterpret_cast<const uint8_t*>(&value) + 4);
    return true;
  }
  size_t colon = 0;
  if (StartsWithNoCase(data, L"hex:")) {
    op->type = REG_BINARY;
    colon = 3;
  } else if (StartsWithNoCase(data, L"hex(")) {
    const size_t close = data.find(L"):");
    if (close == std::wstring::npos || close == 4) return false;
    const std::wstring digits = data.substr(4, close - 4);
    if (digits.find_first_not_of(L"0123456789abcdefABCDEF") != std::wstring::npos) return false;
    op->type = std::wcstoul(digits.c_str(), nullptr, 16);
    colon = close + 1;
  } else {
    return false;
  }
  op->wideData = unicode && (op->type == REG_SZ || op->type == REG_EXPAND_SZ || op->type == REG_MULTI_SZ);
  return ReadHexBytes(data.substr(colon + 1), &op->data);
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

std::string Describe(const RegOperation& op) {
  return "line " + std::to_string(op.line) + " (" + Narrow(op.path) + (op.name.empty() ? "" : " " + Narrow(op.name)) +
         ")";
}

bool SetAndVerify(HKEY key, const RegOperation& op, std::string* error) {
  LONG status;
  std::vector<uint8_t> back(op.data.size() + 16);
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(back.size());
  if (IsStringType(op.type) && !op.wideData) {
    const std::string name = Narrow(op.name);
    status = RegSetValueExA(key, name.c_str(), 0, op.type, op.data.data(), static_cast<DWORD>(op.data.size()));
    if (status == ERROR_SUCCESS) status = RegQueryValueExA(key, name.c_str(), nullptr, &type, back.data(), &size);
  } else {
    status = RegSetValueExW(key, op.name.c_str(), 0, op.type, op.data.data(), static_cast<DWORD>(op.data.size()));
    if (status == ERROR_SUCCESS) status = RegQueryValueExW(key, op.name.c_str(), nullptr, &type, back.data(), &size);
  }
  if (status != ERROR_SUCCESS) {
    *error = "cannot set " + Describe(op) + ": error " + std::to_string(status);
    return false;
  }
  back.resize(size);
  if (type != op.type || back != op.data) {
    *error = "value reads back different: " + Describe(op);
    return false;
  }
  return true;
}

}  // namespace

bool ParseRegText(std::string_view bytes, std::vector<RegOperation>* operations, std::string* error) {
  const std::wstring text = Decode(bytes);
  std::wistringstream lines(text);
  std::wstring line;
  int lineNumber = 0;
  bool unicode = false;
  bool headerSeen = false;
  HKEY root = nullptr;
  std::wstring path;
  bool inDeletedKey = false;
  while (std::getline(lines, line)) {
    ++lineNumber;
    const int firstLine = lineNumber;
    line = Trim(line);
    // Data continued on the next line ends with a backslash.
    while (!line.empty() && line.back() == L'\\' && line[0] != L'[') {
      std::wstring next;
      if (!std::getline(lines, next)) break;
      ++lineNumber;
      line.pop_back();
      line += Trim(next);
    }
    if (line.empty() || line[0] == L';') continue;
    if (!headerSeen) {
      if (line == kHeader4 || line == kHeader5) {
        headerSeen = true;
        unicode = line == kHeader5;
        continue;
      }
      *error = "line " + std::to_string(firstLine) + ": not a .reg header";
      return false;
    }
    if (line[0] == L'[') {
      if (line.back() != L']') {
        *error = "line " + std::to_string(firstLine) + ": malformed key";
        return false;
      }
      const bool remove = line.size() > 1 && line[1] == L'-';
      const std::wstring full = line.substr(remove ? 2 : 1, line.size() - (remove ? 3 : 2));
      const size_t slash = full.find(L'\\');
      root = RootOf(full.substr(0, slash));
      path = slash == std::wstring::npos ? L"" : full.substr(slash + 1);
      if (root == nullptr || path.empty()) {
        *error = "line " + std::to_string(firstLine) + ": unknown root or empty key path";
        return false;
      }
      RegOperation op;
      op.kind = remove ? RegOperation::Kind::DeleteKey : RegOperation::Kind::CreateKey;
      op.root = root;
      op.path = path;
      op.line = firstLine;
      operations->push_back(op);
      inDeletedKey = remove;
      continue;
    }
    if (root == nullptr) {
      *error = "line " + std::to_string(firstLine) + ": value before any key";
      return false;
    }
    if (inDeletedKey) continue;  // regedit ignores values under a deleted key
    RegOperation op;
    op.root = root;
    op.path = path;
    op.line = firstLine;
    size_t at = 0;
    if (line[0] == L'@') {
      at = 1;
    } else if (line[0] != L'"' || !ReadQuoted(line, &at, &op.name)) {
      *error = "line " + std::to_string(firstLine) + ": malformed value name";
      return false;
    }
    const size_t equals = line.find_first_not_of(L" \t", at);
    if (equals == std::wstring::npos || line[equals] != L'=' ||
        !ParseData(Trim(line.substr(equals + 1)), unicode, &op)) {
      *error = "line " + std::to_string(firstLine) + ": malformed value data";
      return false;
    }
    operations->push_back(op);
  }
  if (!headerSeen) {
    *error = "empty .reg text";
    return false;
  }
  return true;
}

bool ApplyRegOperations(const std::vector<RegOperation>& operations, std::string* error) {
  for (const RegOperation& op : operations) {
    if (op.kind == RegOperation::Kind::DeleteKey) {
      const LONG status = RegDeleteTreeW(op.root, op.path.c_str());
      if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        *error = "cannot delete " + Describe(op) + ": error " + std::to_string(status);
        return false;
      }
      continue;
    }
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(op.root, op.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
      *error = "cannot create " + Describe(op) + ": error " + std::to_string(status);
      return false;
    }
    bool ok = true;
    if (op.kind == RegOperation::Kind::SetValue) {
      ok = SetAndVerify(key, op, error);
    } else if (op.kind == RegOperation::Kind::DeleteValue) {
      status = RegDeleteValueW(key, op.name.c_str());
      if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        *error = "cannot delete " + Describe(op) + ": error " + std::to_string(status);
        ok = false;
      }
    }
    RegCloseKey(key);
    if (!ok) return false;
  }
  return true;
}

bool ApplyRegText(std::string_view bytes, std::string* error) {
  std::vector<RegOperation> operations;
  return ParseRegText(bytes, &operations, error) && ApplyRegOperations(operations, error);
}

bool ApplyRegFile(const std::string& path, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (!ApplyRegText(bytes.str(), error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

}  // namespace wrenhollow::e2e
