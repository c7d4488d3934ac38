#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/app_options.h"
#include "app/settings_file.h"
#include "app/tray_icon_win32.h"
#include "app/window_event_list_win32.h"
#include "events/event_log_file_win32.h"
#include "forward/syslog_forwarder_win32.h"
#include "forward/windows_event_log_win32.h"
#include "monitor/device_history_win32.h"
#include "monitor/registry_win32.h"
#include "monitor/volumes_win32.h"
#include "ui/window_win32.h"
#include "util/argument_list.h"
#include "util/clock_win32.h"
#include "util/paths.h"

namespace wrenhollow {

// Control ids of the main window's children.
constexpr int kStatusBarId = 257;
constexpr int kToolbarId = 258;
constexpr int kListViewId = 259;

// Messages the main window posts to itself, so that work leaves the notification that asked for it.
constexpr UINT kSelectionChangedMessage = 1026;
constexpr UINT kClearAndRebuildMessage = 1045;
constexpr UINT kFocusListMessage = 1064;
// Posted by the forwarding thread with a ForwardingStatus in wParam.
constexpr UINT kForwardingStatusMessage = 1080;

// Timer that gathers a burst of device-change broadcasts into one reading of the devices.
constexpr UINT_PTR kDeviceChangeTimer = 2;
constexpr UINT kDeviceChangeDelay = 500;

// The program's one window: menu, toolbar, the event log in a list view, and a status bar with the row counts
// and a link. It owns the options and the event log, and through the log the device monitor.
class MainWindow : public Window {
 public:
  MainWindow();
  ~MainWindow() override;

  void SetArguments(const ArgumentList* arguments) { arguments_ = arguments; }
  // Creates the event log; the language file must be loaded first, as the column titles are fixed here.
  WindowEventList& CreateEventList();
  void DestroyEventList() { list_.reset(); }

  // Loads (kConfigLoad) or saves the settings file beside the program; nothing under "/nosaveload".
  void LoadSaveSettings(int direction);
  // Registers the class and creates the window; the saved placement may move it while it is created. False when
  // the window could not be created.
  bool CreateMainWindow();
  // Shows the window as it was left: maximized when saved so, else normally.
  void ShowMainWindowAtStart();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(WORD notification, WPARAM wParam, LPARAM lParam) override;
  void OnNotify(WPARAM wParam, LPARAM lParam) override;
  void OnDestroy() override;
  void OnSize() override { LayoutChildren(); }
  void OnCreate() override;

  void UpdateStatusCounts();
  void ApplyViewOptions();
  void UpdateAllRowTexts();
  void LayoutChildren();
  // Shows or removes the tray icon as the option says.
  void UpdateTrayIcon();
  // Adds or removes the rows of the system's record of earlier connections as the option says.
  void ApplyEarlierConnections();
  // Opens or closes the log file as the option says.
  void ApplyLogFile();
  // Registers with the Windows Event Log, or lets go of it, as the option says.
  void ApplyEventLog();
  // Paints the rows again: new devices' rows are bold only with notifications for new devices on.
  void RedrawRows();
  // Greys the commands with nothing to act on and checks the options, in the popup or in the main menu.
  void UpdateMenuStates(HMENU popup);

  // The modeless Find dialog while it is open; the message loop hands it its keyboard messages.
  HWND findDialog = nullptr;

 private:
  HWND ListViewHandle() { return list_ != nullptr ? list_->View().Handle() : nullptr; }
  void CreateStatusBar();
  void CreateToolbar();
  void CreateListView();
  void SetReportPath();
  void ApplyWindowPlacement();
  // The status bar's link; other owner-drawn items are not the window's.
  void DrawLink(const DRAWITEMSTRUCT* item);
  bool IsOwnTitle(const char* title) const;
  // Hides the window when its icon is on the tray; false when it is not.
  bool HideToTray();
  // The hand over the status bar's link; false over anything else.
  bool ShowLinkCursor(HWND under);
  void OnSelectionChanged();
  void OnTrayCallback(UINT event);
  // The messages whose numbers the system gives at run time: the Find dialog's and the new taskbar's.
  void OnRegisteredMessage(UINT message, LPARAM lParam);
  void OnDeviceChange();
  void OnTimer(UINT_PTR timer);
  void ClearAndRebuild();
  // Shows every item of the list as a row again, after rows were inserted or removed before others.
  void ShowAllRowsAgain();
  // At start: the logged rows, then the earlier connections, as the options say.
  void ShowOlderRowsAtStart();
  // Replaces the earlier-connection rows by those of the latest reading, or removes them when the option is off.
  void PlaceEarlierConnections();
  // Every destination of a live row besides the list: the log file and the Windows Event Log, as the options say.
  void ForwardLiveRow(const UsbEvent& row);
  void AppendToLog(const UsbEvent& row);
  // The balloon for the rows from firstItem on, which the latest reading added, as the options say.
  void NotifyOfReading(int firstItem);
  // The window shown with the rows the last balloon was about selected.
  void ShowBalloonRows();
  // The status bar's word on a server that cannot be reached.
  void OnForwardingStatus(ForwardingStatus status);
  // NM_CUSTOMDRAW of the list: new devices' rows in bold; 0 for the default drawing.
  LRESULT DrawRow(const NMLVCUSTOMDRAW& draw);
  // A notice in the status bar's first part, until the counts are shown next.
  void ShowStatusNotice(const char* text);
  template <typename Work>
  void WithRedrawOff(Work work);
  void ConfirmClearLog();
  void SaveSelected();
  void ShowProperties();
  void ChooseColumns();
  // The HTML report of all or the selected rows, in the report folder.
  void ShowReport(bool selectedOnly);
  void FocusList();
  void ShowListContextMenu();
  void SetMenuItemEnabled(HMENU popup, int position, UINT command, bool enabled, bool withToolbar);
  void OpenLink();

  Win32Registry registry_;
  Win32Volumes volumes_;
  SystemClock clock_;
  SetupApiDeviceHistory history_;
  EventLogFile log_;
  WindowsEventLog eventLog_;
  ForwardingSettings forwarding_ = DefaultForwardingSettings();
  SyslogForwarder forwarder_{[this](ForwardingStatus status) {
    PostMessageA(hwnd, kForwardingStatusMessage, static_cast<WPARAM>(status), 0);
  }};
  std::string hostName_;
  bool logFailureShown_ = false;
  std::vector<int> balloonItems_;
  HFONT boldFont_ = nullptr;
  AppOptions options_;
  std::unique_ptr<WindowEventList> list_;
  const ArgumentList* arguments_ = nullptr;

  HWND statusBar_ = nullptr;
  HWND toolbar_ = nullptr;
  HMENU mainMenu_ = nullptr;
  HMENU contextMenu_ = nullptr;
  bool startHidden_ = false;
  WindowPlacementRecord placement_{};
  bool noSaveLoad_ = false;
  bool selectionUpdatePending_ = false;
  bool refreshPending_ = false;
  char reportPath_[kPathSize] = {};
  char linkText_[258] = {};
  HFONT linkFont_ = nullptr;
  UINT findMessage_ = 0;
  // Sent by the shell when it re-creates the notification area, which loses every icon.
  UINT taskbarCreatedMessage_ = 0;
  TrayIconHandler tray_;
  HICON smallIcon_ = nullptr;
};

}  // namespace wrenhollow
