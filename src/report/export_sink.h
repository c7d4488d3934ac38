#pragma once

#include <string_view>

namespace wrenhollow {

// Where an export's bytes go: a file or standard output.
class ExportSink {
 public:
  virtual ~ExportSink() = default;
  // Takes every byte or reports failure; a buffering sink may report a failed write at a later call.
  virtual bool Write(std::string_view bytes) = 0;
  // Hands on what is buffered; false when a write failed.
  virtual bool Flush() { return true; }
};

}  // namespace wrenhollow
