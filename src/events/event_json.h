#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "events/usb_event.h"
#include "events/usb_id_database.h"
#include "util/json.h"

namespace wrenhollow {

// Appends the event's JSON object as the log keeps it, without a line end: "time" in UTC to the millisecond,
// "event" as "plug" or "unplug", "host", every column's text untranslated, then "deviceKey" and "instanceKey".
// Texts are converted from the ANSI code page to UTF-8; hostUtf8 already is UTF-8.
void AppendLoggedEventJson(std::string& out, const UsbEvent& event, std::string_view hostUtf8);
// The same object's members, for writers that shape them further (forwarding adds and shortens members).
JsonMembers LoggedEventMembers(const UsbEvent& event, std::string_view hostUtf8);

// The object under the same keys and in the same order, holding only the given columns, each with its text as a
// row shows it (translated, the time as the list shows it).
void AppendListedEventJson(std::string& out, const UsbEvent& event, const std::vector<int>& columns);

// Reads an object the log wrote back into a row of origin Logged, naming vendor and product from the database.
// It needs a valid "time" and "event"; a missing text is "" and a missing number 0. False, leaving row as it
// was, for a line that is not such an object or holds a malformed number.
bool ReadLoggedEvent(std::string_view line, const UsbIdDatabase& database, UsbEvent& row);

}  // namespace wrenhollow
