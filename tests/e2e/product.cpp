#include "product.h"

#include <fstream>
#include <sstream>

#include "device_simulator/reg_script.h"

namespace wrenhollow::e2e {
namespace {

std::string TestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info == nullptr ? "no_test" : std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ':') c = '_';
  }
  return name;
}

void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

void CreateFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace

E2eSettings& Settings() {
  static E2eSettings settings;
  return settings;
}

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

std::string ArtifactPath(const std::string& what) {
  CreateFolders(Settings().artifactsDir);
  return Settings().artifactsDir + "\\" + TestName() + "-" + what;
}

::testing::AssertionResult ApplyDevices(const char* fixture) {
  std::string error;
  if (!ApplyRegFile(FixtureFile(std::string("devices/") + fixture), &error)) {
    return ::testing::AssertionFailure() << error;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult LoadDevices(std::initializer_list<const char*> fixtures) {
  for (const char* fixture : {"reset.reg", "common.reg"}) {
    if (auto result = ApplyDevices(fixture); !result) return result;
  }
  for (const char* fixture : fixtures) {
    if (auto result = ApplyDevices(fixture); !result) return result;
  }
  return ::testing::AssertionSuccess();
}

Product::Product() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + "wrenhollow-e2e\\" + TestName();
  DeleteTree(folder_);
  CreateFolders(folder_);
  if (!CopyFileA(Settings().productExe.c_str(), ExePath().c_str(), FALSE)) {
    ADD_FAILURE() << "cannot copy " << Settings().productExe << " to " << ExePath() << ": error " << GetLastError();
  }
}

Product::~Product() {
  if (Running()) {
    // After a failed assertion the test ends early; only a test that passed otherwise is at fault here.
    if (!::testing::Test::HasFailure()) ADD_FAILURE() << "the program was still running at the end of the test; killed";
    Kill();
  }
  CloseProcess();
}

::testing::AssertionResult Product::Launch(const std::string& arguments, bool captureOutput) {
  if (Running()) return ::testing::AssertionFailure() << "already running";
  CloseProcess();
  output_.clear();
  window_ = nullptr;
  std::string command = "\"" + ExePath() + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  HANDLE outputWrite = nullptr;
  if (captureOutput) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&outputRead_, &outputWrite, &inherit, 0)) {
      return ::testing::AssertionFailure() << "CreatePipe failed: " << GetLastError();
    }
    SetHandleInformation(outputRead_, HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outputWrite;
    startup.hStdError = outputWrite;
    startup.hStdInput = nullptr;
  }
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, captureOutput, 0, nullptr,
                                      folder_.c_str(), &startup, &info);
  const DWORD error = GetLastError();
  if (outputWrite != nullptr) CloseHandle(outputWrite);  // the child holds its own copy; EOF comes when it ends
  if (!started) return ::testing::AssertionFailure() << "cannot start " << command << ": error " << error;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  if (captureOutput) {
    outputReader_ = std::make_unique<std::thread>([this] {
      char buffer[4096];
      DWORD read = 0;
      while (ReadFile(outputRead_, buffer, sizeof buffer, &read, nullptr) && read > 0) output_.append(buffer, read);
    });
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Product::Start(const std::string& arguments, DWORD timeoutMs) {
  if (auto launched = Launch(arguments); !launched) return launched;
  HANDLE process = process_;
  const DWORD processId = processId_;
  const bool found = WaitUntil(
      [&] {
        window_ = FindTopLevelWindow("Wrenhollow", processId);
        return window_ != nullptr || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
      },
      timeoutMs);
  if (window_ == nullptr) {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return ::testing::AssertionFailure() << "no main window within " << timeoutMs << " ms"
                                         << (found ? ", the program ended with code " + std::to_string(code) : "");
  }
  // A saved placement shows the window while it is being created, before its final show state; Wine reports
  // input idle early too. The window is ready once its state has held still for a moment.
  WaitForInputIdle(process_, timeoutMs);
  HWND window = window_;
  auto state = [window] {
    RECT rect{};
    GetWindowRect(window, &rect);
    return std::to_string(GetWindowLongA(window, GWL_STYLE)) + " " + std::to_string(rect.left) + " " +
           std::to_string(rect.top) + " " + std::to_string(rect.right) + " " + std::to_string(rect.bottom);
  };
  std::string last = state();
  int unchanged = 0;
  WaitUntil(
      [&] {
        const std::string now = state();
        unchanged = now == last ? unchanged + 1 : 0;
        last = now;
        return unchanged >= 4;
      },
      timeoutMs, 40);
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Product::StartHidden(const std::string& arguments, DWORD timeoutMs) {
  if (auto launched = Launch(arguments); !launched) return launched;
  const DWORD processId = processId_;
  // The icon is added at the end of the window's creation.
  WaitUntil(
      [&] {
        window_ = FindTopLevelWindow("Wrenhollow", processId, false);
        return (window_ != nullptr && TrayIconPresent(window_, 0)) || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
      },
      timeoutMs);
  if (window_ == nullptr || !TrayIconPresent(window_, 0)) {
    return ::testing::AssertionFailure() << (window_ == nullptr ? "no main window" : "no tray icon") << " within "
                                         << timeoutMs << " ms";
  }
  // A message answered by the window means its creation has returned and the message loop runs.
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) == 0) {
    return ::testing::AssertionFailure() << "the main window does not answer";
  }
  return ::testing::AssertionSuccess();
}

bool Product::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode != nullptr) GetExitCodeProcess(process_, exitCode);
  return true;
}

::testing::AssertionResult Product::Run(const std::string& arguments, DWORD* exitCode, std::string* output,
                                        DWORD timeoutMs) {
  if (auto launched = Launch(arguments, output != nullptr); !launched) return launched;
  // A window means the interactive mode, which would wait for the user: no need to sit out the timeout.
  HWND window = nullptr;
  const DWORD processId = processId_;
  WaitUntil(
      [&] {
        return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0 ||
               (window = FindTopLevelWindow("Wrenhollow", processId)) != nullptr;
      },
      timeoutMs);
  if (!WaitForExit(0, exitCode)) {
    Kill();
    if (output != nullptr) *output = Output();
    return ::testing::AssertionFailure() << (window != nullptr
                                                 ? "opened its main window"
                                                 : "still running after " + std::to_string(timeoutMs) + " ms");
  }
  if (output != nullptr) *output = Output();
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Product::Exit(DWORD timeoutMs) {
  if (process_ == nullptr) return ::testing::AssertionFailure() << "not started";
  std::string how = "after the Exit command";
  if (window_ != nullptr) PostMessageA(window_, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
  if (!WaitForExit(timeoutMs)) {
    how = "only after WM_CLOSE";
    if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (!WaitForExit(3000)) {
      Kill();
      return ::testing::AssertionFailure() << "did not end after the Exit command nor WM_CLOSE; killed";
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  if (how != "after the Exit command" || code != 0) {
    return ::testing::AssertionFailure() << "ended " << how << " with exit code " << code;
  }
  return ::testing::AssertionSuccess();
}

void Product::Kill() {
  if (Running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
}

bool Product::Running() const { return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::string Product::Output() {
  if (outputReader_ != nullptr) {
    outputReader_->join();
    outputReader_.reset();
  }
  return output_;
}

void Product::CloseProcess() {
  if (outputReader_ != nullptr) {
    if (Running()) Kill();
    outputReader_->join();
    outputReader_.reset();
  }
  if (outputRead_ != nullptr) CloseHandle(outputRead_);
  if (process_ != nullptr) CloseHandle(process_);
  outputRead_ = process_ = nullptr;
}

}  // namespace wrenhollow::e2e
