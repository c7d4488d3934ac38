// The real program under Wine, driven from outside as Windows would: the time from starting it to a visible
// window; from a device-change broadcast to the new row, with 100 and 1,000 recorded devices; and for 10,000 new
// devices to arrive as rows in one reading, beside the time of that reading alone; then the exe's size and its
// working set holding those rows. Run pinned to one CPU (bench/run-wine-bench.sh): wine-run bench wrenhollow.exe
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "event_rows.h"
#include "monitor/registry_win32.h"
#include "monitor/volumes.h"
#include "util/clock.h"
#include "wine_bench_support.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"

namespace wrenhollow::bench {
namespace {

constexpr double kTimeout = 120.0;

class Program {
 public:
  explicit Program(const char* exe) {
    std::string commandLine = std::string("\"") + exe + "\" /nosaveload";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = Seconds();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
      std::fprintf(stderr, "cannot start %s\n", exe);
      std::exit(1);
    }
  }
  ~Program() {
    if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  // Seconds from the start to a visible main window.
  double WaitForWindow() {
    while (Seconds() - started_ < kTimeout) {
      window_ = FindWindowA("Wrenhollow", nullptr);
      if (window_ != nullptr && IsWindowVisible(window_)) {
        const double elapsed = Seconds() - started_;
        listView_ = FindWindowExA(window_, nullptr, WC_LISTVIEWA, nullptr);
        return elapsed;
      }
      Sleep(1);
    }
    std::fprintf(stderr, "no window\n");
    std::exit(1);
  }

  // Seconds from a device-change broadcast to the list showing `rows` rows.
  double DeviceChangeToRows(int rows) {
    const double start = Seconds();
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window_, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    while (SendMessageA(listView_, LVM_GETITEMCOUNT, 0, 0) < rows) {
      if (Seconds() - start > kTimeout) {
        std::fprintf(stderr, "rows did not arrive\n");
        std::exit(1);
      }
      Sleep(1);
    }
    // The rows are painted by the time the window answers again.
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageA(window_, WM_NULL, 0, 0);
    return Seconds() - start;
  }

  PROCESS_MEMORY_COUNTERS Memory() const {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters);
    return counters;
  }

 private:
  PROCESS_INFORMATION process_ = {};
  double started_ = 0;
  HWND window_ = nullptr;
  HWND listView_ = nullptr;
};

void WriteDevices(int devices) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001");
  Win32Writer writer;
  WriteDeviceTree(writer, devices);
}

void SetLinked(int device, DWORD linked) {
  Win32Writer writer;
  writer.Set(LinkedKeyOf(device), "Linked", REG_DWORD, &linked, sizeof linked);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The program's own reading of the devices, with its rows built but no window: what a refresh costs by itself.
class Reading {
 public:
  Reading() { list_.Refresh(); }
  double Refresh() {
    const double start = Seconds();
    list_.Refresh();
    return Seconds() - start;
  }
  int Rows() const { return list_.ItemCount(); }

 private:
  BuiltinTexts texts_;
  Win32Registry registry_;
  VolumeTable volumes_;
  FixedClock clock_{0};
  EventReportList list_{registry_, volumes_, clock_};
};

void MeasureStartUp(const char* exe) {
  WriteDevices(100);
  std::vector<double> times;
  for (int run = 0; run < 6; ++run) {
    Program program(exe);
    times.push_back(program.WaitForWindow());
  }
  const double cold = times.front();
  times.erase(times.begin());
  std::printf("start-up to a visible window: first %.0f ms, warm median %.0f ms, best %.0f ms\n", cold * 1e3,
              Median(times) * 1e3, *std::min_element(times.begin(), times.end()) * 1e3);
}

void MeasureLatency(const char* exe, int devices) {
  WriteDevices(devices);
  Reading reading;
  std::vector<double> refreshes;
  for (int i = 0; i < 5; ++i) refreshes.push_back(reading.Refresh());

  Program program(exe);
  program.WaitForWindow();
  std::vector<double> latencies;
  for (int change = 0; change < 6; ++change) {
    SetLinked(0, change % 2 == 0 ? 0 : 1);  // device 0 starts linked: unplug, replug, ...
    latencies.push_back(program.DeviceChangeToRows(change + 1));
    Sleep(50);
  }
  std::printf("%5d devices: device change to row median %.0f ms (best %.0f), of which 500 ms wait; "
              "refresh alone %.1f ms; beyond wait + refresh %.1f ms\n",
              devices, Median(latencies) * 1e3, *std::min_element(latencies.begin(), latencies.end()) * 1e3,
              Median(refreshes) * 1e3, (Median(latencies) - 0.5 - Median(refreshes)) * 1e3);
}

void MeasureManyRows(const char* exe, int rows) {
  WriteDevices(0);
  Reading reading;
  Program program(exe);
  program.WaitForWindow();
  WriteDevices(rows);
  const double refresh = reading.Refresh();
  const double shown = program.DeviceChangeToRows(rows);
  const PROCESS_MEMORY_COUNTERS memory = program.Memory();
  std::printf("%d rows in one reading: shown after %.0f ms, of which 500 ms wait and refresh alone %.0f ms "
              "(%d events); beyond wait + refresh %.0f ms\n",
              rows, shown * 1e3, refresh * 1e3, reading.Rows(), (shown - 0.5 - refresh) * 1e3);
  std::printf("working set with %d rows: %.1f MB (peak %.1f MB)\n", rows, memory.WorkingSetSize / 1048576.0,
              memory.PeakWorkingSetSize / 1048576.0);
}

void ReportSize(const char* exe) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(exe, GetFileExInfoStandard, &data);
  std::printf("exe size: %.2f MB\n", (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) /
                                         1048576.0);
}

}  // namespace
}  // namespace wrenhollow::bench

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_wine_bench PATH\\wrenhollow.exe [ROWS]\n");
    return 2;
  }
  using namespace wrenhollow::bench;
  if (argc > 2) {
    MeasureManyRows(argv[1], std::atoi(argv[2]));
    return 0;
  }
  ReportSize(argv[1]);
  MeasureStartUp(argv[1]);
  MeasureLatency(argv[1], 100);
  MeasureLatency(argv[1], 1000);
  MeasureManyRows(argv[1], 10000);
  return 0;
}
