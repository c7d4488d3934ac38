// Refresh over the in-memory hive: the monitor's own work, without the cost of real registry calls.
#include <benchmark/benchmark.h>

#include "counting_registry.h"
#include "device_tree.h"
#include "monitor/device_monitor.h"
#include "portable/registry_memory.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"

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

}  // namespace
}  // namespace wrenhollow::bench

BENCHMARK_MAIN();
