#include "crash/exception_dialog_win32.h"

#include "crash/fault_choice.h"
#include "crash/fault_report_win32.h"
#include "resource_ids.h"
#include "util/window_helpers_win32.h"

namespace wrenhollow {
namespace {

// The fault being shown, copied before the dialog's own messages can overwrite the system's records.
struct SavedFault {
  EXCEPTION_RECORD record;
  CONTEXT context;
};

INT_PTR CALLBACK ExceptionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* fault = reinterpret_cast<const SavedFault*>(lParam);
    CenterWindow(dialog);
    char report[kFaultReportSize];
    FormatFaultReport(fault->record, fault->context, report, sizeof report);
    SetDlgItemTextA(dialog, IDC_EXCEPTION_REPORT, report);
    SetFocus(GetDlgItem(dialog, IDC_EXCEPTION_REPORT));
  } else if (message == WM_COMMAND && HIWORD(wParam) == 0) {
    const WORD id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
      EndDialog(dialog, id);
    } else if (id == IDC_EXCEPTION_COPY) {
      const HWND report = GetDlgItem(dialog, IDC_EXCEPTION_REPORT);
      SendMessageA(report, EM_SETSEL, 0, 0xFFFF);
      SendMessageA(report, WM_COPY, 0, 0);
      SendMessageA(report, EM_SETSEL, 0, 0);
    }
  }
  return 0;
}

}  // namespace

int ReportFault(EXCEPTION_POINTERS* pointers, HWND owner) {
  static SavedFault fault;
  fault.record = *pointers->ExceptionRecord;
  fault.context = *pointers->ContextRecord;
  const INT_PTR choice = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EXCEPTION), owner,
                                         ExceptionDialogProc, reinterpret_cast<LPARAM>(&fault));
  // A dialog that could not be shown leaves the program running, as Continue would.
  return choice == kFaultChoiceTerminate ? kFaultChoiceTerminate : kFaultChoiceContinue;
}

}  // namespace wrenhollow
