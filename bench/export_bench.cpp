// Exports of 100,000 rows in every format, sorting them by a text column, and what a row costs in memory.
#include <benchmark/benchmark.h>

#include "event_rows.h"
#include "events/event_columns.h"
#include "portable/registry_memory.h"
#include "report/export_writer.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"

namespace wrenhollow::bench {
namespace {

constexpr int kRows = 100000;

class CountingSink : public ExportSink {
 public:
  bool Write(std::string_view bytes) override {
    count += bytes.size();
    return true;
  }
  size_t count = 0;
};

struct Fixture {
  BuiltinTexts texts;
  MemoryHive hive;
  VolumeTable volumes;
  FixedClock clock{0};
  EventReportList list{hive, volumes, clock};
  Fixture() {
    SetEventClock(&clock, nullptr);
    AddEventRows(list, kRows);
  }
};

Fixture& Rows() {
  static Fixture fixture;
  return fixture;
}

void BM_Export(benchmark::State& state) {
  Fixture& fixture = Rows();
  size_t bytes = 0;
  for (auto _ : state) {
    CountingSink sink;
    ExportAllItems(fixture.list, sink, static_cast<ExportFormat>(state.range(0)));
    bytes += sink.count;
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_Export)->DenseRange(1, 7)->Unit(benchmark::kMillisecond);

void BM_SortByTextColumn(benchmark::State& state) {
  Fixture& fixture = Rows();
  bool descending = false;
  for (auto _ : state) {
    SortKeyList keys;
    keys.Add(kColumnDescription | (descending ? kSortDescending : 0));
    fixture.list.SortItems(keys);
    descending = !descending;
  }
  state.counters["row_bytes"] = sizeof(UsbEvent);
  state.counters["pool_texts"] = EventStringPool().Count();
  state.counters["pool_bytes"] = EventStringPool().CharCapacity();
}
BENCHMARK(BM_SortByTextColumn)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wrenhollow::bench

BENCHMARK_MAIN();
