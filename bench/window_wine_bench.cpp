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
#include "events/event_log_file_win32.h"
#include "resource_ids.h"
#include "monitor/registry_win32.h"
#include "portable/registry_memory.h"
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
  explicit Program(const std::string& exe, const char* arguments = "/nosaveload") {
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = Seconds();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
      std::fprintf(stderr, "cannot start %s\n", exe.c_str());
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
    return WaitForRows(rows, start);
  }

  // Clear Log, its question answered Yes; returns once the list is empty.
  void ClearLog() {
    PostMessageA(window_, WM_COMMAND, IDM_CLEAR_LOG, 0);
    const double start = Seconds();
    while (SendMessageA(listView_, LVM_GETITEMCOUNT, 0, 0) > 0 && Seconds() - start < kTimeout) {
      if (HWND question = FindWindowA("#32770", "Wrenhollow")) PostMessageA(question, WM_COMMAND, IDYES, 0);
      Sleep(5);
    }
  }

  struct Resources {
    SIZE_T privateBytes;
    DWORD handles;
    DWORD gdiObjects;
  };
  // Private bytes are the pagefile usage; a count the system does not give (Wine has neither) is 0.
  Resources Measure() const {
    const PROCESS_MEMORY_COUNTERS counters = Memory();
    DWORD handles = 0;
    if (!GetProcessHandleCount(process_.hProcess, &handles)) handles = 0;
    return {counters.PagefileUsage, handles, GetGuiResources(process_.hProcess, GR_GDIOBJECTS)};
  }

  // Seconds from the start to the list showing `rows` rows.
  double StartToRows(int rows) { return WaitForRows(rows, started_); }

 private:
  double WaitForRows(int rows, double start) {
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

 public:
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

// Seconds beyond the wait that 10,000 (`rows`) live rows of one reading take to show.
double MeasureManyRows(const char* exe, int rows) {
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
  return shown - 0.5;
}

// Appends `rows` events to a log on a real file, each flushed; then starts a copy of the program that keeps that
// log and times it to the rows, beside the same copy started without it. Seconds the logged rows add to start-up.
double MeasureLog(const char* exe, int rows) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "wrenhollow-log-bench";
  const std::string copy = folder + "\\wrenhollow.exe";
  CreateDirectoryA(folder.c_str(), nullptr);
  CopyFileA(exe, copy.c_str(), FALSE);
  HANDLE settings = CreateFileA((folder + "\\wrenhollow.cfg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(settings, "[General]\r\nKeepLogFile=1\r\n", 26, &written, nullptr);
  CloseHandle(settings);
  DeleteFileA((folder + "\\wrenhollow_log.jsonl").c_str());

  std::vector<double> appends;
  {
    BuiltinTexts texts;
    MemoryHive hive;
    VolumeTable volumes;
    FixedClock clock(0);
    EventReportList list(hive, volumes, clock);
    AddEventRows(list, rows);
    EventLogFile log;
    log.Open(folder.c_str());
    for (int i = 0; i < list.ItemCount(); ++i) {
      const double start = Seconds();
      log.Append(*static_cast<const UsbEvent*>(list.ItemAt(i)), "BENCH-PC");
      appends.push_back(Seconds() - start);
    }
  }
  WriteDevices(0);
  double startUp = 1e9;
  double withLog = 1e9;
  for (int run = 0; run < 3; ++run) {
    startUp = std::min(startUp, Program(copy).WaitForWindow());
    Program program(copy, "");
    program.WaitForWindow();
    withLog = std::min(withLog, program.StartToRows(rows));
  }
  std::sort(appends.begin(), appends.end());
  std::printf("log append, flush included: median %.3f ms, 99th percentile %.3f ms (%zu events)\n",
              Median(appends) * 1e3, appends[appends.size() * 99 / 100] * 1e3, appends.size());
  std::printf("%d logged rows shown %.0f ms after start; start-up alone %.0f ms; beyond start-up %.0f ms\n", rows,
              withLog * 1e3, startUp * 1e3, (withLog - startUp) * 1e3);
  for (const char* name : {"wrenhollow_log.jsonl", "wrenhollow.cfg", "wrenhollow.exe"}) {
    DeleteFileA((folder + "\\" + name).c_str());
  }
  RemoveDirectoryA(folder.c_str());
  return withLog - startUp;
}

// Plug/unplug cycles of 50 devices with the log kept: each reading flips every device (25 cycles), so in the log each
// device alternates unplug and plug. The list is cleared every 100 cycles; the program's resources after the first
// 100 cycles are compared with those at the end, and the log is read back line by line.
void MeasureSoak(const char* exe, int cycles) {
  constexpr int kDevices = 50;
  constexpr int kReadingsPerClear = 4;  // 100 cycles
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "wrenhollow-soak";
  const std::string copy = folder + "\\wrenhollow.exe";
  CreateDirectoryA(folder.c_str(), nullptr);
  CopyFileA(exe, copy.c_str(), FALSE);
  for (const char* name : {"wrenhollow_log.jsonl", "wrenhollow.cfg"}) DeleteFileA((folder + "\\" + name).c_str());
  WriteDevices(kDevices);
  const int readings = cycles * 2 / kDevices;
  Program::Resources first{};
  Program::Resources last{};
  {
    Program program(copy, "");
    program.WaitForWindow();
    PostMessageA(FindWindowA("Wrenhollow", nullptr), WM_COMMAND, IDM_KEEP_LOG_FILE, 0);
    for (int reading = 0; reading < readings; ++reading) {
      for (int device = 0; device < kDevices; ++device) SetLinked(device, (reading + device) % 2 == 0 ? 0 : 1);
      program.DeviceChangeToRows(kDevices * (reading % kReadingsPerClear + 1));
      if (reading % kReadingsPerClear != kReadingsPerClear - 1) continue;
      program.ClearLog();
      (reading < kReadingsPerClear ? first : last) = program.Measure();
    }
  }
  std::printf("soak, %d cycles (%d readings of %d devices): private bytes %.2f -> %.2f MB (%+.1f%%), handles %lu -> "
              "%lu, GDI objects %lu -> %lu\n",
              readings * kDevices / 2, readings, kDevices, first.privateBytes / 1048576.0,
              last.privateBytes / 1048576.0, 100.0 * (static_cast<double>(last.privateBytes) / first.privateBytes - 1),
              first.handles, last.handles, first.gdiObjects, last.gdiObjects);

  // Every event once, in order: device by device, the events alternate as the readings flipped it.
  std::string log;
  HANDLE file = CreateFileA((folder + "\\wrenhollow_log.jsonl").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  log.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, log.data(), static_cast<DWORD>(log.size()), &read, nullptr);
  CloseHandle(file);
  std::vector<int> seen(kDevices, 0);
  int lines = 0;
  int wrong = 0;
  for (size_t start = 0, end; start < log.size(); start = end + 1, ++lines) {
    end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    const std::string line = log.substr(start, end - start);
    const size_t serial = line.find("\"serial\":\"SN");
    const int device = serial == std::string::npos ? -1 : std::atoi(line.c_str() + serial + 13);
    if (device < 0 || device >= kDevices) {
      ++wrong;
      continue;
    }
    const bool plug = line.find("\"event\":\"plug\"") != std::string::npos;
    if (plug != ((seen[device]++ + device) % 2 == 1)) ++wrong;
  }
  std::printf("soak log: %d lines for %d events, %d not in order\n", lines, readings * kDevices, wrong);
  for (const char* name : {"wrenhollow_log.jsonl", "wrenhollow.cfg", "wrenhollow.exe"}) {
    DeleteFileA((folder + "\\" + name).c_str());
  }
  RemoveDirectoryA(folder.c_str());
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
    std::fprintf(stderr, "usage: window_wine_bench PATH\\wrenhollow.exe [ROWS | soak [CYCLES]]\n");
    return 2;
  }
  using namespace wrenhollow::bench;
  if (argc > 2 && std::string(argv[2]) == "soak") {
    MeasureSoak(argv[1], argc > 3 ? std::atoi(argv[3]) : 10000);
    return 0;
  }
  if (argc > 2) {
    MeasureManyRows(argv[1], std::atoi(argv[2]));
    return 0;
  }
  ReportSize(argv[1]);
  MeasureStartUp(argv[1]);
  MeasureLatency(argv[1], 100);
  MeasureLatency(argv[1], 1000);
  const double live = MeasureManyRows(argv[1], 10000);
  const double logged = MeasureLog(argv[1], 10000);
  std::printf("10,000 logged rows at start against 10,000 live rows of one reading: ratio %.2f\n", logged / live);
  return 0;
}
