#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace wrenhollow {

// Where an export's bytes go: a file or standard output.
class ExportSink {
 public:
  virtual ~ExportSink() = default;
  // Writes every byte or reports failure.
  virtual bool Write(std::string_view bytes) = 0;
};

// A C stream: a file the caller opened in binary mode, or stdout. The caller closes it.
class StreamSink : public ExportSink {
 public:
  explicit StreamSink(std::FILE* stream) : stream_(stream) {}
  bool Write(std::string_view bytes) override {
    return std::fwrite(bytes.data(), 1, bytes.size(), stream_) == bytes.size();
  }

 private:
  std::FILE* stream_;
};

}  // namespace wrenhollow
