#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wrenhollow {

// Appends the UTF-8 text as a JSON string, quotes included: '"' and '\' escaped, control bytes as \b \f \n \r
// \t or \u00XX (RFC 8259), every other byte as it is.
void AppendJsonString(std::string& out, std::string_view utf8);

// The members of a flat JSON object, in their order: names and values in UTF-8.
using JsonMembers = std::vector<std::pair<std::string, std::string>>;

// Appends the members as one JSON object of strings, {"name":"value",...}.
void AppendJsonObject(std::string& out, const JsonMembers& members);

// The members of a JSON object whose values are all strings or numbers: strings unescaped, numbers as written.
// Nothing when the text is anything else, or more than one object.
std::optional<JsonMembers> ParseFlatJsonObject(std::string_view text);

}  // namespace wrenhollow
