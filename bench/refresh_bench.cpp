// Refresh over the in-memory hive: the monitor's own work, without the cost of real registry calls; and beside
// one plain reading, the earlier connections of its devices from the system's record.
#include <benchmark/benchmark.h>

#include <vector>

#include "counting_registry.h"
#include "device_tree.h"
#include "monitor/device_monitor.h"
#include "monitor/earlier_connections.h"
#include "monitor/scan_devices.h"
#include "portable/device_history_table.h"
#include "portable/registry_memory.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"
#include "util/text.h"

namespace wrenhollow::bench {
namespace {

class MemoryWriter : public RegistryWriter {
 public:
  explicit MemoryWriter(MemoryHive& hive) : hive_(hive) {}
  void Set(const std::string& keyPath, const char* name, uint32_t type, const void* data, uint32_t size) override {
    hive_.SetValue("HKEY_LOCAL_MACHINE\\" + keyPath, name, type, data, size);
  }

 private:
  MemoryHive& hive_;
};

class SilentMonitor : public DeviceMonitor {
 public:
  using DeviceMonitor::DeviceMonitor;
  long long events = 0;

 protected:
  void OnDeviceEvent(const DeviceEvent&) override { ++events; }
};

void BM_Refresh(benchmark::State& state) {
  const auto devices = static_cast<int>(state.range(0));
  MemoryHive hive;
  MemoryWriter writer(hive);
  WriteDeviceTree(writer, devices);
  CountingRegistry counting(hive);
  VolumeTable volumes;
  FixedClock clock(0);
  SilentMonitor monitor(counting, volumes, clock);
  monitor.Refresh();

  counting.calls = 0;
  long long refreshes = 0;
  for (auto _ : state) {
    monitor.Refresh();
    ++refreshes;
  }
  state.counters["calls_per_device"] = static_cast<double>(counting.calls) / static_cast<double>(refreshes) / devices;
  if (monitor.events != 0) state.SkipWithError("an unchanged tree reported events");
}
BENCHMARK(BM_Refresh)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One reading of the tree, as the first refresh makes it.
void BM_ScanDevices(benchmark::State& state) {
  MemoryHive hive;
  MemoryWriter writer(hive);
  WriteDeviceTree(writer, static_cast<int>(state.range(0)));
  const RegistryReader reader(hive);
  VolumeTable volumes;
  for (auto _ : state) {
    DeviceSnapshot reading;
    ScanDevices(reader, volumes, reading);
    benchmark::DoNotOptimize(reading.Count());
  }
}
BENCHMARK(BM_ScanDevices)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Reading the system's record of every device of the tree (keys in another case, as SetupAPI gives them) and
// joining it to a reading of the tree.
void BM_EarlierConnections(benchmark::State& state) {
  MemoryHive hive;
  MemoryWriter writer(hive);
  WriteDeviceTree(writer, static_cast<int>(state.range(0)));
  VolumeTable volumes;
  DeviceSnapshot reading;
  ScanDevices(RegistryReader(hive), volumes, reading);
  std::vector<DeviceHistoryRecord> recorded;
  FileTime time = 133541212290000000;
  for (const UsbDeviceInfo& info : reading) {
    DeviceHistoryRecord record{FoldCase(info.deviceKey), FoldCase(info.instanceKey), time, time + 10, time + 20};
    recorded.push_back(record);
    time += 1000;
  }
  DeviceHistoryTable table(recorded);

  size_t events = 0;
  for (auto _ : state) {
    std::vector<DeviceHistoryRecord> history;
    table.ReadHistory(history);
    events = EarlierConnections(reading, history).size();
    benchmark::DoNotOptimize(events);
  }
  if (events != 2 * reading.Count()) state.SkipWithError("not every device gave a Plug and an Unplug");
}
BENCHMARK(BM_EarlierConnections)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wrenhollow::bench

BENCHMARK_MAIN();
