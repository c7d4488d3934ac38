#include "events/event_log_reader.h"

#include <algorithm>
#include <string_view>

#include "events/event_json.h"

namespace wrenhollow {

LogReading ReadLoggedEvents(const std::vector<std::string>& files, size_t limit, const UsbIdDatabase& database) {
  LogReading reading;
  for (auto file = files.rbegin(); file != files.rend() && reading.rows.size() < limit; ++file) {
    std::string_view text = *file;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    size_t end = text.size();
    while (end > 0 && reading.rows.size() < limit) {
      const size_t lineEnd = text[end - 1] == '\n' ? end - 1 : end;
      const size_t previous = lineEnd == 0 ? std::string_view::npos : text.rfind('\n', lineEnd - 1);
      const size_t start = previous == std::string_view::npos ? 0 : previous + 1;
      std::string_view line = text.substr(start, lineEnd - start);
      end = start;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
      UsbEvent row{};
      if (line.size() <= kLogLineMax && ReadLoggedEvent(line, database, row)) {
        reading.rows.push_back(row);
      } else {
        ++reading.skipped;
      }
    }
  }
  std::reverse(reading.rows.begin(), reading.rows.end());
  return reading;
}

}  // namespace wrenhollow
