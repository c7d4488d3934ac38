#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "device_simulator/device_simulator.h"
#include "expected_export.h"
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

// The program's commands, as its menus, toolbar and accelerators send them.
enum Command : WORD {
  kSaveSelected = 40001,
  kExit = 40002,
  kAbout = 40003,
  kRefresh = 40004,
  kShowGridLines = 40005,
  kHtmlReportAll = 40006,
  kSelectAll = 40007,
  kCopySelected = 40008,
  kProperties = 40009,
  kHtmlReportSelected = 40010,
  kChooseColumns = 40011,
  kAutoSizeColumns = 40012,
  kFind = 40014,
  kDeselectAll = 40015,
  kShowTooltips = 40022,
  kShowTimeInGmt = 40023,
  kPutIconOnTray = 40024,
  kOpenFromTray = 40026,
  kStartAsHidden = 40028,
  kClearLog = 40029,
};

// The tray icon's id and callback message.
constexpr UINT kTrayIconId = 0;
constexpr UINT kTrayMessage = 1054;

// The columns' built-in titles, by column id.
inline const std::vector<std::string> kColumnTitles = {
    "Event Type",   "Event Time",        "Device Name", "Description",  "Device Type",
    "Drive Letter", "Serial Number",     "Vendor ID",   "Product ID",   "Vendor Name",
    "Product Name", "Firmware Revision", "USB Class",   "USB SubClass", "USB Protocol"};
// Their default widths, by column id.
inline const std::vector<int> kDefaultWidths = {100, 120, 150, 150, 120, 100, 120, 100, 100, 150, 150, 100, 80, 80, 80};

// A device never seen before, of the test vendor 1209, numbered n (1 to 255), with its own description and serial
// number; plugged, it logs one Plug row.
inline NewDevice TestDevice(int n, const std::string& description, const std::string& serial) {
  char device[32];
  std::snprintf(device, sizeof device, "VID_1209&PID_%04X", n);
  NewDevice added;
  added.id = {device, serial};
  added.description = description;
  added.location = "Port_#" + std::to_string(1000 + n) + ".Hub_#0004";
  return added;
}

// Writes the devices into the registry, tells the program as Windows does, and waits for their rows.
inline ::testing::AssertionResult PlugDevices(const AppWindow& app, const std::vector<NewDevice>& devices) {
  const int before = app.RowCount();
  std::string error;
  for (const NewDevice& device : devices) {
    if (!AddDevice(device, &error)) return ::testing::AssertionFailure() << error;
  }
  if (!BroadcastDeviceChange()) return ::testing::AssertionFailure() << "the notification was not delivered";
  const int expected = before + static_cast<int>(devices.size());
  const int seen = WaitForRows(app, expected, kRefreshDelayMs + kRefreshSlackMs);
  if (seen != expected) return ::testing::AssertionFailure() << seen << " rows, not " << expected;
  return ::testing::AssertionSuccess();
}

// The visible columns in display order (width above 0), as ids.
inline std::vector<int> VisibleColumns(const AppWindow& app) {
  std::vector<int> visible;
  for (int column : app.ColumnOrder()) {
    if (app.ColumnWidth(column) > 0) visible.push_back(column);
  }
  return visible;
}

// What the list shows of the rows, in the given order: the visible columns' header titles and texts. An export of
// the same rows must hold exactly this.
inline ExportTable ShownTable(const AppWindow& app, const std::vector<int>& rows) {
  ExportTable table;
  const std::vector<int> columns = VisibleColumns(app);
  for (int column : columns) {
    table.titles.push_back(app.ColumnTitle(column));
    table.names.push_back(kColumnTitles.at(static_cast<size_t>(column)));
  }
  for (int row : rows) {
    ListRow read;
    EXPECT_TRUE(app.ReadRow(row, &read)) << "row " << row;
    std::vector<std::string> texts;
    for (int column : columns)
      texts.push_back(read.texts.size() > static_cast<size_t>(column) ? read.texts[column] : "");
    table.rows.push_back(texts);
  }
  return table;
}

// The lines of a settings file, without line ends and empty lines.
inline std::vector<std::string> SettingsLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// A key's value in a settings file's text, or "(absent)".
inline std::string SettingsValue(const std::string& text, const std::string& key) {
  for (const std::string& line : SettingsLines(text)) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return "(absent)";
}

// The "Columns" value for a layout: each column's width and display position, 16 bits each, as hex pairs.
inline std::string ColumnsValue(const std::vector<std::pair<int, int>>& widthAndPosition) {
  std::string text;
  char pair[8];
  for (const auto& [width, position] : widthAndPosition) {
    for (int value : {width, position}) {
      for (int byte : {value & 0xFF, (value >> 8) & 0xFF}) {
        std::snprintf(pair, sizeof pair, "%s%02X", text.empty() ? "" : " ", byte);
        text += pair;
      }
    }
  }
  return text;
}

// The default layout with changes: column id -> {width, position}.
inline std::vector<std::pair<int, int>> DefaultLayoutWith(const std::map<int, std::pair<int, int>>& changes) {
  std::vector<std::pair<int, int>> layout;
  for (int column = 0; column < static_cast<int>(kDefaultWidths.size()); ++column) {
    const auto changed = changes.find(column);
    layout.push_back(changed != changes.end()
                         ? changed->second
                         : std::pair<int, int>{kDefaultWidths[static_cast<size_t>(column)], column});
  }
  return layout;
}

// A menu and its submenus as the program shows them, by command id.
struct MenuTree {
  std::vector<MenuItem> top;
  std::map<UINT, MenuItem> commands;
};

inline ::testing::AssertionResult ReadMenuTree(HWND owner, HMENU menu, MenuTree* tree) {
  std::string error;
  if (!ReadMenu(owner, menu, &tree->top, &error)) return ::testing::AssertionFailure() << error;
  std::vector<MenuItem> pending = tree->top;
  while (!pending.empty()) {
    const MenuItem item = pending.back();
    pending.pop_back();
    if (item.submenu == nullptr) {
      if (!item.Separator()) tree->commands[item.id] = item;
      continue;
    }
    std::vector<MenuItem> sub;
    if (!ReadMenu(owner, item.submenu, &sub, &error)) return ::testing::AssertionFailure() << error;
    pending.insert(pending.end(), sub.begin(), sub.end());
  }
  return ::testing::AssertionSuccess();
}

// Waits until the status bar shows the counts. The program writes them from a message it posts itself on a
// selection change or Refresh, together with the menu states, which are therefore current once the counts are
// (a message sent from here could otherwise overtake the posted one).
inline bool WaitForStatusCounts(const AppWindow& app, int rows, int selected) {
  const std::string expected =
      std::to_string(rows) + " item(s)" + (selected > 0 ? ", " + std::to_string(selected) + " Selected" : "");
  const bool shown = WaitUntil([&] { return app.StatusText(0) == expected; }, kAnswerMs);
  EXPECT_TRUE(shown) << "the status bar shows \"" << app.StatusText(0) << "\", not \"" << expected << "\"";
  return shown;
}

// The Save Selected Items dialog: its title, and how long a save may take (it returns ~2 s after the dialog
// closes under Wine, more on a loaded machine).
constexpr char kSaveTitle[] = "Select a filename to save";
constexpr DWORD kSaveMs = 15000;

inline HWND OpenSaveDialog(const Product& product) {
  EXPECT_TRUE(product.App().PostCommand(kSaveSelected));
  HWND dialog = WaitForDialog(product.ProcessId(), kSaveTitle, kAnswerMs);
  EXPECT_NE(dialog, nullptr) << "no dialog titled \"" << kSaveTitle << "\"";
  return dialog;
}

// Chooses the type and the file in the open Save As dialog and presses Save.
inline ::testing::AssertionResult SaveAs(HWND dialog, int type, const std::string& path) {
  if (!ChooseSaveDialogFileType(dialog, type)) return ::testing::AssertionFailure() << "cannot choose type " << type;
  if (!SetSaveDialogFileName(dialog, path)) return ::testing::AssertionFailure() << "cannot type the file name";
  if (!PressDialogButton(dialog, IDOK)) return ::testing::AssertionFailure() << "cannot press Save";
  if (!WaitUntil([&] { return !IsWindow(dialog); }, kSaveMs)) {
    return ::testing::AssertionFailure() << "the dialog stayed open";
  }
  return ::testing::AssertionSuccess();
}

// Waits for the file to hold exactly the expected bytes (a save writes it after its dialog has gone).
inline ::testing::AssertionResult FileHolds(const std::string& path, const std::string& expected) {
  std::string bytes;
  WaitUntil([&] { return (bytes = ReadFileBytes(path)) == expected; }, kSaveMs, 50);
  if (bytes == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << path << " holds\n" << bytes << "\n--- instead of ---\n" << expected;
}

// Whether a control draws with the link font of the About dialog: bold and underlined.
inline bool IsLinkFont(HWND control) {
  LOGFONTA font{};
  std::string error;
  if (!ReadFont(control, &font, &error)) return false;
  return font.lfWeight == FW_BOLD && font.lfUnderline != 0;
}

// The text of a message box of the program: its static with a text (the icon's has none).
inline std::string MessageBoxText(HWND box) {
  for (HWND child : DescendantWindows(box)) {
    if (ClassNameOf(child) == "Static" && !WindowText(child).empty()) return WindowText(child);
  }
  return "";
}

}  // namespace wrenhollow::e2e
