#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wrenhollow {

// Appends the UTF-8 text as a JSON string, quotes included: '"' and '\' escaped, control bytes as \b \f \n \r
// \t or \u00XX (RFC 8259), every other byte as it is.
void AppendJsonString(std::string& out, std::string_view utf8);
// The bytes AppendJsonString writes for one byte of text: 2 for an escape such as \n, 6 for \u00XX, else 1.
size_t JsonEscapedLength(char c);

// The members of a flat JSON object, in their order: names and values in UTF-8.
using JsonMembers = std::vector<std::pair<std::string, std::string>>;

// Appends the members as one JSON object of strings, {"name":"value",...}.
void AppendJsonObject(std::string& out, const JsonMembers& members);
// Adds "name":value, a number, as the last member of the object that ends out (out must end with '}').
void AppendJsonNumberMember(std::string& out, std::string_view name, uint64_t value);

// The members of a JSON object whose values are all strings or numbers: strings unescaped, numbers as written.
// Nothing when the text is anything else, or more than one object.
std::optional<JsonMembers> ParseFlatJsonObject(std::string_view text);

}  // namespace wrenhollow
