#include "forward/windows_event_log_win32.h"

#include <cstring>
#include <string>
#include <vector>

#include "events/event_json.h"
#include "util/utf8.h"

namespace wrenhollow {

DWORD RegisterWrenhollowEventSource(const char* programPath) {
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kEventSourceKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return static_cast<DWORD>(result);
  const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
  result = RegSetValueExA(key, "EventMessageFile", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(programPath),
                          static_cast<DWORD>(std::strlen(programPath) + 1));
  if (result == ERROR_SUCCESS) {
    result = RegSetValueExA(key, "TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types), sizeof types);
  }
  RegCloseKey(key);
  return static_cast<DWORD>(result);
}

DWORD UnregisterWrenhollowEventSource() { return static_cast<DWORD>(RegDeleteKeyA(HKEY_LOCAL_MACHINE, kEventSourceKey)); }

bool WindowsEventLog::Open() {
  if (source_ == nullptr) source_ = RegisterEventSourceW(nullptr, kEventSourceName);
  return source_ != nullptr;
}

void WindowsEventLog::Close() {
  if (source_ != nullptr) DeregisterEventSource(source_);
  source_ = nullptr;
}

bool WindowsEventLog::Report(const UsbEvent& row, std::string_view hostUtf8) {
  if (source_ == nullptr) return false;
  std::vector<std::u16string> texts;
  for (const auto& member : LoggedEventMembers(row, hostUtf8)) texts.push_back(Utf8ToUtf16(member.second));
  std::vector<LPCWSTR> strings;
  for (const std::u16string& text : texts) strings.push_back(reinterpret_cast<LPCWSTR>(text.c_str()));
  const DWORD eventId = row.eventType == EventType::Plug ? 1 : 2;
  return ReportEventW(source_, EVENTLOG_INFORMATION_TYPE, 0, eventId, nullptr, static_cast<WORD>(strings.size()), 0,
                      strings.data(), nullptr) != FALSE;
}

}  // namespace wrenhollow
