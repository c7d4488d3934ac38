#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "gui_driver/gui_driver.h"

namespace wrenhollow::e2e {

// Set once by main from the command line: --product=PATH (wrenhollow.exe) and --artifacts=FOLDER.
struct E2eSettings {
  std::string productExe;    // as this program must spell it (Z:\... under Wine)
  std::string artifactsDir;  // screenshots and other files kept for a person to look at
};
E2eSettings& Settings();

// A file under tests/fixtures.
std::string FixtureFile(const std::string& relative);
std::string ReadFileBytes(const std::string& path, bool* found = nullptr);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The artifacts folder's path for a file named after the running test and what.
std::string ArtifactPath(const std::string& what);

// The device registry: reset.reg, then common.reg and the given fixture files of tests/fixtures/devices.
::testing::AssertionResult LoadDevices(std::initializer_list<const char*> fixtures);
::testing::AssertionResult ApplyDevices(const char* fixture);

// One copy of wrenhollow.exe in a folder of its own (the settings file and report.html are written beside
// the exe), started and ended the way a user starts and ends it.
class Product {
 public:
  static constexpr WORD kExitCommand = 40002;
  static constexpr WORD kRefreshCommand = 40004;

  // A fresh, empty folder named after the running test, holding a copy of the exe.
  Product();
  ~Product();
  Product(const Product&) = delete;
  Product& operator=(const Product&) = delete;

  const std::string& Folder() const { return folder_; }
  std::string ExePath() const { return folder_ + "\\wrenhollow.exe"; }
  std::string SettingsPath() const { return folder_ + "\\wrenhollow.cfg"; }
  std::string ReportPath() const { return folder_ + "\\report.html"; }
  std::string LanguagePath() const { return folder_ + "\\wrenhollow_lng.ini"; }

  // Starts the program with the arguments (the text after the program name) and waits for its main window.
  ::testing::AssertionResult Start(const std::string& arguments = "", DWORD timeoutMs = 15000);
  // Starts the program, expecting it to stay hidden behind its tray icon: waits for the invisible main window,
  // its icon and its message loop.
  ::testing::AssertionResult StartHidden(const std::string& arguments = "", DWORD timeoutMs = 15000);
  // Starts it without waiting (again, once a previous run has ended); with captureOutput its standard output
  // goes into a pipe read by Output().
  ::testing::AssertionResult Launch(const std::string& arguments, bool captureOutput = false);
  // Waits for the process to end by itself; false on timeout (it is then still running).
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  // Runs the program to its end: Launch, then WaitForExit; a program still running after timeoutMs is killed
  // and the result is a failure.
  ::testing::AssertionResult Run(const std::string& arguments, DWORD* exitCode, std::string* output = nullptr,
                                 DWORD timeoutMs = 15000);
  // Ends the program as the user does, with the Exit command; then tries WM_CLOSE; then kills it. Succeeds only
  // when the program ended by itself, with exit code 0.
  ::testing::AssertionResult Exit(DWORD timeoutMs = 10000);
  void Kill();

  bool Running() const;
  DWORD ProcessId() const { return processId_; }
  HANDLE ProcessHandle() const { return process_; }
  HWND Window() const { return window_; }
  AppWindow App() const { return AppWindow(window_); }
  // Everything the program wrote to its standard output (after it ended, when launched with captureOutput).
  std::string Output();

 private:
  void CloseProcess();

  std::string folder_;
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
  HANDLE outputRead_ = nullptr;
  std::unique_ptr<std::thread> outputReader_;
  std::string output_;
};

}  // namespace wrenhollow::e2e
