#include "report/export_file_win32.h"

#include "report/file_sink_win32.h"
#include "util/system_error_win32.h"
#include "util/window_helpers_win32.h"

namespace wrenhollow {
namespace {

template <typename Export>
bool ExportWithMessage(HWND owner, const char* fileName, Export writeTo) {
  Win32FileSink sink(fileName);
  if (!sink.IsOpen()) {
    ShowSystemError(0, owner);
    return false;
  }
  ShowWaitCursor();
  const bool written = writeTo(sink);
  const DWORD error = GetLastError();
  RestoreCursor();
  if (!written) ShowSystemError(error, owner);
  return written;
}

}  // namespace

bool ExportRowsWithMessage(HWND owner, const ReportList& list, const char* fileName, ExportFormat format,
                           const std::vector<ExportRow>& rows, bool selectedOnly) {
  return ExportWithMessage(owner, fileName,
                           [&](ExportSink& sink) { return ExportRows(list, sink, format, rows, selectedOnly); });
}

bool ExportAllItemsWithMessage(const ReportList& list, const char* fileName, ExportFormat format) {
  return ExportWithMessage(nullptr, fileName, [&](ExportSink& sink) { return ExportAllItems(list, sink, format); });
}

}  // namespace wrenhollow
