#pragma once

#include <windows.h>
#include <commdlg.h>

#include "report/report_list_view_win32.h"

namespace wrenhollow {

// Opens the system's modeless Find dialog over owner, searching down with no options and offering the last
// text, and stores its handle in *dialog. Does nothing, and returns false, while one is open.
bool OpenFind(HWND owner, HWND* dialog);

// Answers the dialog's "commdlg_FindReplace" message: a find-next request searches the rows; the dialog's closing
// clears *dialog and gives the list the keyboard focus.
void OnFindMessage(const FINDREPLACEA& request, ReportListView& view, HWND* dialog);

// Selects, focuses and shows the next row after the selection, in the request's direction, that matches its
// text and options, wrapping around the end once, so the selected row itself is tried last. False when no
// row matches; nothing changes then.
bool FindNext(const FINDREPLACEA& request, ReportListView& view);

}  // namespace wrenhollow
