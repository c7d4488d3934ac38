#include "portable/clock_fixed.h"

#include <cinttypes>
#include <cstdio>

namespace wrenhollow {
namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsPerDay = 86400;
// Days from 1 January 1601 to 1 January 1970.
constexpr int64_t kDaysBefore1970 = 134774;

struct CivilDate {
  int64_t year;
  int month;
  int day;
};

// Proleptic Gregorian date of a day count from 1 January 1970 (H. Hinnant's days-to-civil algorithm).
CivilDate CivilFromDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace

void FixedClock::FormatDateTime(FileTime time, char (&text)[kDateTimeTextSize]) {
  text[0] = '\0';
  // The system refuses FILETIMEs with the top bit set; so does this clock.
  if (time == 0 || time >= (uint64_t{1} << 63)) return;
  const int64_t seconds = static_cast<int64_t>(time / kTicksPerSecond);
  const int64_t days = seconds / kSecondsPerDay;
  const int64_t secondOfDay = seconds % kSecondsPerDay;
  const CivilDate date = CivilFromDays(days - kDaysBefore1970);
  // Earlier times are more likely an unset value than a real event.
  if (date.year <= 1985) return;
  std::snprintf(text, sizeof text, "%04" PRId64 "-%02d-%02d %02d:%02d:%02d", date.year, date.month, date.day,
                static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
                static_cast<int>(secondOfDay % 60));
}

}  // namespace wrenhollow
