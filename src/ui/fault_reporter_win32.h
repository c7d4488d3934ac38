#pragma once

#include <windows.h>

namespace wrenhollow {

// What the user chose after a fault in a message handler was reported.
constexpr int kFaultChoiceContinue = 1;
constexpr int kFaultChoiceTerminate = 2;

// Shows a fault that escaped a handler of the owner window and returns the user's choice. It runs before the
// faulting frames are unwound, so the pointers describe the fault as it happened.
using FaultReporter = int (*)(EXCEPTION_POINTERS* pointers, HWND owner);

// The program-wide reporter; null (the start) answers every fault with Continue and shows nothing.
void SetFaultReporter(FaultReporter reporter);

// Calls handler(call) under the fault guard. False when it faulted: the frames were unwound and the fault was
// reported once, unless a report was already showing, in which case it is swallowed. When the user chooses
// Terminate, the process ends here with exit code 1.
bool CallHandlerGuarded(HWND owner, void (*handler)(void*), void* call);

}  // namespace wrenhollow
