#include <cstddef>
#include <cstdint>
#include <string>

#include "events/event_json.h"
#include "events/event_log_reader.h"
#include "lang/language_table.h"
#include "portable/profile_files_portable.h"
#include "portable/string_table_builtin.h"

// Reads any bytes as a log file. Every event read back must be written again as a line that reads back to the
// same line: what the log holds survives a restart unchanged, whatever else the file holds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wrenhollow;
  static PortableProfileFiles profiles;
  static BuiltinStringTable strings;
  static LanguageTable language(profiles, strings, [](const char*) { return false; });
  InstallLanguageTable(&language);
  static UsbIdDatabase database;
  const std::string file(reinterpret_cast<const char*>(data), size);
  const LogReading reading = ReadLoggedEvents({file}, 100, database);
  for (const UsbEvent& row : reading.rows) {
    std::string line;
    AppendLoggedEventJson(line, row, "HOST");
    UsbEvent again{};
    if (!ReadLoggedEvent(line, database, again)) __builtin_trap();
    std::string lineAgain;
    AppendLoggedEventJson(lineAgain, again, "HOST");
    if (lineAgain != line) __builtin_trap();
  }
  return 0;
}
