#include "monitor/device_history_win32.h"

#include <windows.h>
// devpkey.h defines its keys only where initguid.h came first.
#include <initguid.h>
#include <devpkey.h>
#include <setupapi.h>

#include <string>
#include <string_view>
#include <utility>

#include "util/code_page.h"

namespace wrenhollow {
namespace {

// A device instance id is at most 200 characters (MAX_DEVICE_ID_LEN), terminator excluded.
constexpr DWORD kInstanceIdSize = 201;

std::string Ansi(std::wstring_view text) {
  std::string ansi(text.size() * 2, '\0');  // two bytes a character at most, in a double-byte code page
  ansi.resize(WideToAnsi(reinterpret_cast<const char16_t*>(text.data()), text.size(), ansi.data(), ansi.size()));
  return ansi;
}

// A FILETIME property; 0 when the device lacks it or the system keeps it in another form.
FileTime ReadTime(HDEVINFO devices, SP_DEVINFO_DATA& device, const DEVPROPKEY& key) {
  DEVPROPTYPE type = DEVPROP_TYPE_EMPTY;
  FILETIME time = {};
  DWORD length = 0;
  if (!SetupDiGetDevicePropertyW(devices, &device, &key, &type, reinterpret_cast<BYTE*>(&time), sizeof time,
                                 &length, 0) ||
      type != DEVPROP_TYPE_FILETIME || length != sizeof time) {
    return 0;
  }
  return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Splits "USB\<device key>\<instance key>" into the record's keys; false for any other form.
bool SplitInstanceId(std::wstring_view id, DeviceHistoryRecord& record) {
  if (id.size() < 4 || (id[0] | 0x20) != L'u' || (id[1] | 0x20) != L's' || (id[2] | 0x20) != L'b' || id[3] != L'\\') {
    return false;
  }
  id.remove_prefix(4);
  const size_t separator = id.find(L'\\');
  if (separator == 0 || separator == std::wstring_view::npos || separator + 1 == id.size()) return false;
  record.deviceKey = Ansi(id.substr(0, separator));
  record.instanceKey = Ansi(id.substr(separator + 1));
  return true;
}

}  // namespace

bool SetupApiDeviceHistory::ReadHistory(std::vector<DeviceHistoryRecord>& records) {
  HDEVINFO devices = SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_ALLCLASSES);
  if (devices == INVALID_HANDLE_VALUE) return false;
  bool complete = true;
  SP_DEVINFO_DATA device = {};
  device.cbSize = sizeof device;
  for (DWORD index = 0;; ++index) {
    if (!SetupDiEnumDeviceInfo(devices, index, &device)) {
      complete = GetLastError() == ERROR_NO_MORE_ITEMS;
      break;
    }
    wchar_t id[kInstanceIdSize];
    DeviceHistoryRecord record;
    if (!SetupDiGetDeviceInstanceIdW(devices, &device, id, kInstanceIdSize, nullptr) ||
        !SplitInstanceId(id, record)) {
      continue;
    }
    record.firstInstall = ReadTime(devices, device, DEVPKEY_Device_FirstInstallDate);
    record.lastArrival = ReadTime(devices, device, DEVPKEY_Device_LastArrivalDate);
    record.lastRemoval = ReadTime(devices, device, DEVPKEY_Device_LastRemovalDate);
    records.push_back(std::move(record));
  }
  SetupDiDestroyDeviceInfoList(devices);
  return complete;
}

}  // namespace wrenhollow
