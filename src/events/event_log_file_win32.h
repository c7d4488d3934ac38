#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "events/event_log_reader.h"
#include "util/files_win32.h"
#include "util/paths.h"

namespace wrenhollow {

constexpr char kLogFileName[] = "wrenhollow_log.jsonl";
// A line that would take the log past this size goes to a new file; the old one becomes wrenhollow_log.1.jsonl.
constexpr uint64_t kLogFileMaxBytes = 10 * 1024 * 1024;
// Rotated files kept, .1 (the newest) to .5; the sixth is deleted.
constexpr int kLogFilesRotated = 5;
// Events read back at start, across the files.
constexpr size_t kLogReadBackMax = 10000;

// The program's own log: one JSON object per event, appended and flushed line by line, never truncated. It is
// shared for reading, writing and deleting, so that other programs can follow it and it can be moved away.
class EventLogFile {
 public:
  // Opens the log in the folder given when a file can be created there, else in %LOCALAPPDATA%\Wrenhollow
  // (created when missing). False, with no log, when neither can hold it.
  bool Open(const char* programFolder);
  bool IsOpen() const { return file_.IsOpen(); }
  void Close() { file_.Close(); }
  const char* Path() const { return path_; }

  // Appends the event as one line with one write, flushed to disk before this returns. A line left unfinished
  // (a power cut) is ended first, so the event never joins it. False when the line could not be written.
  bool Append(const UsbEvent& event, std::string_view hostUtf8);
  // The newest events of the log and its rotated files.
  LogReading ReadBack(const UsbIdDatabase& database) const;

 private:
  bool OpenAt(const char* folder);
  void Rotate();
  // The log's name with ".N" before the extension; N = 0 is the log itself.
  std::string FileName(int generation) const;

  FileHandle file_;
  char path_[kPathSize] = {};
  uint64_t size_ = 0;
  bool lineOpen_ = false;  // the file does not end with a line end
};

// The computer's name in UTF-8, for the log's "host".
std::string ComputerNameUtf8();

}  // namespace wrenhollow
