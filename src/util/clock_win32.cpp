#include "util/clock_win32.h"

#include <windows.h>

#include <cstdio>

namespace wrenhollow {
namespace {

constexpr int kPartSize = 128;

FILETIME ToFiletime(FileTime time) {
  FILETIME value;
  value.dwLowDateTime = static_cast<DWORD>(time);
  value.dwHighDateTime = static_cast<DWORD>(time >> 32);
  return value;
}

FileTime FromFiletime(const FILETIME& value) {
  return (static_cast<FileTime>(value.dwHighDateTime) << 32) | value.dwLowDateTime;
}

}  // namespace

FileTime SystemClock::NowUtc() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return FromFiletime(now);
}

FileTime SystemClock::ToLocal(FileTime utc) {
  const FILETIME value = ToFiletime(utc);
  FILETIME local;
  if (!FileTimeToLocalFileTime(&value, &local)) return utc;
  return FromFiletime(local);
}

void SystemClock::FormatDateTime(FileTime time, char (&text)[kDateTimeTextSize]) {
  text[0] = '\0';
  if (time == 0) return;
  const FILETIME value = ToFiletime(time);
  SYSTEMTIME parts;
  if (!FileTimeToSystemTime(&value, &parts) || parts.wYear <= 1985) return;
  char date[kPartSize] = "";
  char clock[kPartSize] = "";
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &parts, nullptr, date, kPartSize) == 0) date[0] = '\0';
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &parts, nullptr, clock, kPartSize) == 0) clock[0] = '\0';
  std::snprintf(text, sizeof text, "%s %s", date, clock);
}

}  // namespace wrenhollow
