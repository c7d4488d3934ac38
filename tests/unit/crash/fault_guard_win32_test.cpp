#include "crash/fault_guard_win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

namespace wrenhollow {
namespace {

struct Fault {
  int filterCalls;
  DWORD code;
  ULONG_PTR accessKind;
  ULONG_PTR accessAddress;
  uintptr_t address;
  LONG verdict;
};

LONG RecordFault(EXCEPTION_POINTERS* pointers, void* filterContext) {
  auto* fault = static_cast<Fault*>(filterContext);
  ++fault->filterCalls;
  fault->code = pointers->ExceptionRecord->ExceptionCode;
  fault->accessKind = pointers->ExceptionRecord->ExceptionInformation[0];
  fault->accessAddress = pointers->ExceptionRecord->ExceptionInformation[1];
  fault->address = reinterpret_cast<uintptr_t>(pointers->ExceptionRecord->ExceptionAddress);
  return fault->verdict;
}

// Volatile, so the compiler can neither see the null nor turn the write into a trap instruction.
int* volatile nullTarget = nullptr;

void WriteThroughNull(void*) { *nullTarget = 1; }

void Increment(void* context) { ++*static_cast<int*>(context); }

void ThrowAndCatch(void* context) {
  try {
    throw std::runtime_error("handled inside");
  } catch (const std::runtime_error&) {
    *static_cast<int*>(context) = 2;
  }
}

bool InsideOurExe(uintptr_t address) {
  const auto base = reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  return address >= base && address - base < nt->OptionalHeader.SizeOfImage;
}

TEST(GuardedCallTest, NullWriteReturnsFalseAndTheFilterSeesTheFaultEveryTime) {
  for (int round = 1; round <= 2; ++round) {
    Fault fault{};
    fault.verdict = EXCEPTION_EXECUTE_HANDLER;
    EXPECT_FALSE(GuardedCall(WriteThroughNull, nullptr, RecordFault, &fault));
    EXPECT_EQ(fault.filterCalls, 1);
    EXPECT_EQ(fault.code, 0xC0000005u);
    EXPECT_EQ(fault.accessKind, 1u);  // a write
    EXPECT_EQ(fault.accessAddress, 0u);
    EXPECT_TRUE(InsideOurExe(fault.address)) << std::hex << fault.address;
  }
}

TEST(GuardedCallTest, CallsThatDoNotFaultReturnTrueWithTheirEffects) {
  const struct { void (*function)(void*); int expected; } cases[] = {{Increment, 6}, {ThrowAndCatch, 2}};
  for (const auto& c : cases) {
    Fault fault{};
    int value = 5;
    EXPECT_TRUE(GuardedCall(c.function, &value, RecordFault, &fault));
    EXPECT_EQ(value, c.expected);
    EXPECT_EQ(fault.filterCalls, 0);
  }
}

struct Nested {
  Fault inner;
  bool innerResult;
};

void GuardInner(void* context) {
  auto* nested = static_cast<Nested*>(context);
  nested->innerResult = GuardedCall(WriteThroughNull, nullptr, RecordFault, &nested->inner);
}

TEST(GuardedCallTest, ContinueSearchPassesTheFaultToTheOuterGuard) {
  Nested nested{};
  nested.inner.verdict = EXCEPTION_CONTINUE_SEARCH;
  nested.innerResult = true;
  Fault outer{};
  outer.verdict = EXCEPTION_EXECUTE_HANDLER;
  EXPECT_FALSE(GuardedCall(GuardInner, &nested, RecordFault, &outer));
  EXPECT_EQ(nested.inner.filterCalls, 1);
  EXPECT_EQ(outer.filterCalls, 1);
  EXPECT_EQ(outer.code, 0xC0000005u);
  EXPECT_TRUE(nested.innerResult);  // the inner guard never returned
}

constexpr UINT kFaultMessage = WM_USER;
constexpr UINT kPlainMessage = WM_USER + 1;

LRESULT CALLBACK FaultingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kFaultMessage) {
    Fault* fault = reinterpret_cast<Fault*>(lParam);
    return GuardedCall(WriteThroughNull, nullptr, RecordFault, fault) ? 1 : 7;
  }
  if (message == kPlainMessage) return 42;
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(GuardedCallTest, FaultInsideAWindowProcedureEndsOnlyTheMessage) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FaultingWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "WrenhollowFaultGuardTest";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  const HWND window = CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                    windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  Fault fault{};
  fault.verdict = EXCEPTION_EXECUTE_HANDLER;
  EXPECT_EQ(SendMessageA(window, kFaultMessage, 0, reinterpret_cast<LPARAM>(&fault)), 7);
  EXPECT_EQ(fault.filterCalls, 1);
  EXPECT_EQ(fault.code, 0xC0000005u);
  EXPECT_EQ(SendMessageA(window, kPlainMessage, 0, 0), 42);
  // A posted message reaches the procedure through DispatchMessage, a different way in from the system.
  Fault posted{};
  posted.verdict = EXCEPTION_EXECUTE_HANDLER;
  ASSERT_TRUE(PostMessageA(window, kFaultMessage, 0, reinterpret_cast<LPARAM>(&posted)));
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, window, kFaultMessage, kFaultMessage, PM_REMOVE));
  EXPECT_EQ(DispatchMessageA(&message), 7);
  EXPECT_EQ(posted.filterCalls, 1);
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_TRUE(UnregisterClassA(windowClass.lpszClassName, windowClass.hInstance));
}

}  // namespace
}  // namespace wrenhollow
