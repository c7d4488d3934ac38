// Forwarding to a local rsyslogd over TCP under Wine: events per second end to end, and what Send costs the
// window's thread for a reading that adds 100 rows. run-wine-bench.sh starts the server and passes its port and
// output file.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "events/event_report_list.h"
#include "event_rows.h"
#include "forward/syslog_forwarder_win32.h"
#include "forward/windows_event_log_win32.h"
#include "monitor/registry_win32.h"
#include "portable/clock_fixed.h"
#include "portable/registry_memory.h"
#include "portable/volume_table.h"
#include "wine_bench_support.h"

namespace {

// Lines rsyslog has written, reading only what it added since the last call, so that watching costs little.
class LineCounter {
 public:
  explicit LineCounter(const char* path) : path_(path) {}
  size_t Count() {
    std::ifstream file(path_, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(read_));
    std::vector<char> added(std::istreambuf_iterator<char>(file), {});
    read_ += added.size();
    lines_ += static_cast<size_t>(std::count(added.begin(), added.end(), '\n'));
    return lines_;
  }

 private:
  const char* path_;
  size_t read_ = 0;
  size_t lines_ = 0;
};

const wrenhollow::UsbEvent& Row(const wrenhollow::EventReportList& list, int index) {
  return *static_cast<const wrenhollow::UsbEvent*>(list.ItemAt(index));
}

// One reading that adds 100 rows on the window's thread, through Wine's registry, each row also sent to the
// forwarder and reported to the Event Log when they are given.
double ReadingThatAdds100Rows(wrenhollow::SyslogForwarder* forwarder, wrenhollow::WindowsEventLog* eventLog) {
  using namespace wrenhollow;
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001");
  bench::Win32Writer writer;
  bench::WriteDeviceTree(writer, 0);
  Win32Registry registry;
  VolumeTable volumes;
  FixedClock clock(0);
  EventReportList list(registry, volumes, clock);
  list.Refresh();
  if (forwarder != nullptr) {
    list.SetLiveRowListener([&](const UsbEvent& row) {
      forwarder->Send(row);
      eventLog->Report(row, "BENCH-PC");
    });
  }
  bench::WriteDeviceTree(writer, 100);
  const double start = bench::Seconds();
  list.Refresh();
  return bench::Seconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace wrenhollow;
  if (argc != 3) {
    std::fprintf(stderr, "usage: forward_wine_bench TCP_PORT OUTPUT_FILE\n");
    return 2;
  }
  bench::BuiltinTexts texts;
  MemoryHive hive;
  VolumeTable volumes;
  FixedClock clock(0);
  SetEventClock(&clock, nullptr);
  EventReportList list(hive, volumes, clock);
  constexpr int kEvents = 50000;
  bench::AddEventRows(list, kEvents);

  ForwardingSettings settings = DefaultForwardingSettings();
  std::snprintf(settings.server, sizeof settings.server, "127.0.0.1");
  settings.port = std::atoi(argv[1]);
  settings.protocol = SyslogProtocol::Tcp;
  SyslogForwarder forwarder([](ForwardingStatus status) { std::fprintf(stderr, "status %d\n", static_cast<int>(status)); });
  if (!forwarder.Start(settings, "BENCH-PC")) return 1;

  // Send for 100 rows at a time, as one reading adds them; the queue is drained between the batches.
  double best = 1e9;
  LineCounter output(argv[2]);
  const size_t before = output.Count();
  for (int batch = 0; batch < 20; ++batch) {
    const double start = bench::Seconds();
    for (int i = 0; i < 100; ++i) forwarder.Send(Row(list, batch * 100 + i));
    best = std::min(best, bench::Seconds() - start);
    Sleep(50);
  }
  std::printf("Send of 100 rows on the window's thread: %.3f ms (best of 20)\n", best * 1e3);

  WindowsEventLog eventLog;
  eventLog.Open();
  double off = 1e9;
  double on = 1e9;
  for (int run = 0; run < 5; ++run) {
    off = std::min(off, ReadingThatAdds100Rows(nullptr, nullptr));
    on = std::min(on, ReadingThatAdds100Rows(&forwarder, &eventLog));
  }
  std::printf("a reading that adds 100 rows: %.1f ms with forwarding and the Event Log off, %.1f ms with TCP "
              "forwarding and the Event Log on: ratio %.3f\n", off * 1e3, on * 1e3, on / off);

  // Throughput: the queue's capacity at once, time until rsyslog has written every message.
  while (output.Count() < before + 2000 + 500) Sleep(10);  // the batches and the five readings' rows
  const size_t start = output.Count();
  const int count = static_cast<int>(kForwardQueueCapacity);
  const double begin = bench::Seconds();
  for (int i = 0; i < count; ++i) forwarder.Send(Row(list, i));
  while (output.Count() < start + count && bench::Seconds() - begin < 60) Sleep(50);
  const double seconds = bench::Seconds() - begin;
  const size_t received = output.Count() - start;
  forwarder.Stop();
  std::printf("TCP to rsyslog: %zu of %d events in %.3f s, %.0f events/s\n", received, count, seconds,
              received / seconds);
  return received == static_cast<size_t>(count) ? 0 : 1;
}
