#pragma once

#include <windows.h>

#include <type_traits>

#include "crash/fault_choice.h"

namespace wrenhollow {

// Shows a fault that escaped a handler of the owner window and returns the user's choice. It runs before the
// faulting frames are unwound, so the pointers describe the fault as it happened.
using FaultReporter = int (*)(EXCEPTION_POINTERS* pointers, HWND owner);

// The program-wide reporter; null (the start) answers every fault with Continue and shows nothing.
void SetFaultReporter(FaultReporter reporter);

// Calls handler(call) under the fault guard. False when it faulted: the frames were unwound and the fault was
// reported once, unless a report was already showing, in which case it is swallowed. When the user chooses
// Terminate, the process ends here with exit code 1.
bool CallHandlerGuarded(HWND owner, void (*handler)(void*), void* call);

// CallHandlerGuarded for any callable: the one trampoline of windows, dialogs and guarded work.
template <typename Work>
bool CallGuarded(HWND owner, Work&& work) {
  using Callable = std::remove_reference_t<Work>;
  return CallHandlerGuarded(owner, [](void* call) { (*static_cast<Callable*>(call))(); }, &work);
}

}  // namespace wrenhollow
