#pragma once

#include "util/clock.h"

namespace wrenhollow {

// A clock that stands still, in UTC, with one fixed text format ("2024-03-05 14:07:09"); for tests,
// benchmarks and the portable build.
class FixedClock : public Clock {
 public:
  explicit FixedClock(FileTime now) : now_(now) {}

  FileTime NowUtc() override { return now_; }
  FileTime ToLocal(FileTime utc) override { return utc; }
  void FormatDateTime(FileTime time, char (&text)[kDateTimeTextSize]) override;

  void Set(FileTime now) { now_ = now; }

 private:
  FileTime now_;
};

}  // namespace wrenhollow
