#pragma once

#include <cstdint>

namespace wrenhollow {

// A moment as a FILETIME: 100-nanosecond intervals since 1 January 1601.
using FileTime = uint64_t;

// Size of the buffers date-time texts are formatted into.
constexpr int kDateTimeTextSize = 256;

// Time as the program reads and shows it.
class Clock {
 public:
  virtual ~Clock() = default;

  virtual FileTime NowUtc() = 0;
  virtual FileTime ToLocal(FileTime utc) = 0;
  // "" for 0 and for any time in 1985 or earlier; otherwise the date and the time, joined by one space.
  virtual void FormatDateTime(FileTime time, char (&text)[kDateTimeTextSize]) = 0;
};

}  // namespace wrenhollow
