#include "util/iso_time.h"

#include <cstdint>
#include <cstdio>

namespace wrenhollow {
namespace {

constexpr FileTime kTicksPerMillisecond = 10000;
constexpr FileTime kTicksPerDay = 864000000000;
constexpr int64_t kDaysFrom1601To1970 = 134774;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's civil calendar algorithms).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, unsigned& month, unsigned& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = doy - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}

bool Digits(std::string_view text, size_t at, size_t count, unsigned& value) {
  value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  return true;
}

}  // namespace

std::string FormatIsoUtc(FileTime utc) {
  if (utc == 0) return "";
  const auto days = static_cast<int64_t>(utc / kTicksPerDay) - kDaysFrom1601To1970;
  const FileTime milliseconds = utc % kTicksPerDay / kTicksPerMillisecond;
  int year;
  unsigned month, day;
  CivilFromDays(days, year, month, day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02u:%02u:%02u.%03uZ", year, month, day,
                static_cast<unsigned>(milliseconds / 3600000), static_cast<unsigned>(milliseconds / 60000 % 60),
                static_cast<unsigned>(milliseconds / 1000 % 60), static_cast<unsigned>(milliseconds % 1000));
  return text;
}

std::optional<FileTime> ParseIsoUtc(std::string_view text) {
  // 2026-12-07T02:08:30.123Z
  constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:dd.dddZ";
  if (text.size() != kShape.size()) return std::nullopt;
  for (size_t i = 0; i < kShape.size(); ++i) {
    if (kShape[i] != 'd' && text[i] != kShape[i]) return std::nullopt;
  }
  unsigned year, month, day, hour, minute, second, millisecond;
  if (!Digits(text, 0, 4, year) || !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day) ||
      !Digits(text, 11, 2, hour) || !Digits(text, 14, 2, minute) || !Digits(text, 17, 2, second) ||
      !Digits(text, 20, 3, millisecond)) {
    return std::nullopt;
  }
  const unsigned monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  if (year < 1601 || month < 1 || month > 12 || day < 1 || day > monthDays[month - 1] + (month == 2 && leap) ||
      hour > 23 || minute > 59 || second > 59) {
    return std::nullopt;
  }
  const int64_t days = DaysFromCivil(year, month, day) + kDaysFrom1601To1970;
  const FileTime ms = ((static_cast<FileTime>(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<FileTime>(days) * kTicksPerDay + ms * kTicksPerMillisecond;
}

}  // namespace wrenhollow
