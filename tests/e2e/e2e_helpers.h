#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "device_simulator/device_simulator.h"
#include "gui_driver/gui_driver.h"
#include "product.h"

namespace wrenhollow::e2e {

constexpr int kColumnCount = 15;
constexpr int kEventTimeColumn = 1;
constexpr int kPlugImage = 0;
constexpr int kUnplugImage = 1;
// The program waits this long after a device-change notification before it reads the devices.
constexpr DWORD kRefreshDelayMs = 500;
// How long a refresh may take to show, beyond that delay, on a loaded machine (a CI run shares two cores
// with other Wine prefixes). Waits end as soon as their condition holds, so this costs nothing when all is well.
constexpr DWORD kRefreshSlackMs = 10000;
// The same for anything else the program is asked to do.
constexpr DWORD kAnswerMs = 10000;

// The USB stick of the fixtures (plug_after.reg), and what its row shows. Under Wine its letters come only
// from MountedDevices (E: by the child's parent-ID prefix, F: by the serial number): no live volume is a USB
// disk there.
inline const DeviceId kStick{"VID_0781&PID_5567", "4C530001230105117312"};
inline std::vector<std::string> StickTexts(const char* eventType) {
  return {eventType,
          "",
          "Port_#0001.Hub_#0004",
          "SanDisk Cruzer Blade USB Device",
          "Mass Storage",
          "E:, F:",
          "4C530001230105117312",
          "0781",
          "5567",
          "SanDisk Corp.",
          "Cruzer Blade",
          "1.26",
          "08",
          "06",
          "50"};
}

// The date-time texts an event detected between two moments can show: the user's short date, a space and the
// user's time format, in local time, for every second in between.
inline std::set<std::string> TimeTextsBetween(const FILETIME& from, const FILETIME& to) {
  std::set<std::string> texts;
  ULARGE_INTEGER at{{from.dwLowDateTime, from.dwHighDateTime}};
  ULARGE_INTEGER end{{to.dwLowDateTime, to.dwHighDateTime}};
  at.QuadPart -= at.QuadPart % 10'000'000ull;  // whole seconds
  for (; at.QuadPart <= end.QuadPart; at.QuadPart += 10'000'000ull) {
    FILETIME utc{at.LowPart, at.HighPart};
    FILETIME local;
    SYSTEMTIME time;
    char date[128] = {};
    char clock[128] = {};
    if (FileTimeToLocalFileTime(&utc, &local) && FileTimeToSystemTime(&local, &time) &&
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date) &&
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock)) {
      texts.insert(std::string(date) + " " + clock);
    }
  }
  return texts;
}

inline FILETIME Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return now;
}

// Compares a row with the expected texts and image; the time column must be one of times.
inline void ExpectRow(const ListRow& row, const std::vector<std::string>& expected, int image,
                      const std::set<std::string>& times, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(row.texts.size(), static_cast<size_t>(kColumnCount));
  for (int column = 0; column < kColumnCount; ++column) {
    if (column == kEventTimeColumn) {
      EXPECT_EQ(times.count(row.texts[column]), 1u)
          << "event time \"" << row.texts[column] << "\" is not one of " << ::testing::PrintToString(times);
    } else {
      EXPECT_EQ(row.texts[column], expected[column]) << "column " << column;
    }
  }
  EXPECT_EQ(row.image, image);
}

// Waits until the list holds at least count rows; returns the count then seen (-1: the window is gone).
inline int WaitForRows(const AppWindow& app, int count, DWORD timeoutMs) {
  int seen = -1;
  WaitUntil([&] { return (seen = app.RowCount()) >= count || seen < 0; }, timeoutMs, 5);
  return seen;
}

// Keeps a screenshot of the window for a person to look at; a failure to take it fails the test.
inline void KeepScreenshot(HWND window, const std::string& what) {
  std::string error;
  const std::string path = ArtifactPath(what + ".bmp");
  EXPECT_TRUE(SaveScreenshot(window, path, &error)) << error;
}

}  // namespace wrenhollow::e2e
