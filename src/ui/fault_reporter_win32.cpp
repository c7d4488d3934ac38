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

struct ReportCall {
  EXCEPTION_POINTERS* pointers;
  FaultOutcome* outcome;
};

LONG EndReport(EXCEPTION_POINTERS*, void*) { return EXCEPTION_EXECUTE_HANDLER; }

LONG ReportToInstalled(EXCEPTION_POINTERS* pointers, void* filterContext) {
  auto* outcome = static_cast<FaultOutcome*>(filterContext);
  if (installedReporter != nullptr && !reporting) {
    reporting = true;
    ReportCall call{pointers, outcome};
    // A fault in the report itself ends it here, so that the flag is cleared whatever happens and the owner,
    // which the report's dialog disabled, takes input again.
    const bool reported = GuardedCall(
        [](void* context) {
          auto* report = static_cast<ReportCall*>(context);
          report->outcome->choice = installedReporter(report->pointers, report->outcome->owner);
        },
        &call, EndReport, nullptr);
    if (!reported && outcome->owner != nullptr) EnableWindow(outcome->owner, TRUE);
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
