#pragma once

#include <cstdint>

namespace wrenhollow {

// The user's options, as the settings file keeps them. Each flag is on when non-zero.
struct AppOptions {
  int32_t showGridLines = 0;
  int32_t showInfoTip = 1;
  int32_t showTimeInGmt = 0;
  int32_t trayIcon = 0;
  int32_t startAsHidden = 0;
  // The save dialog's file type last chosen, 1 to 8; 0 before any.
  int32_t saveFilterIndex = 0;
  // Rows for the system's record of connections made before the program started.
  int32_t showEarlierConnections = 0;
  // Every live row appended to the log file, and the logged rows shown again at start.
  int32_t keepLogFile = 0;
  // Every live row reported to the Windows Event Log.
  int32_t writeToEventLog = 0;
  // A tray balloon after a reading that added rows; with onlyNewDevices, only for devices never seen before,
  // whose rows are then bold.
  int32_t showNotifications = 0;
  int32_t onlyNewDevices = 0;
};

// A menu command's flip of a flag: only bit 0 changes, so a hand-edited 2 turns into 3 and back, on throughout.
void FlipOption(int32_t* option);

}  // namespace wrenhollow
