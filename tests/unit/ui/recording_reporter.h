#pragma once

#include <windows.h>

#include "ui/fault_reporter_win32.h"

namespace wrenhollow {

// What the fault reporter saw; the reporter is a plain function, so it writes here.
struct ReportedFault {
  int calls;
  DWORD code;
  HWND owner;
};
inline ReportedFault reportedFault{};

inline int RecordFaultAndContinue(EXCEPTION_POINTERS* pointers, HWND owner) {
  ++reportedFault.calls;
  reportedFault.code = pointers->ExceptionRecord->ExceptionCode;
  reportedFault.owner = owner;
  return kFaultChoiceContinue;
}

// Volatile, so the compiler can neither see the null nor turn the read into a trap instruction.
inline int* volatile nullTarget = nullptr;

inline int ReadThroughNull() { return *nullTarget; }

// Installs a reporter for one test and takes it away again, whatever the test's outcome.
class ScopedReporter {
 public:
  explicit ScopedReporter(FaultReporter reporter) {
    reportedFault = ReportedFault{};
    SetFaultReporter(reporter);
  }
  ~ScopedReporter() { SetFaultReporter(nullptr); }
};

}  // namespace wrenhollow
