// The end-to-end tests' shared support, and their main: --product=PATH names the wrenhollow.exe to test, which
// may be a Linux path.
#include "e2e_support.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <utility>

#include "support/wine_registry.h"

namespace wrenhollow::e2e {
namespace {

std::string productExe;       // as this program must spell it (Z:\... under Wine)
std::string artifactsFolder;  // screenshots kept for a person to look at

}  // namespace

void KeepScreenshot(HWND window, const std::string& what) {
  RECT rect{};
  if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) return;
  // The program paints on its own time, and Wine hands its drawing to the X server a little later still.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(300);
  // 24 bits: a 32-bit .bmp would carry the screen's unused fourth byte, which viewers take for transparency.
  BITMAPINFOHEADER header{sizeof header, rect.right - rect.left, rect.bottom - rect.top, 1, 24, BI_RGB};
  header.biSizeImage = ((static_cast<DWORD>(header.biWidth) * 3 + 3) & ~3u) * static_cast<DWORD>(header.biHeight);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, header.biWidth, header.biHeight, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  BITMAPFILEHEADER file{0x4D42 /* "BM" */, 0, 0, 0, sizeof file + sizeof header};
  file.bfSize = file.bfOffBits + header.biSizeImage;
  SHCreateDirectoryExA(nullptr, artifactsFolder.c_str(), nullptr);
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::ofstream out(artifactsFolder + "\\" + test->test_suite_name() + "." + test->name() + "-" + what + ".bmp",
                    std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(static_cast<const char*>(bits), header.biSizeImage);
  DeleteObject(bitmap);
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  return static_cast<bool>(std::ofstream(path, std::ios::binary) << bytes);
}

std::set<std::string> FilesIn(const std::string& folder, const char* pattern) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") names.insert(found.cFileName);
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return names;
}

std::string Hex(const void* data, size_t size) {
  std::string text;
  char pair[4];
  for (size_t i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%s%02X", i == 0 ? "" : " ", static_cast<const unsigned char*>(data)[i]);
    text += pair;
  }
  return text;
}

::testing::AssertionResult LoadDevices(std::initializer_list<const char*> fixtures) {
  std::vector<const char*> files = {"reset.reg", "common.reg"};
  files.insert(files.end(), fixtures);
  std::string error;
  for (const char* file : files) {
    if (!test::ImportRegFile(test::FixturePath(std::string("devices/") + file), &error)) break;
  }
  return error.empty() ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << error;
}

UsbDevice TestDevice(int n, const std::string& description) {
  char id[32];
  std::snprintf(id, sizeof id, "VID_1209&PID_%04X", n);
  return {id, "E2E" + std::to_string(n), description, "Port_#" + std::to_string(1000 + n) + ".Hub_#0004"};
}

::testing::AssertionResult ChangeDevices(const AppWindow& app, const std::string& regText, int rows) {
  std::string error;
  if (!regText.empty() && !test::ImportRegText("REGEDIT4\r\n\r\n" + regText, &error)) {
    return ::testing::AssertionFailure() << error;
  }
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

::testing::AssertionResult CloseDialog(HWND dialog, int button) {
  if (PressDialogButton(dialog, button) && WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "button " << button << " did not close the dialog";
}

std::vector<MenuItem> MenuItems(HWND owner, HMENU menu) {
  std::vector<MenuItem> items;
  std::string error;
  EXPECT_TRUE(ReadMenu(owner, menu, &items, &error)) << error;
  return items;
}

Product::Product() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  // Every run has a prefix of its own: a new name is a new, empty folder.
  static int made = 0;
  folder_ = std::string(temp) + "wrenhollow-e2e\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
            "." + std::to_string(++made);
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

::testing::AssertionResult Product::Launch(const std::string& arguments, HANDLE output) {
  if (Running()) return ::testing::AssertionFailure() << "already running";
  if (process_ != nullptr) CloseHandle(process_);
  process_ = nullptr;
  window_ = nullptr;
  std::string command = "\"" + Path("wrenhollow.exe") + "\"" + (arguments.empty() ? "" : " " + arguments);
  // Wine reads the channels from the new process's environment.
  char ownDebug[256] = "";
  const DWORD ownDebugLength = GetEnvironmentVariableA("WINEDEBUG", ownDebug, sizeof ownDebug);
  if (!wineDebug_.empty()) SetEnvironmentVariableA("WINEDEBUG", wineDebug_.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output;
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                                      folder_.c_str(), &startup, &info);
  const DWORD error = GetLastError();
  if (!wineDebug_.empty()) SetEnvironmentVariableA("WINEDEBUG", ownDebugLength > 0 ? ownDebug : nullptr);
  if (!started) return ::testing::AssertionFailure() << "cannot start " << command << ": error " << error;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Product::Start(const std::string& arguments, bool visible) {
  if (auto launched = Launch(arguments, nullptr); !launched) return launched;
  // Hidden, the window is ready once its tray icon, added at the end of its creation, is there.
  WaitUntil(
      [&] {
        window_ = WaitForWindow("Wrenhollow", processId_, 0, nullptr, nullptr, visible);
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
  std::pair<LONG, RECT> last{}, now{};
  int unchanged = 0;
  WaitUntil(
      [&] {
        now.first = GetWindowLongA(window_, GWL_STYLE);
        GetWindowRect(window_, &now.second);
        unchanged = std::memcmp(&now, &last, sizeof now) == 0 ? unchanged + 1 : 0;
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
  auto launched = Launch(arguments, file);
  if (file != nullptr) CloseHandle(file);
  if (!launched) return launched;
  // A window means the interactive mode, which would wait for the user: no need to sit out the timeout.
  WaitUntil(
      [&] {
        if (const HWND box = WaitForWindow("#32770", processId_)) {
          if (message != nullptr) *message += MessageBoxText(box);
          PostMessageA(box, WM_COMMAND, IDOK, 0);
          WaitUntil([&] { return !IsWindow(box); }, kAnswerMs);
        }
        return !Running() || WaitForWindow("Wrenhollow", processId_) != nullptr;
      },
      kAnswerMs);
  if (!WaitForExit(0, exitCode)) {
    Kill();
    return ::testing::AssertionFailure() << arguments << ": did not end by itself";
  }
  if (output != nullptr) *output = test::ReadFileBytes(outputPath);
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

std::vector<MenuItem> Product::ContextMenuItems(RECT* at) const {
  AppWindow(window_).PostContextMenu();
  HWND popup = WaitForWindow("#32768", processId_, kAnswerMs);
  if (popup == nullptr) {
    ADD_FAILURE() << "no context menu";
    return {};
  }
  if (at != nullptr) GetWindowRect(popup, at);
  const std::vector<MenuItem> items = MenuItems(window_, reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)));
  PostKey(popup, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, kAnswerMs)) << "the context menu stayed open";
  return items;
}

std::string Product::WineDebugOutput() const {
  char path[MAX_PATH] = "";
  if (GetEnvironmentVariableA("WRENHOLLOW_E2E_STDERR", path, sizeof path) == 0) return "";
  return test::ReadFileBytes(path);
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
  if (argc != 3 || std::strncmp(argv[1], "--product=", 10) != 0 || std::strncmp(argv[2], "--artifacts=", 12) != 0) {
    std::fprintf(stderr, "usage: e2e_tests --product=wrenhollow.exe --artifacts=FOLDER [gtest options]\n");
    return 2;
  }
  wrenhollow::e2e::productExe = wrenhollow::e2e::ToWindowsPath(argv[1] + 10);
  wrenhollow::e2e::artifactsFolder = wrenhollow::e2e::ToWindowsPath(argv[2] + 12);
  // Bare Xvfb has no window manager, and Wine waits up to two seconds for one whenever a managed window is
  // hidden or destroyed. Unmanaged windows (this prefix only) end at once.
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", REG_SZ, "N", 2);
  return RUN_ALL_TESTS();
}
