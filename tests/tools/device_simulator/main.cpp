// device_simulator: changes the device registry and tells windows about it, all in one process.
//
//   device_simulator COMMAND [ARGS] [COMMAND [ARGS]]...
//     apply FILE.reg                      apply a .reg file with the registry API, verifying each value
//     link DEVICE INSTANCE 0|1|flip [CLASS]   set or flip the interface's Linked value
//     new DEVICE INSTANCE DESCRIPTION     record and attach a device never seen before
//     remove DEVICE INSTANCE              delete a device's keys
//     broadcast [TIMEOUT_MS]              WM_DEVICECHANGE (DBT_DEVNODES_CHANGED) to every top-level window
//     send WINDOW_CLASS [TIMEOUT_MS]      the same, to the first window of that class only
//     burst COUNT SPAN_MS [WINDOW_CLASS]  COUNT notifications spread over SPAN_MS
//
// Commands run in order; the first failure stops the run with exit code 1 (2 for a usage error).
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "device_simulator/device_simulator.h"

using namespace wrenhollow::e2e;

namespace {

int Usage(const char* why) {
  std::fprintf(stderr, "device_simulator: %s\n(see the comment at the top of main.cpp for the commands)\n", why);
  return 2;
}

HWND FindByClass(const char* className) {
  HWND window = FindWindowA(className, nullptr);
  if (window == nullptr) std::fprintf(stderr, "device_simulator: no window of class %s\n", className);
  return window;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage("no command");
  for (int i = 1; i < argc;) {
    const std::string command = argv[i++];
    auto has = [&](int count) { return i + count <= argc; };
    std::string error;
    bool ok = true;
    if (command == "apply" && has(1)) {
      ok = ApplyRegFile(argv[i++], &error);
    } else if (command == "link" && has(3)) {
      DeviceId id{argv[i], argv[i + 1]};
      const std::string value = argv[i + 2];
      i += 3;
      if (i < argc && argv[i][0] == '{') id.interfaceClass = argv[i++];
      DWORD linked = 0;
      if (value == "flip") {
        ok = FlipLinked(id, &linked, &error);
        if (ok) std::printf("Linked=%lu\n", static_cast<unsigned long>(linked));
      } else if (value == "0" || value == "1") {
        ok = SetLinked(id, value == "1" ? 1 : 0, &error);
      } else {
        return Usage("link takes 0, 1 or flip");
      }
    } else if (command == "new" && has(3)) {
      NewDevice device;
      device.id = {argv[i], argv[i + 1]};
      device.description = argv[i + 2];
      i += 3;
      ok = AddDevice(device, &error);
    } else if (command == "remove" && has(2)) {
      ok = RemoveDevice({argv[i], argv[i + 1]}, &error);
      i += 2;
    } else if (command == "broadcast") {
      const UINT timeout = has(1) && std::isdigit(static_cast<unsigned char>(argv[i][0])) ? std::atoi(argv[i++]) : 1000;
      ok = BroadcastDeviceChange(timeout);
      if (!ok) error = "broadcast failed or timed out";
    } else if (command == "send" && has(1)) {
      HWND window = FindByClass(argv[i++]);
      const UINT timeout = has(1) && std::isdigit(static_cast<unsigned char>(argv[i][0])) ? std::atoi(argv[i++]) : 1000;
      ok = window != nullptr && SendDeviceChange(window, timeout);
      if (!ok) error = "send failed";
    } else if (command == "burst" && has(2)) {
      const int count = std::atoi(argv[i]);
      const DWORD span = static_cast<DWORD>(std::atoi(argv[i + 1]));
      i += 2;
      HWND target = nullptr;
      if (has(1) && !std::isdigit(static_cast<unsigned char>(argv[i][0]))) {
        target = FindByClass(argv[i++]);
        if (target == nullptr) return 1;
      }
      std::printf("burst of %d took %lu ms\n", count,
                  static_cast<unsigned long>(BurstDeviceChange(target, count, span)));
    } else {
      return Usage(("unknown command or missing arguments: " + command).c_str());
    }
    if (!ok) {
      std::fprintf(stderr, "device_simulator: %s: %s\n", command.c_str(), error.c_str());
      return 1;
    }
  }
  return 0;
}
