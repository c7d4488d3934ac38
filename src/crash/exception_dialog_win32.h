#pragma once

#include <windows.h>

namespace wrenhollow {

// Shows the exception dialog for a fault that escaped a handler of the owner window, and returns the user's
// choice: kFaultChoiceContinue, or kFaultChoiceTerminate for "Terminate Application", Escape and the close box.
// The program installs it with SetFaultReporter; the dialog runs its own procedure, so it is never translated.
int ReportFault(EXCEPTION_POINTERS* pointers, HWND owner);

}  // namespace wrenhollow
