#include <windows.h>
#include <commctrl.h>

#include "app/command_line_win32.h"
#include "app/main_window_win32.h"
#include "crash/exception_dialog_win32.h"
#include "forward/windows_event_log_win32.h"
#include "lang/language_table.h"
#include "lang/language_template_win32.h"
#include "lang/string_table_win32.h"
#include "resource_ids.h"
#include "ui/fault_reporter_win32.h"
#include "util/files_win32.h"
#include "util/profile_files_win32.h"

namespace wrenhollow {
namespace {

using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

// Looked up at run time, so that a system without the newer entry still starts with the older one.
bool InitCommonControlsChecked() {
  const HMODULE library = LoadLibraryA("comctl32.dll");
  const auto initialize = library != nullptr ? reinterpret_cast<InitCommonControlsExFunction>(reinterpret_cast<void*>(
                                                   GetProcAddress(library, "InitCommonControlsEx")))
                                             : nullptr;
  bool initialized = true;
  if (initialize != nullptr) {
    INITCOMMONCONTROLSEX classes{sizeof classes, 0xFF};
    initialized = initialize(&classes) != FALSE;
  } else {
    InitCommonControls();
  }
  if (library != nullptr) FreeLibrary(library);
  return initialized;
}

void RunMessageLoop(MainWindow& window) {
  const HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (window.findDialog != nullptr && IsDialogMessageA(window.findDialog, &message)) continue;
    if (TranslateAcceleratorA(window.Handle(), accelerators, &message)) continue;
    if (IsDialogMessageA(window.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

int Run(const char* commandLine) {
  if (!InitCommonControlsChecked()) {
    MessageBoxA(nullptr, "Error: Cannot load the common control classes.", "Error", MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  SetFaultReporter(ReportFault);

  Win32ProfileFiles profiles;
  Win32StringTable strings;
  LanguageTable language(profiles, strings, FileExists);
  InstallLanguageTable(&language);

  MainWindow window;
  ArgumentList arguments;
  arguments.Parse(commandLine);
  window.SetArguments(&arguments);

  if (arguments.Find("/savelangfile") >= 0) {
    // The exception dialog is never translated, so translators do not get it.
    language.SetTemplateSkipList({IDD_EXCEPTION});
    SaveLanguageTemplate();
    return 0;
  }
  char programPath[kPathSize];
  GetProgramPath(programPath);
  language.LoadLanguageFile(programPath);
  if (arguments.Find("/deleteregkey") >= 0) return 0;
  // Registering the Event Log source needs an administrator, once per machine: a switch of its own.
  if (arguments.Find("/registereventsource") >= 0) return static_cast<int>(RegisterWrenhollowEventSource(programPath));
  if (arguments.Find("/unregistereventsource") >= 0) return static_cast<int>(UnregisterWrenhollowEventSource());
  if (arguments.Count() >= 2) {
    if (const std::optional<int> exitCode = RunCommandLineExport(window, arguments)) return *exitCode;
  }

  // Without its window the process would wait in its message loop for ever, unseen.
  if (!window.CreateMainWindow()) return 1;
  window.ShowMainWindowAtStart();
  RunMessageLoop(window);
  return 0;
}

}  // namespace
}  // namespace wrenhollow

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) { return wrenhollow::Run(commandLine); }
