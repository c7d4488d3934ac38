#pragma once

#include <cstdio>
#include <string_view>

#include "report/export_sink.h"

namespace wrenhollow {

// A file an export replaces, or standard output for an empty name; the portable build's output.
class FileSink : public ExportSink {
 public:
  explicit FileSink(const char* fileName);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool IsOpen() const { return stream_ != nullptr; }
  bool Write(std::string_view bytes) override;
  bool Flush() override;

 private:
  std::FILE* stream_;
  bool owned_;
};

}  // namespace wrenhollow
