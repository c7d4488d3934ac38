#pragma once

#include <windows.h>

namespace wrenhollow {

// Decides about a structured exception raised inside GuardedCall: EXCEPTION_EXECUTE_HANDLER ends the guarded
// call, EXCEPTION_CONTINUE_SEARCH passes the exception on to outer handlers, EXCEPTION_CONTINUE_EXECUTION
// resumes at the fault. It runs before any unwinding, so the pointers describe the fault as it happened.
using FaultFilter = LONG (*)(EXCEPTION_POINTERS* pointers, void* filterContext);

// Calls function(context) under a frame-based structured-exception handler. True when the function returned;
// false when the filter chose EXCEPTION_EXECUTE_HANDLER, after the frames inside the guard were unwound.
// Only exceptions raised in the function's frames reach the filter, not those handled further in.
bool GuardedCall(void (*function)(void*), void* context, FaultFilter filter, void* filterContext);

}  // namespace wrenhollow
