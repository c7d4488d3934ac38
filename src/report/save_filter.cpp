#include "report/save_filter.h"

#include <string>

#include "lang/language_table.h"

namespace wrenhollow {

void BuildSaveFilter(char (&filter)[kSaveFilterSize]) {
  static constexpr struct {
    unsigned descriptionId;
    const char* pattern;
  } kTypes[] = {{501, "*.txt"}, {502, "*.txt"}, {503, "*.txt"},          {507, "*.csv"},
                {504, "*.htm;*.html"}, {505, "*.htm;*.html"}, {506, "*.xml"},   {508, "*.jsonl"}};
  std::string list;
  for (const auto& type : kTypes) {
    std::string entry = std::string(GetString(type.descriptionId)) + " (" + type.pattern + ")";
    entry += '\0';
    entry += type.pattern;
    entry += '\0';
    // Room is kept for the list's final NUL.
    if (list.size() + entry.size() + 1 > kSaveFilterSize) break;
    list += entry;
  }
  list += '\0';
  list.copy(filter, list.size());
}

}  // namespace wrenhollow
