#pragma once

#include <cstdint>
#include <vector>

#include "app/app_options.h"
#include "app/config_store.h"
#include "report/column_layout.h"

namespace wrenhollow {

// The main window's placement as WINDOWPLACEMENT lays it out, kept in "WinPos": 44 bytes, little-endian.
struct WindowPlacementRecord {
  uint32_t length;
  uint32_t flags;
  uint32_t showCommand;  // 0 when nothing was stored
  int32_t minimizedX;
  int32_t minimizedY;
  int32_t maximizedX;
  int32_t maximizedY;
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
static_assert(sizeof(WindowPlacementRecord) == 44, "the stored block is 44 bytes");

constexpr const char* kSettingsSection = "General";

// The program's path with its file name's extension replaced by ".cfg" (a name without one gets ".cfg" added; a
// dot in a folder name never counts). False when the result would not fit a path buffer.
bool SettingsPathFor(const char* programPath, char (&path)[kConfigPathSize]);

// What the settings file holds besides the options: the report list's column layout and sort value.
struct ListSettings {
  std::vector<ColumnLayoutEntry>* columns;
  int32_t* sortValue;
  int32_t initialSortValue;
};

// Exchanges every key of the settings file, in the file's order: the six options, "WinPos", "Columns", "Sort",
// then the options added later. Loading zeroes the placement first, so a missing "WinPos" leaves show state 0. Returns whether
// "Columns" held a value, which a load applies to the list view. A save expects the caller to have emptied the
// file, so that keys this program does not write go.
bool ExchangeSettings(ConfigStore& store, AppOptions& options, WindowPlacementRecord& placement,
                      const ListSettings& list);

// Whether a loaded placement is worth restoring: something was stored, and its normal rectangle is more than 20
// pixels each way and within reach on a screen of that size.
bool IsPlacementUsable(const WindowPlacementRecord& placement, int screenWidth, int screenHeight);

}  // namespace wrenhollow
