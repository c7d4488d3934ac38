#include "portable/reg_file.h"
#include "portable/registry_memory.h"

#include <cstdint>
#include <vector>

#include "monitor/registry_source.h"
#include "util/code_page.h"

namespace wrenhollow {
namespace {

constexpr std::u16string_view kHeader4 = u"REGEDIT4";
constexpr std::u16string_view kHeader5 = u"Windows Registry Editor Version 5.00";
// The registry's own limits; they also keep a hostile file from building an unboundedly deep tree.
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxKeyDepth = 512;  // levels below the root key

struct Line {
  std::u16string_view text;
  int number;
};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimLeft(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::u16string_view TrimRight(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// One to eight hex digits, the whole text.
bool ParseHex32(std::u16string_view text, uint32_t* value) {
  if (text.empty() || text.size() > 8) return false;
  uint32_t result = 0;
  for (char16_t c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return false;
    result = (result << 4) | static_cast<uint32_t>(digit);
  }
  *value = result;
  return true;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char16_t a = text[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a - u'A' + u'a');
    if (a != prefix[i]) return false;
  }
  return true;
}

// Whitespace, optionally followed by a comment.
bool IsTrailerOnly(std::u16string_view text) {
  text = TrimLeft(text);
  return text.empty() || text.front() == u';';
}

std::vector<Line> SplitLines(std::u16string_view text) {
  std::vector<Line> lines;
  int number = 1;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.push_back({text.substr(start, i - start), number++});
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back({text.substr(start), number});
  return lines;
}

class Parser {
 public:
  Parser(bool wide, RegistryEditor& registry) : wide_(wide), registry_(registry) {}

  bool Run(const std::vector<Line>& lines, RegFileError* error) {
    if (lines.empty()) return Fail(0, "missing header", error);
    const std::u16string_view header = TrimRight(lines[0].text);
    if (header == kHeader5) {
      version5_ = true;
    } else if (header != kHeader4) {
      return Fail(0, "not a registry file header", error);
    }
    for (size_t i = 1; i < lines.size(); ++i) {
      const std::u16string_view text = TrimLeft(lines[i].text);
      if (text.empty() || text.front() == u';') continue;
      const char* message = nullptr;
      int where = lines[i].number;
      if (text.front() == u'[') {
        message = KeyLine(text);
      } else if (text.front() == u'"' || text.front() == u'@') {
        message = ValueLine(lines, &i, text, &where);
      } else {
        message = "unexpected text";
      }
      if (message) return Fail(where, message, error);
    }
    return true;
  }

 private:
  static bool Fail(int line, const char* message, RegFileError* error) {
    if (error) {
      error->line = line;
      error->message = message;
    }
    return false;
  }

  // Text of an ANSI file is its own bytes; UTF-16 text goes through the code page, as regedit's import does.
  std::string ToAnsi(std::u16string_view text) const {
    if (!wide_) {
      std::string narrow(text.size(), '\0');
      for (size_t i = 0; i < text.size(); ++i) narrow[i] = static_cast<char>(text[i]);
      return narrow;
    }
    std::string ansi(text.size() * 4, '\0');
    ansi.resize(WideToAnsi(text.data(), text.size(), ansi.data(), ansi.size()));
    return ansi;
  }

  const char* KeyLine(std::u16string_view text) {
    text = TrimRight(text);
    if (text.size() < 2 || text.back() != u']') return "unterminated key name";
    text = text.substr(1, text.size() - 2);
    const bool remove = !text.empty() && text.front() == u'-';
    if (remove) text.remove_prefix(1);
    const std::string path = ToAnsi(text);
    if (const char* problem = CheckKeyPath(path)) return problem;
    if (remove) {
      registry_.DeleteKey(path);
      currentKey_.clear();
    } else {
      registry_.CreateKey(path);
      currentKey_ = path;
    }
    return nullptr;
  }

  static const char* CheckKeyPath(const std::string& path) {
    static constexpr std::string_view kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT",
                                                  "HKEY_USERS", "HKEY_CURRENT_CONFIG"};
    const std::string_view whole(path);
    const std::string_view root = whole.substr(0, whole.find('\\'));
    bool known = false;
    for (std::string_view name : kRoots) {
      if (name.size() != root.size()) continue;
      bool same = true;
      for (size_t i = 0; i < name.size() && same; ++i) {
        const char c = root[i];
        same = (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) == name[i];
      }
      known = known || same;
    }
    if (!known) return "unknown root key";
    size_t depth = 0;  // the root key counts as level 0
    size_t start = 0;
    while (start <= whole.size()) {
      size_t end = whole.find('\\', start);
      if (end == std::string_view::npos) end = whole.size();
      if (end - start > kMaxKeyNameLength) return "key name too long";
      if (end > start && depth++ > kMaxKeyDepth) return "key path too deep";
      start = end + 1;
    }
    return nullptr;
  }

  // A quoted text with \\ and \" escapes; other backslashes stay as written. On return *rest follows the
  // closing quote.
  static bool ParseQuoted(std::u16string_view text, std::u16string* out, std::u16string_view* rest) {
    for (size_t i = 1; i < text.size(); ++i) {
      const char16_t c = text[i];
      if (c == u'"') {
        *rest = text.substr(i + 1);
        return true;
      }
      if (c == u'\\' && i + 1 < text.size() && (text[i + 1] == u'\\' || text[i + 1] == u'"')) {
        out->push_back(text[++i]);
      } else {
        out->push_back(c);
      }
    }
    return false;
  }

  const char* ValueLine(const std::vector<Line>& lines, size_t* index, std::u16string_view text, int* where) {
    std::u16string name;
    std::u16string_view rest;
    if (text.front() == u'@') {
      rest = text.substr(1);
    } else if (!ParseQuoted(text, &name, &rest)) {
      return "unterminated value name";
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != u'=') return "missing '=' after the value name";
    rest = TrimLeft(rest.substr(1));
    if (currentKey_.empty()) return "value outside a key";
    const std::string valueName = ToAnsi(name);

    if (!rest.empty() && rest.front() == u'-' && IsTrailerOnly(rest.substr(1))) {
      registry_.DeleteValue(currentKey_, valueName.c_str());
      return nullptr;
    }
    if (!rest.empty() && rest.front() == u'"') {
      std::u16string data;
      std::u16string_view after;
      if (!ParseQuoted(rest, &data, &after)) return "unterminated string";
      if (!IsTrailerOnly(after)) return "text after the string";
      std::string bytes = ToAnsi(data);
      bytes.push_back('\0');
      registry_.SetValue(currentKey_, valueName.c_str(), kRegSz, bytes.data(), static_cast<uint32_t>(bytes.size()));
      return nullptr;
    }
    if (StartsWithNoCase(rest, u"dword:")) {
      std::u16string_view digits = rest.substr(6);
      const size_t comment = digits.find(u';');
      if (comment != std::u16string_view::npos) digits = digits.substr(0, comment);
      uint32_t value = 0;
      if (!ParseHex32(TrimRight(digits), &value)) return "bad dword";
      const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                                static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
      registry_.SetValue(currentKey_, valueName.c_str(), kRegDword, bytes, sizeof bytes);
      return nullptr;
    }
    uint32_t type = kRegBinary;
    if (StartsWithNoCase(rest, u"hex:")) {
      rest.remove_prefix(4);
    } else if (StartsWithNoCase(rest, u"hex(")) {
      const size_t close = rest.find(u')');
      if (close == std::u16string_view::npos || !ParseHex32(rest.substr(4, close - 4), &type)) {
        return "bad hex type";
      }
      rest.remove_prefix(close + 1);
      if (rest.empty() || rest.front() != u':') return "missing ':' after the hex type";
      rest.remove_prefix(1);
    } else {
      return "unknown value type";
    }
    std::vector<uint8_t> bytes;
    if (const char* problem = HexData(lines, index, rest, &bytes, where)) return problem;
    if (version5_ && (type == kRegSz || type == kRegExpandSz || type == kRegMultiSz)) {
      // Version 5 writes these as UTF-16LE; the A functions return them in the code page. An odd last byte
      // is not a character and is dropped, as the system's conversion does.
      std::u16string units(bytes.size() / 2, u'\0');
      for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
      }
      std::string ansi(units.size() * 4, '\0');
      ansi.resize(WideToAnsi(units.data(), units.size(), ansi.data(), ansi.size()));
      bytes.assign(ansi.begin(), ansi.end());
    }
    registry_.SetValue(currentKey_, valueName.c_str(), type, bytes.data(), static_cast<uint32_t>(bytes.size()));
    return nullptr;
  }

  // Comma-separated bytes of one or two hex digits; a trailing backslash continues on the next line, whose
  // leading blanks are skipped. *where is moved to the line at fault.
  static const char* HexData(const std::vector<Line>& lines, size_t* index, std::u16string_view chunk,
                             std::vector<uint8_t>* bytes, int* where) {
    for (;;) {
      chunk = TrimRight(chunk);
      const bool more = !chunk.empty() && chunk.back() == u'\\';
      if (more) chunk.remove_suffix(1);
      size_t start = 0;
      while (start < chunk.size()) {
        size_t end = chunk.find(u',', start);
        const bool last = end == std::u16string_view::npos;
        if (last) end = chunk.size();
        const std::u16string_view token = TrimRight(TrimLeft(chunk.substr(start, end - start)));
        uint32_t value = 0;
        if (token.size() > 2 || !ParseHex32(token, &value)) {
          // Only a trailing comma may leave an empty token.
          if (!(token.empty() && last)) return "bad hex byte";
        } else {
          bytes->push_back(static_cast<uint8_t>(value));
        }
        start = end + 1;
      }
      if (!more || *index + 1 >= lines.size()) return nullptr;
      ++*index;
      chunk = TrimLeft(lines[*index].text);
      *where = lines[*index].number;
    }
  }

  bool wide_;
  bool version5_ = false;
  RegistryEditor& registry_;
  std::string currentKey_;
};

}  // namespace

bool LoadRegFile(std::string_view bytes, RegistryEditor& registry, RegFileError* error) {
  std::u16string text;
  bool wide = false;
  if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xFE) {
    wide = true;
    text.resize((bytes.size() - 2) / 2);
    for (size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 + 2 * i]) |
                                      (static_cast<uint8_t>(bytes[3 + 2 * i]) << 8));
    }
  } else {
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    text.resize(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) text[i] = static_cast<uint8_t>(bytes[i]);
  }
  return Parser(wide, registry).Run(SplitLines(text), error);
}

}  // namespace wrenhollow
