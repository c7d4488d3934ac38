#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "events/usb_event.h"
#include "events/usb_id_database.h"

namespace wrenhollow {

// Longer lines were never written by the program (an event's texts are far shorter): they are skipped unread.
constexpr size_t kLogLineMax = 64 * 1024;

struct LogReading {
  std::vector<UsbEvent> rows;  // oldest first, origin Logged
  int skipped = 0;             // lines that were not an event (torn, edited, too long); blank lines don't count
};

// The newest `limit` events of a log whose files' bytes are given oldest first. Lines end with LF, CR LF, or
// the end of a file; a file may start with a UTF-8 byte-order mark. Lines are read from the newest back until
// the limit is reached, so skipped lines are counted among those read.
LogReading ReadLoggedEvents(const std::vector<std::string>& files, size_t limit, const UsbIdDatabase& database);

}  // namespace wrenhollow
