#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "device_simulator/device_simulator.h"
#include "gui_driver/gui_driver.h"
#include "resource_ids.h"
#include "support/golden.h"

namespace wrenhollow::e2e {

// How long the program may take to answer on a loaded machine (two cores shared with other Wine prefixes). Waits
// end as soon as their condition holds, so this costs nothing when all is well.
constexpr DWORD kAnswerMs = 10000;
// The program reads the devices this long after a device-change notification.
constexpr DWORD kRefreshDelayMs = 500;

using test::ReadFileBytes;
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// The names of the files in a folder that match the pattern.
std::set<std::string> FilesIn(const std::string& folder, const char* pattern = "*");
// Bytes as the settings file writes them: upper-case hex pairs separated by spaces.
std::string Hex(const void* data, size_t size);
// Keeps a picture of the window for a person to look at, in the artifacts folder, named after the test and what.
void KeepScreenshot(HWND window, const std::string& what);

// The device registry: reset.reg, common.reg, then the given files of tests/fixtures/devices.
::testing::AssertionResult LoadDevices(std::initializer_list<const char*> fixtures);
// A device never seen before, of the test vendor 1209, numbered n.
UsbDevice TestDevice(int n, const std::string& description);
// Imports the .reg keys (none: the registry was changed already), tells the program as Windows does, and waits
// for the list to hold `rows` rows.
::testing::AssertionResult ChangeDevices(const AppWindow& app, const std::string& regText, int rows);
// Plugs devices never seen before (TestDevice 1, 2, ... over the whole run) and waits for their rows.
::testing::AssertionResult PlugDevices(const AppWindow& app, const std::vector<std::string>& descriptions);
// Waits for the status bar's first part to show the text.
::testing::AssertionResult WaitForStatus(const AppWindow& app, const std::string& text);
// Presses the dialog's button and waits until the dialog is gone.
::testing::AssertionResult CloseDialog(HWND dialog, int button);
// The items of a menu of the window's thread; none, after a failure.
std::vector<MenuItem> MenuItems(HWND owner, HMENU menu);

// One copy of wrenhollow.exe in a fresh folder of its own, named after the running test (the settings file and
// report.html are written beside the exe), started and ended the way a user starts and ends it.
class Product {
 public:
  Product();
  ~Product();
  Product(const Product&) = delete;
  Product& operator=(const Product&) = delete;

  const std::string& Folder() const { return folder_; }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  std::string SettingsPath() const { return Path("wrenhollow.cfg"); }

  // Starts the program with the arguments and waits for its main window: shown, or hidden behind its tray icon.
  ::testing::AssertionResult Start(const std::string& arguments = "", bool visible = true);
  // Runs the program to its end, which must come without a window; its exit code, its standard output (none at
  // all, as from a shortcut, when output is null) and the text of any message box it showed, which is closed.
  ::testing::AssertionResult Run(const std::string& arguments, DWORD* exitCode, std::string* output = nullptr,
                                 std::string* message = nullptr);
  // Ends the program with the Exit command; succeeds only when it ended by itself with exit code 0.
  ::testing::AssertionResult Exit();
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  // Ends the program at once, as a crash or a power cut would: no exit code to check, nothing saved.
  void Kill();
  // Opens the list's context menu as a right click does, reads it and closes it; where it opened in *at.
  std::vector<MenuItem> ContextMenuItems(RECT* at = nullptr) const;
  bool Running() const { return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

  // From the next start on, the program runs with these Wine debug channels.
  void SetWineDebug(const std::string& channels) { wineDebug_ = channels; }
  // What Wine wrote so far: a windowed program writes it to the Unix standard error it inherits, which only a group
  // run with WRENHOLLOW_E2E_STDERR (the Windows path of that file) can read back.
  std::string WineDebugOutput() const;

  DWORD ProcessId() const { return processId_; }
  HWND Window() const { return window_; }
  AppWindow App() const { return AppWindow(window_); }

 private:
  // The program's standard output and error go to `output` (null: there are none).
  ::testing::AssertionResult Launch(const std::string& arguments, HANDLE output);

  std::string folder_;
  std::string wineDebug_;
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
};

}  // namespace wrenhollow::e2e
