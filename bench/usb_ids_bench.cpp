// Loading the carried usb.ids list, and name lookups over lists of growing length.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "events/usb_id_database.h"
#include "portable/usb_ids_builtin.h"

namespace wrenhollow::bench {
namespace {

// The first `percent` of the built-in list, cut after a whole line.
std::string_view ListPart(int percent) {
  const std::string_view all = BuiltinUsbIds();
  const size_t end = all.find('\n', all.size() * static_cast<size_t>(percent) / 100);
  return all.substr(0, end == std::string_view::npos ? all.size() : end + 1);
}

void BM_LoadBuiltin(benchmark::State& state) {
  UsbIdDatabase database;
  for (auto _ : state) {
    LoadUsbIds(database, "/nonexistent", BuiltinUsbIds());
    benchmark::DoNotOptimize(database.EntryCount());
  }
  database.Clear();
  const size_t before = mallinfo2().uordblks;
  LoadUsbIds(database, "/nonexistent", BuiltinUsbIds());
  state.counters["entries"] = database.EntryCount();
  state.counters["heap_bytes"] = static_cast<double>(mallinfo2().uordblks - before);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * BuiltinUsbIds().size()));
}
BENCHMARK(BM_LoadBuiltin)->Unit(benchmark::kMillisecond);

// The ids of every entry of one kind, looked up in turn.
std::vector<DeviceEntry> EntriesOfKind(const UsbIdDatabase& database, uint16_t kind) {
  std::vector<DeviceEntry> found;
  for (int i = 0; i < database.EntryCount(); ++i) {
    if (database.Entries()[i].kind == kind) found.push_back(database.Entries()[i]);
  }
  return found;
}

void BM_FindVendorName(benchmark::State& state) {
  UsbIdDatabase database;
  database.ParseUsbIds(ListPart(static_cast<int>(state.range(0))));
  const std::vector<DeviceEntry> vendors = EntriesOfKind(database, kVendorEntry);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(database.FindVendorName(vendors[i].vendorId));
    i = i + 1 == vendors.size() ? 0 : i + 1;
  }
  state.counters["entries"] = database.EntryCount();
}
BENCHMARK(BM_FindVendorName)->Arg(10)->Arg(50)->Arg(100);

void BM_FindProductName(benchmark::State& state) {
  UsbIdDatabase database;
  database.ParseUsbIds(ListPart(static_cast<int>(state.range(0))));
  const std::vector<DeviceEntry> products = EntriesOfKind(database, kProductEntry);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(database.FindProductName(products[i].vendorId, products[i].productId));
    i = i + 1 == products.size() ? 0 : i + 1;
  }
  state.counters["entries"] = database.EntryCount();
}
BENCHMARK(BM_FindProductName)->Arg(10)->Arg(50)->Arg(100);

// An id the list does not hold: the worst case of the linear search below, the usual one for the index.
void BM_FindMissingProductName(benchmark::State& state) {
  UsbIdDatabase database;
  database.ParseUsbIds(ListPart(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(database.FindProductName(0xFFFF, 0xFFFE));
  state.counters["entries"] = database.EntryCount();
}
BENCHMARK(BM_FindMissingProductName)->Arg(10)->Arg(100);

// For comparison: a linear search of the entries from the first, as without the index.
void BM_LinearFindProductName(benchmark::State& state) {
  UsbIdDatabase database;
  database.ParseUsbIds(BuiltinUsbIds());
  const std::vector<DeviceEntry> products = EntriesOfKind(database, kProductEntry);
  const DeviceEntry* entries = database.Entries();
  const int count = database.EntryCount();
  size_t i = 0;
  for (auto _ : state) {
    const DeviceEntry& wanted = products[i];
    const char* name = nullptr;
    for (int j = 0; j < count && name == nullptr; ++j) {
      const DeviceEntry& e = entries[j];
      if (e.kind == kProductEntry && e.vendorId == wanted.vendorId && e.productId == wanted.productId) {
        name = database.Names().Get(static_cast<int>(e.nameIndex));
      }
    }
    benchmark::DoNotOptimize(name);
    i = i + 1 == products.size() ? 0 : i + 1;
  }
}
BENCHMARK(BM_LinearFindProductName);

}  // namespace
}  // namespace wrenhollow::bench

BENCHMARK_MAIN();
