#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "report/export_sink.h"

namespace wrenhollow {

// A file an export replaces (others may read it meanwhile), or standard output for an empty name, which stays
// open afterwards; a process without standard output takes every byte and keeps none. When the open fails,
// GetLastError() tells why. Writes are gathered into blocks: every
// WriteFile is a trip through the system, and lines are short.
class Win32FileSink : public ExportSink {
 public:
  explicit Win32FileSink(const char* fileName);
  ~Win32FileSink() override;
  Win32FileSink(const Win32FileSink&) = delete;
  Win32FileSink& operator=(const Win32FileSink&) = delete;

  bool IsOpen() const { return discarding_ || handle_ != INVALID_HANDLE_VALUE; }
  bool Write(std::string_view bytes) override;
  bool Flush() override;

 private:
  bool WriteThrough(std::string_view bytes);

  HANDLE handle_;
  bool owned_;
  bool discarding_;
  bool failed_ = false;
  std::string pending_;
};

}  // namespace wrenhollow
