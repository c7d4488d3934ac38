#include "app/settings_file.h"

#include <cstring>

#include "util/paths.h"

namespace wrenhollow {

bool SettingsPathFor(const char* programPath, char (&path)[kConfigPathSize]) {
  const char* name = FileNamePart(programPath);
  const char* dot = std::strrchr(name, '.');
  const size_t stem = dot != nullptr ? static_cast<size_t>(dot - programPath) : std::strlen(programPath);
  if (stem + 4 >= kPathSize) return false;
  std::memcpy(path, programPath, stem);
  std::memcpy(path + stem, ".cfg", 5);
  return true;
}

bool ExchangeSettings(ConfigStore& store, AppOptions& options, WindowPlacementRecord& placement,
                      const ListSettings& list) {
  store.ExchangeFlag("ShowGridLines", &options.showGridLines, 0);
  store.ExchangeInt("SaveFilterIndex", &options.saveFilterIndex, 0);
  store.ExchangeFlag("ShowInfoTip", &options.showInfoTip, 1);
  store.ExchangeFlag("ShowTimeInGMT", &options.showTimeInGmt, 0);
  store.ExchangeFlag("TrayIcon", &options.trayIcon, 0);
  store.ExchangeFlag("StartAsHidden", &options.startAsHidden, 0);

  if (!store.IsSaving()) placement = WindowPlacementRecord{};
  store.ExchangeBinary("WinPos", reinterpret_cast<uint8_t*>(&placement), sizeof placement);

  static_assert(sizeof(ColumnLayoutEntry) == 4, "each column is stored as 4 bytes");
  const bool columnsFound = store.ExchangeBinary("Columns", reinterpret_cast<uint8_t*>(list.columns->data()),
                                                 static_cast<int>(list.columns->size() * sizeof(ColumnLayoutEntry)));
  store.ExchangeInt("Sort", list.sortValue, list.initialSortValue);
  store.ExchangeFlag("ShowEarlierConnections", &options.showEarlierConnections, 0);
  store.ExchangeFlag("KeepLogFile", &options.keepLogFile, 0);
  store.ExchangeFlag("WriteToEventLog", &options.writeToEventLog, 0);
  store.ExchangeFlag("ShowNotifications", &options.showNotifications, 0);
  store.ExchangeFlag("OnlyNewDevices", &options.onlyNewDevices, 0);
  return columnsFound;
}

bool IsPlacementUsable(const WindowPlacementRecord& placement, int screenWidth, int screenHeight) {
  const int64_t width = static_cast<int64_t>(placement.right) - placement.left;
  const int64_t height = static_cast<int64_t>(placement.bottom) - placement.top;
  return placement.showCommand != 0 && width > 20 && height > 20 && placement.right > 5 && placement.top >= -10 &&
         static_cast<int64_t>(placement.left) + 20 < screenWidth &&
         static_cast<int64_t>(placement.top) + 20 < screenHeight;
}

}  // namespace wrenhollow
