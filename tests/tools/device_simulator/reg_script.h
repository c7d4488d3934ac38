#pragma once

#include <string>
#include <string_view>

namespace wrenhollow::e2e {

// Applies .reg text (as the program's own .reg loader reads it) to the real registry, in this process, and reads
// each written value back. A missing key to delete is not an error. False with a reason on the first failure.
bool ApplyRegText(std::string_view bytes, std::string* error);
bool ApplyRegFile(const std::string& path, std::string* error);

}  // namespace wrenhollow::e2e
