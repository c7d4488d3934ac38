#include "report/row_commands_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include "lang/language_table.h"
#include "report/export_file_win32.h"
#include "report/save_filter.h"
#include "util/clipboard_win32.h"
#include "util/files_win32.h"
#include "util/system_error_win32.h"
#include "util/text.h"

namespace wrenhollow {

bool ChooseSaveFile(HWND owner, int32_t* filterIndex, char (&fileName)[kPathSize]) {
  char filter[kSaveFilterSize];
  BuildSaveFilter(filter);
  char chosen[kPathSize] = "";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = *filterIndex > 0 ? static_cast<DWORD>(*filterIndex) : 1;
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = sizeof chosen;
  dialog.lpstrTitle = GetString(7);
  dialog.lpstrDefExt = "txt";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER;
  if (!GetSaveFileNameA(&dialog)) return false;
  *filterIndex = static_cast<int32_t>(dialog.nFilterIndex);
  CopyBounded(fileName, chosen);
  return true;
}

void SaveSelectedItems(HWND owner, const ReportListView& view, const char* fileName, int32_t filterIndex) {
  // A type beyond the list (a hand-edited setting the dialog passed on) saves as plain text.
  const ExportFormat format =
      filterIndex >= 1 && filterIndex <= 8 ? static_cast<ExportFormat>(filterIndex) : ExportFormat::Text;
  ExportRowsWithMessage(owner, view.List(), fileName, format, view.Rows(), true);
}

void CopySelectedItems(HWND owner, const ReportListView& view) {
  char folder[kPathSize];
  if (GetTempPathA(kPathSize, folder) == 0) GetWindowsFolder(folder);
  char name[kPathSize];
  if (GetTempFileNameA(folder, "cp", 0, name) == 0) {
    ShowSystemError(0, owner);
    return;
  }
  if (ExportRowsWithMessage(owner, view.List(), name, ExportFormat::TabDelimited, view.Rows(), true)) {
    const DWORD error = OpenClipboard(owner) ? LoadFileToClipboard(name) : GetLastError();
    if (error != 0) ShowSystemError(error, owner);
  }
  DeleteFileA(name);
}

void ShowHtmlReport(HWND owner, const ReportListView& view, const char* reportPath, bool selectedOnly) {
  if (ExportRowsWithMessage(owner, view.List(), reportPath, ExportFormat::HtmlHorizontal, view.Rows(), selectedOnly)) {
    ShellExecuteA(owner, "open", reportPath, "", "", SW_SHOW);
  }
}

}  // namespace wrenhollow
