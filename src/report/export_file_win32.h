#pragma once

#include <windows.h>

#include <vector>

#include "report/export_writer.h"

namespace wrenhollow {

// Exports into a file, or to standard output for an empty name. When the file cannot be created or a write
// fails, closes the file, then shows "Error %d: %s" for the system's error, owned by owner (none in the
// window-less export), and returns false. The wait cursor shows while rows are written.
bool ExportRowsWithMessage(HWND owner, const ReportList& list, const char* fileName, ExportFormat format,
                           const std::vector<ExportRow>& rows, bool selectedOnly);
// The same for every item, without an owner; returns the error shown, 0 when the export succeeded.
DWORD ExportAllItemsWithMessage(const ReportList& list, const char* fileName, ExportFormat format);

}  // namespace wrenhollow
