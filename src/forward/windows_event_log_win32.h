#pragma once

#include <windows.h>

#include <string_view>

#include "events/usb_event.h"

namespace wrenhollow {

// The source's key below HKEY_LOCAL_MACHINE; writing it needs an administrator.
constexpr char kEventSourceKey[] = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Wrenhollow";
constexpr wchar_t kEventSourceName[] = L"Wrenhollow";

// Registers the program as the source "Wrenhollow" of the Application log: EventMessageFile is the program's path,
// so that Event Viewer reads the messages from its message table, and TypesSupported 7. Returns 0 or the system's
// error code.
DWORD RegisterWrenhollowEventSource(const char* programPath);
// Removes the source's key; 0 or the system's error code (2 when it was not registered).
DWORD UnregisterWrenhollowEventSource();

// The Application log as a destination of events: event id 1 for a plug and 2 for an unplug, information, no
// category, the log file's JSON members as the insertion strings of the message.
class WindowsEventLog {
 public:
  WindowsEventLog() = default;
  ~WindowsEventLog() { Close(); }
  WindowsEventLog(const WindowsEventLog&) = delete;
  WindowsEventLog& operator=(const WindowsEventLog&) = delete;

  // False when the system gives no handle for the source.
  bool Open();
  void Close();
  bool IsOpen() const { return source_ != nullptr; }
  bool Report(const UsbEvent& row, std::string_view hostUtf8);

 private:
  HANDLE source_ = nullptr;
};

}  // namespace wrenhollow
