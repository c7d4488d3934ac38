// Exports of 100,000 rows in every format through the real file API under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "event_rows.h"
#include "portable/registry_memory.h"
#include "report/export_writer.h"
#include "report/file_sink_win32.h"
#include "wine_bench_support.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"

int main() {
  using namespace wrenhollow;
  bench::BuiltinTexts texts;
  MemoryHive hive;
  VolumeTable volumes;
  FixedClock clock(0);
  SetEventClock(&clock, nullptr);
  EventReportList list(hive, volumes, clock);
  bench::AddEventRows(list, 100000);

  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%swrenhollow-export-bench.out", folder);
  for (int format = 1; format <= 8; ++format) {
    double best = 1e9;
    LARGE_INTEGER size = {};
    for (int run = 0; run < 3; ++run) {
      const double start = bench::Seconds();
      {
        Win32FileSink sink(path);
        if (!sink.IsOpen() || !ExportAllItems(list, sink, static_cast<ExportFormat>(format))) return 1;
      }
      best = std::min(best, bench::Seconds() - start);
    }
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileSizeEx(file, &size);
    CloseHandle(file);
    std::printf("format %d: %6.1f ms, %6.1f MB, %6.1f MB/s\n", format, best * 1e3, size.QuadPart / 1e6,
                size.QuadPart / 1e6 / best);
  }
  DeleteFileA(path);
  return 0;
}
