#pragma once

#include "util/clock.h"

namespace wrenhollow {

// The system's clock, time zone and the user's date and time formats.
class SystemClock : public Clock {
 public:
  FileTime NowUtc() override;
  // The time unchanged when the system cannot convert it.
  FileTime ToLocal(FileTime utc) override;
  // The user's short date and time formats; "" for 0, for times the system cannot convert and for 1985 or
  // earlier.
  void FormatDateTime(FileTime time, char (&text)[kDateTimeTextSize]) override;
};

}  // namespace wrenhollow
