#pragma once

#include <cstdint>

namespace wrenhollow {

// A moment as a FILETIME: 100-nanosecond intervals since 1 January 1601.
using FileTime = uint64_t;

// Size of the buffers date-time texts are formatted into.
constexpr int kDateTimeTextSize = 256;

// Time as the program reads and shows it. The caller owns the clock and every buffer; a clock holds no state a
// caller can see, and no call fails outright.
class Clock {
 public:
  virtual ~Clock() = default;

  virtual FileTime NowUtc() = 0;
  // The same moment in the user's time zone; utc itself when it cannot be converted.
  virtual FileTime ToLocal(FileTime utc) = 0;
  // "" for 0, for any time in 1985 or earlier and for a time that cannot be converted; otherwise the date and
  // the time, joined by one space (either part "" when the system cannot format it). Always terminated.
  virtual void FormatDateTime(FileTime time, char (&text)[kDateTimeTextSize]) = 0;
};

}  // namespace wrenhollow
