#pragma once

#include <string_view>

namespace wrenhollow {

// Where an export's bytes go: a file or standard output.
class ExportSink {
 public:
  virtual ~ExportSink() = default;
  // Writes every byte or reports failure.
  virtual bool Write(std::string_view bytes) = 0;
};

}  // namespace wrenhollow
