#include "report/export_file_win32.h"

#include "report/file_sink_win32.h"
#include "util/system_error_win32.h"
#include "util/window_helpers_win32.h"

namespace wrenhollow {
namespace {

// The failed call's error, never 0: a failure must not be told as "Error 0".
DWORD LastErrorOf(bool failed) {
  const DWORD error = GetLastError();
  return !failed ? 0 : error != 0 ? error : ERROR_WRITE_FAULT;
}

template <typename Export>
DWORD ExportWithMessage(HWND owner, const char* fileName, Export writeTo) {
  DWORD error = 0;
  {
    Win32FileSink sink(fileName);
    if (!sink.IsOpen()) {
      error = LastErrorOf(true);
    } else {
      ShowWaitCursor();
      const bool written = writeTo(sink);
      error = LastErrorOf(!written);
      RestoreCursor();
    }
  }  // closed before the message, so that the user may delete or rename the file while reading it
  if (error != 0) ShowSystemError(error, owner);
  return error;
}

}  // namespace

bool ExportRowsWithMessage(HWND owner, const ReportList& list, const char* fileName, ExportFormat format,
                           const std::vector<ExportRow>& rows, bool selectedOnly) {
  return ExportWithMessage(owner, fileName, [&](ExportSink& sink) {
           return ExportRows(list, sink, format, rows, selectedOnly);
         }) == 0;
}

DWORD ExportAllItemsWithMessage(const ReportList& list, const char* fileName, ExportFormat format) {
  return ExportWithMessage(nullptr, fileName, [&](ExportSink& sink) { return ExportAllItems(list, sink, format); });
}

}  // namespace wrenhollow
