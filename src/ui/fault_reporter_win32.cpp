#include "ui/fault_reporter_win32.h"

#include "crash/fault_guard_win32.h"

namespace wrenhollow {
namespace {

FaultReporter installedReporter = nullptr;
// Set while a report is showing; its dialog's message loop runs handlers that may fault again.
bool reporting = false;

struct FaultOutcome {
  HWND owner;
  int choice;
};

LONG ReportToInstalled(EXCEPTION_POINTERS* pointers, void* filterContext) {
  auto* outcome = static_cast<FaultOutcome*>(filterContext);
  if (installedReporter != nullptr && !reporting) {
    reporting = true;
    outcome->choice = installedReporter(pointers, outcome->owner);
    reporting = false;
  }
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void SetFaultReporter(FaultReporter reporter) { installedReporter = reporter; }

bool CallHandlerGuarded(HWND owner, void (*handler)(void*), void* call) {
  FaultOutcome outcome{owner, kFaultChoiceContinue};
  if (GuardedCall(handler, call, ReportToInstalled, &outcome)) return true;
  if (outcome.choice == kFaultChoiceTerminate) ExitProcess(1);
  return false;
}

}  // namespace wrenhollow
