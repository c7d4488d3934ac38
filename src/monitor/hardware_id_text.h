#pragma once

#include <cstdint>
#include <string_view>

namespace wrenhollow {

// Reading of identifier texts such as "Vid_0781&Pid_5567" and "USB\Class_08&SubClass_06&Prot_50".

// Calls visit(tag, value) for every non-empty "&"-separated piece that splits at "_" into at least two
// non-empty parts; tag and value are the first two parts. Returns the number of non-empty pieces.
template <typename Visit>
int ForEachTaggedPiece(std::string_view text, Visit visit) {
  int pieces = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('&', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view piece = text.substr(start, end - start);
    start = end + 1;
    if (piece.empty()) continue;
    ++pieces;
    std::string_view parts[2];
    int count = 0;
    size_t partStart = 0;
    while (partStart <= piece.size() && count < 2) {
      size_t partEnd = piece.find('_', partStart);
      if (partEnd == std::string_view::npos) partEnd = piece.size();
      if (partEnd > partStart) parts[count++] = piece.substr(partStart, partEnd - partStart);
      partStart = partEnd + 1;
    }
    if (count == 2) visit(parts[0], parts[1]);
  }
  return pieces;
}

// The leading hexadecimal (or decimal) digits of a text as a number; 0 without digits. Like the C library's
// strtoul on Windows, a value beyond 32 bits reads as 0xFFFFFFFF.
uint32_t ParseHexPrefix(std::string_view text);
uint32_t ParseDecimalPrefix(std::string_view text);

}  // namespace wrenhollow
