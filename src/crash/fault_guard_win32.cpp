#include "crash/fault_guard_win32.h"

#if !defined(__x86_64__)
#error "The fault guard's trampoline is written for x86_64."
#endif

namespace {

struct GuardFrame {
  void (*function)(void*);
  void* context;
  wrenhollow::FaultFilter filter;
  void* filterContext;
};

}  // namespace

// GCC has no __try/__except; this trampoline gets the same from the system's __C_specific_handler with a
// one-entry scope table. It keeps its GuardFrame pointer 32 bytes above its stack pointer after the prologue,
// which is the establisher frame handed to WrenhollowGuardFilter. The nop keeps the call's return address,
// the address the system looks up, inside the scope.
extern "C" int WrenhollowGuardTrampoline(GuardFrame* frame);
extern "C" LONG WrenhollowGuardFilter(EXCEPTION_POINTERS* pointers, void* establisherFrame);

asm(R"(
  .text
  .globl WrenhollowGuardTrampoline
  .def WrenhollowGuardTrampoline; .scl 2; .type 32; .endef
  .seh_proc WrenhollowGuardTrampoline
WrenhollowGuardTrampoline:
  .seh_handler __C_specific_handler, @except
  subq $40, %rsp
  .seh_stackalloc 40
  .seh_endprologue
  movq %rcx, 32(%rsp)
  movq 8(%rcx), %rax
  movq (%rcx), %rdx
  movq %rax, %rcx
.LWrenhollowGuardBegin:
  call *%rdx
  nop
.LWrenhollowGuardEnd:
  movl $1, %eax
  addq $40, %rsp
  ret
.LWrenhollowGuardHandler:
  xorl %eax, %eax
  addq $40, %rsp
  ret
  .seh_handlerdata
  .long 1
  .rva .LWrenhollowGuardBegin, .LWrenhollowGuardEnd, WrenhollowGuardFilter, .LWrenhollowGuardHandler
  .text
  .seh_endproc
)");

extern "C" LONG WrenhollowGuardFilter(EXCEPTION_POINTERS* pointers, void* establisherFrame) {
  const GuardFrame* frame = *reinterpret_cast<GuardFrame* const*>(static_cast<char*>(establisherFrame) + 32);
  return frame->filter(pointers, frame->filterContext);
}

namespace wrenhollow {

bool GuardedCall(void (*function)(void*), void* context, FaultFilter filter, void* filterContext) {
  GuardFrame frame{function, context, filter, filterContext};
  return WrenhollowGuardTrampoline(&frame) != 0;
}

}  // namespace wrenhollow
