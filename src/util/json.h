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

// The members of a JSON object whose values are all strings or numbers, in their order: strings unescaped to
// UTF-8, numbers as written. Nothing when the text is anything else, or more than one object.
using JsonMembers = std::vector<std::pair<std::string, std::string>>;
std::optional<JsonMembers> ParseFlatJsonObject(std::string_view text);

}  // namespace wrenhollow
