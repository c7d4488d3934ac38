// The end-to-end tests' shared support, and their main: --product=PATH names the wrenhollow.exe to test,
// --artifacts=FOLDER where screenshots are kept; both may be Linux paths.
#include "e2e_support.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace wrenhollow::e2e {
namespace {

std::string productExe;    // as this program must spell it (Z:\... under Wine)
std::string artifactsDir;  // screenshots kept for a person to look at

std::string TestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return info == nullptr ? "no_test" : std::string(info->test_suite_name()) + "." + info->name();
}

}  // namespace

std::string FixtureFile(const std::string& relative) {
  return ToWindowsPath(std::string(WRENHOLLOW_FIXTURE_DIR) + "/" + relative);
}

std::string ReadFileBytes(const std::string& path, bool* found) {
  std::ifstream file(path, std::ios::binary);
  if (found != nullptr) *found = file.is_open();
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file.good();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") names.push_back(found.cFileName);
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::string SettingsValue(const std::string& text, const std::string& key) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1, line.find_last_not_of('\r') - key.size());
  }
  return "(absent)";
}

void KeepScreenshot(HWND window, const std::string& what) {
  SHCreateDirectoryExA(nullptr, artifactsDir.c_str(), nullptr);
  std::string error;
  EXPECT_TRUE(SaveScreenshot(window, artifactsDir + "\\" + TestName() + "-" + what + ".bmp", &error)) << error;
}

::testing::AssertionResult LoadDevices(std::initializer_list<const char*> fixtures) {
  std::vector<const char*> files = {"reset.reg", "common.reg"};
  files.insert(files.end(), fixtures);
  std::string error;
  for (const char* file : files) {
    if (!ApplyRegFile(FixtureFile(std::string("devices/") + file), &error)) return ::testing::AssertionFailure() << error;
  }
  return ::testing::AssertionSuccess();
}

UsbDevice TestDevice(int n, const std::string& description) {
  char id[32];
  std::snprintf(id, sizeof id, "VID_1209&PID_%04X", n);
  return {id, "E2E" + std::to_string(n), description, "Port_#" + std::to_string(1000 + n) + ".Hub_#0004"};
}

::testing::AssertionResult ChangeDevices(const AppWindow& app, const std::string& regText, int rows) {
  std::string error;
  if (!ApplyRegText("REGEDIT4\r\n\r\n" + regText, &error)) return ::testing::AssertionFailure() << error;
  if (!BroadcastDeviceChange()) return ::testing::AssertionFailure() << "the notification was not delivered";
  int seen = -1;
  if (!WaitUntil([&] { return (seen = app.RowCount()) >= rows; }, kRefreshDelayMs + kAnswerMs, 5)) {
    return ::testing::AssertionFailure() << seen << " rows, not " << rows;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PlugDevices(const AppWindow& app, const std::vector<std::string>& descriptions) {
  static int plugged = 0;
  std::string text;
  for (const std::string& description : descriptions) text += NewDeviceText(TestDevice(++plugged, description));
  return ChangeDevices(app, text, app.RowCount() + static_cast<int>(descriptions.size()));
}

::testing::AssertionResult WaitForStatus(const AppWindow& app, const std::string& text) {
  if (WaitUntil([&] { return app.StatusText(0) == text; }, kAnswerMs)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the status bar shows \"" << app.StatusText(0) << "\", not \"" << text << "\"";
}

Product::Product() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + "wrenhollow-e2e\\" + TestName();
  const std::string doubleNul = folder_ + '\0';
  SHFILEOPSTRUCTA remove{nullptr, FO_DELETE, doubleNul.c_str(), nullptr, FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT};
  SHFileOperationA(&remove);
  SHCreateDirectoryExA(nullptr, folder_.c_str(), nullptr);
  if (!CopyFileA(productExe.c_str(), Path("wrenhollow.exe").c_str(), FALSE)) {
    ADD_FAILURE() << "cannot copy " << productExe << " to " << folder_ << ": error " << GetLastError();
  }
}

Product::~Product() {
  // After a failed assertion the test ends early; only a test that passed otherwise is at fault here.
  if (Running() && !::testing::Test::HasFailure()) ADD_FAILURE() << "the program was still running at the end";
  Kill();
  if (process_ != nullptr) CloseHandle(process_);
}

::testing::AssertionResult Product::Launch(const std::string& arguments, bool standardOutput, HANDLE output) {
  if (Running()) return ::testing::AssertionFailure() << "already running";
  if (process_ != nullptr) CloseHandle(process_);
  process_ = nullptr;
  window_ = nullptr;
  std::string command = "\"" + Path("wrenhollow.exe") + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (standardOutput) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr, folder_.c_str(),
                      &startup, &info)) {
    return ::testing::AssertionFailure() << "cannot start " << command << ": error " << GetLastError();
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Product::Start(const std::string& arguments, bool visible) {
  if (auto launched = Launch(arguments, false, nullptr); !launched) return launched;
  // Hidden, the window is ready once its tray icon, added at the end of its creation, is there.
  WaitUntil(
      [&] {
        window_ = FindTopLevelWindow("Wrenhollow", processId_, nullptr, visible);
        return (window_ != nullptr && (visible || TrayIconPresent(window_, 0))) || !Running();
      },
      kAnswerMs);
  if (window_ == nullptr || (!visible && !TrayIconPresent(window_, 0))) {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return ::testing::AssertionFailure() << (window_ == nullptr ? "no main window" : "no tray icon")
                                         << (code == STILL_ACTIVE ? "" : ", ended with " + std::to_string(code));
  }
  // A saved placement shows the window during its creation, before its final show state, and Wine reports input
  // idle early: the window is ready once its state has held still for a moment.
  WaitForInputIdle(process_, kAnswerMs);
  std::string last;
  int unchanged = 0;
  WaitUntil(
      [&] {
        RECT rect{};
        GetWindowRect(window_, &rect);
        const std::string now = std::to_string(GetWindowLongA(window_, GWL_STYLE)) + " " + std::to_string(rect.left) +
                                " " + std::to_string(rect.top) + " " + std::to_string(rect.right) + " " +
                                std::to_string(rect.bottom);
        unchanged = now == last ? unchanged + 1 : 0;
        last = now;
        return unchanged >= 4;
      },
      kAnswerMs, 40);
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &ignored) == 0) {
    return ::testing::AssertionFailure() << "the main window does not answer";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Product::Run(const std::string& arguments, DWORD* exitCode, std::string* output,
                                        std::string* message) {
  // Beside the folder, which must hold only what the program writes.
  const std::string outputPath = folder_ + ".out";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE file = output == nullptr ? nullptr
                                  : CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                                CREATE_ALWAYS, 0, nullptr);
  auto launched = Launch(arguments, true, file);
  if (file != nullptr) CloseHandle(file);
  if (!launched) return launched;
  // A window means the interactive mode, which would wait for the user: no need to sit out the timeout.
  WaitUntil(
      [&] {
        if (const HWND box = FindTopLevelWindow("#32770", processId_)) {
          if (message != nullptr) *message += WindowText(GetDlgItem(box, 0xFFFF));
          PostMessageA(box, WM_COMMAND, IDOK, 0);
          WaitUntil([&] { return !IsWindow(box); }, kAnswerMs);
        }
        return !Running() || FindTopLevelWindow("Wrenhollow", processId_) != nullptr;
      },
      kAnswerMs);
  if (!WaitForExit(0, exitCode)) {
    Kill();
    return ::testing::AssertionFailure() << arguments << ": did not end by itself";
  }
  if (output != nullptr) *output = ReadFileBytes(outputPath);
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Product::Exit() {
  PostMessageA(window_, WM_COMMAND, IDM_EXIT, 0);
  DWORD code = 0;
  if (!WaitForExit(kAnswerMs, &code)) {
    Kill();
    return ::testing::AssertionFailure() << "did not end after the Exit command; killed";
  }
  if (code != 0) return ::testing::AssertionFailure() << "ended with exit code " << code;
  return ::testing::AssertionSuccess();
}

bool Product::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_, exitCode);
  return true;
}

void Product::Kill() {
  if (!Running()) return;
  TerminateProcess(process_, 99);
  WaitForSingleObject(process_, 5000);
}

}  // namespace wrenhollow::e2e

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  using namespace wrenhollow::e2e;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    std::string* setting = argument.rfind("--product=", 0) == 0     ? &productExe
                           : argument.rfind("--artifacts=", 0) == 0 ? &artifactsDir
                                                                    : nullptr;
    if (setting == nullptr) {
      std::fprintf(stderr, "usage: e2e_tests --product=wrenhollow.exe --artifacts=FOLDER [gtest options]\n");
      return 2;
    }
    *setting = ToWindowsPath(argument.substr(argument.find('=') + 1));
  }
  // Bare Xvfb has no window manager, and Wine waits up to two seconds for one whenever a managed window is
  // hidden or destroyed. Unmanaged windows (this prefix only) end at once.
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", REG_SZ, "N", 2);
  return RUN_ALL_TESTS();
}
