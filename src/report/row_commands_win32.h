#pragma once

#include <windows.h>

#include <cstdint>

#include "report/report_list_view_win32.h"
#include "util/paths.h"

namespace wrenhollow {

// Asks for a file to save to, starting on file type *filterIndex (the first for 0). True with the chosen path and
// *filterIndex the chosen type; false, both untouched, when the user cancels.
bool ChooseSaveFile(HWND owner, int32_t* filterIndex, char (&fileName)[kPathSize]);

// The selected rows, in display order, into the file, of type filterIndex as ChooseSaveFile gave it.
void SaveSelectedItems(HWND owner, const ReportListView& view, const char* fileName, int32_t filterIndex);
// The selected rows onto the clipboard as tab-delimited text with a header line.
void CopySelectedItems(HWND owner, const ReportListView& view);
// All rows, or the selected ones, as a horizontal HTML page in reportPath, opened with the system's viewer.
void ShowHtmlReport(HWND owner, const ReportListView& view, const char* reportPath, bool selectedOnly);

}  // namespace wrenhollow
