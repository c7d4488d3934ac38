// Refresh through Wine's real registry. For each device count: the time of one refresh, its registry calls, the
// cost of one registry call measured in the same run, and `reg query ...\Enum\USB /s` of the same keys.
// Run pinned to one CPU with its wineserver (bench/run-wine-bench.sh).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "counting_registry.h"
#include "device_tree.h"
#include "wine_bench_support.h"
#include "monitor/device_history_win32.h"
#include "monitor/device_monitor.h"
#include "monitor/earlier_connections.h"
#include "monitor/registry_win32.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"

namespace wrenhollow::bench {
namespace {

class SilentMonitor : public DeviceMonitor {
 public:
  using DeviceMonitor::DeviceMonitor;

 protected:
  void OnDeviceEvent(const DeviceEvent&) override {}
};

// One registry call: a query of a small value of an open key, the commonest call of a scan.
double SecondsPerRegistryCall() {
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\Select", 0, KEY_READ, &key);
  const int calls = 100000;
  const double start = Seconds();
  for (int i = 0; i < calls; ++i) {
    DWORD value = 0;
    DWORD size = sizeof value;
    RegQueryValueExA(key, "Current", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  }
  const double elapsed = Seconds() - start;
  RegCloseKey(key);
  return elapsed / calls;
}

double SecondsOfRegQuery() {
  char command[] = "reg.exe query HKLM\\SYSTEM\\ControlSet001\\Enum\\USB /s";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  PROCESS_INFORMATION process = {};
  const double start = Seconds();
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  const double elapsed = Seconds() - start;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(nul);
  return elapsed;
}

void Measure(int devices) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001");
  Win32Writer writer;
  WriteDeviceTree(writer, devices);

  Win32Registry registry;
  CountingRegistry counting(registry);
  VolumeTable volumes;
  FixedClock clock(0);
  SilentMonitor monitor(counting, volumes, clock);
  monitor.Refresh();

  const int runs = devices >= 10000 ? 3 : 7;
  double best = 1e9;
  long long calls = 0;
  for (int i = 0; i < runs; ++i) {
    counting.calls = 0;
    const double start = Seconds();
    monitor.Refresh();
    best = std::min(best, Seconds() - start);
    calls = counting.calls;
  }
  const double perCall = SecondsPerRegistryCall();
  double regQuery = 1e9;
  for (int i = 0; i < 3; ++i) regQuery = std::min(regQuery, SecondsOfRegQuery());

  const double floor = static_cast<double>(calls) * perCall;
  std::printf("%6d devices: refresh %8.1f ms, %8lld calls (%.2f per device), one call %.2f us, "
              "calls x one call %8.1f ms, ratio %.2f, in-memory part %7.1f ms; reg query %8.1f ms (%.1fx)\n",
              devices, best * 1e3, calls, static_cast<double>(calls) / devices, perCall * 1e6, floor * 1e3,
              best / floor, (best - floor) * 1e3, regQuery * 1e3, regQuery / best);
  std::fflush(stdout);
}

// Earlier connections for every device of a reading, read through SetupAPI, beside one reading of the same devices.
void MeasureHistory(int devices) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001");
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Enum\\USB");
  Win32Writer writer;
  WriteDeviceTree(writer, devices);
  WriteDeviceHistory(writer, devices);

  Win32Registry registry;
  VolumeTable volumes;
  FixedClock clock(0);
  SilentMonitor monitor(registry, volumes, clock);
  monitor.Refresh();
  SetupApiDeviceHistory history;
  double reading = 1e9;
  double earlier = 1e9;
  size_t events = 0;
  for (int i = 0; i < 5; ++i) {
    double start = Seconds();
    monitor.Refresh();
    reading = std::min(reading, Seconds() - start);
    start = Seconds();
    std::vector<DeviceHistoryRecord> records;
    history.ReadHistory(records);
    events = EarlierConnections(monitor.LastReading(), records).size();
    earlier = std::min(earlier, Seconds() - start);
  }
  std::printf("%6d devices: earlier connections %8.1f ms (%zu events), one reading %8.1f ms, ratio %.2f\n", devices,
              earlier * 1e3, events, reading * 1e3, earlier / reading);
  std::fflush(stdout);
}

}  // namespace
}  // namespace wrenhollow::bench

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {100, 1000, 10000};
  for (int devices : counts) wrenhollow::bench::Measure(devices);
  wrenhollow::bench::MeasureHistory(1000);
  return 0;
}
