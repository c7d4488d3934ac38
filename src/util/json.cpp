#include "util/json.h"

#include <cstdio>

#include "util/utf8.h"

namespace wrenhollow {
namespace {

class FlatObjectParser {
 public:
  explicit FlatObjectParser(std::string_view text) : text_(text) {}

  std::optional<JsonMembers> Parse() {
    JsonMembers members;
    if (!Take('{')) return std::nullopt;
    if (!Take('}')) {
      do {
        std::string key;
        std::string value;
        if (!String(key) || !Take(':') || !Value(value)) return std::nullopt;
        members.emplace_back(std::move(key), std::move(value));
      } while (Take(','));
      if (!Take('}')) return std::nullopt;
    }
    SkipSpace();
    if (at_ != text_.size()) return std::nullopt;
    return members;
  }

 private:
  void SkipSpace() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n')) {
      ++at_;
    }
  }

  bool Take(char c) {
    SkipSpace();
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }

  bool Value(std::string& value) {
    SkipSpace();
    if (at_ < text_.size() && text_[at_] == '"') return String(value);
    return Number(value);
  }

  // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
  bool Number(std::string& value) {
    const size_t start = at_;
    if (Peek() == '-') ++at_;
    if (Peek() == '0') {
      ++at_;
    } else if (!Digits()) {
      return false;
    }
    if (Peek() == '.' && (++at_, !Digits())) return false;
    if (Peek() == 'e' || Peek() == 'E') {
      ++at_;
      if (Peek() == '+' || Peek() == '-') ++at_;
      if (!Digits()) return false;
    }
    value.assign(text_.substr(start, at_ - start));
    return true;
  }

  bool Digits() {
    const size_t start = at_;
    while (Peek() >= '0' && Peek() <= '9') ++at_;
    return at_ > start;
  }

  char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }

  bool String(std::string& out) {
    if (!Take('"')) return false;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (at_ >= text_.size()) return false;
      const char escape = text_[at_++];
      switch (escape) {
        case '"': case '\\': case '/': out.push_back(escape); break;
        case 'b': out.push_back('\b'); break;
        case 'f': out.push_back('\f'); break;
        case 'n': out.push_back('\n'); break;
        case 'r': out.push_back('\r'); break;
        case 't': out.push_back('\t'); break;
        case 'u': if (!CodeUnitEscape(out)) return false; break;
        default: return false;
      }
    }
    return false;
  }

  bool Hex4(char32_t& unit) {
    if (at_ + 4 > text_.size()) return false;
    unit = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                       : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return false;
      unit = unit * 16 + static_cast<char32_t>(digit);
    }
    return true;
  }

  // \uXXXX, joining a surrogate pair written as two escapes; a lone surrogate becomes U+FFFD.
  bool CodeUnitEscape(std::string& out) {
    char32_t unit;
    if (!Hex4(unit)) return false;
    if (unit >= 0xD800 && unit <= 0xDBFF && text_.substr(at_, 2) == "\\u") {
      const size_t back = at_;
      at_ += 2;
      char32_t low;
      if (!Hex4(low)) return false;
      if (low >= 0xDC00 && low <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
      } else {
        at_ = back;
      }
    }
    AppendUtf8(out, unit);
    return true;
  }

  std::string_view text_;
  size_t at_ = 0;
};

}  // namespace

void AppendJsonString(std::string& out, std::string_view utf8) {
  out.push_back('"');
  for (char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[7];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          out += escape;
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
}

size_t JsonEscapedLength(char c) {
  switch (c) {
    case '"': case '\\': case '\b': case '\f': case '\n': case '\r': case '\t': return 2;
    default: return static_cast<unsigned char>(c) < 0x20 ? 6 : 1;
  }
}

void AppendJsonObject(std::string& out, const JsonMembers& members) {
  out.push_back('{');
  for (const auto& [name, value] : members) {
    if (out.back() != '{') out.push_back(',');
    AppendJsonString(out, name);
    out.push_back(':');
    AppendJsonString(out, value);
  }
  out.push_back('}');
}

void AppendJsonNumberMember(std::string& out, std::string_view name, uint64_t value) {
  out.pop_back();
  if (out.back() != '{') out.push_back(',');
  AppendJsonString(out, name);
  out.push_back(':');
  out += std::to_string(value);
  out.push_back('}');
}

std::optional<JsonMembers> ParseFlatJsonObject(std::string_view text) { return FlatObjectParser(text).Parse(); }

}  // namespace wrenhollow
