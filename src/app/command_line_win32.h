#pragma once

#include <optional>

#include "app/main_window_win32.h"
#include "util/argument_list.h"

namespace wrenhollow {

// The window-less export: when an export switch stands before the last argument, writes the log (read from no
// devices, so only what the format writes around zero rows) in that format to the file named after the switch,
// or to standard output for an empty name, and returns the exit code: 0, or the system's error code when the
// export failed. Nothing when there is no such switch.
std::optional<int> RunCommandLineExport(MainWindow& window, const ArgumentList& arguments);

}  // namespace wrenhollow
