#include "crash/fault_guard_win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <tuple>
#include <utility>

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

TEST(GuardedCallTest, AFaultReturnsFalseAfterTheFilterSawItEveryTimeAndOtherCallsTrueWithTheirEffects) {
  const struct { void (*function)(void*); bool completed; int value, filterCalls; } cases[] = {
      {WriteThroughNull, false, 5, 1}, {Increment, true, 6, 0}, {ThrowAndCatch, true, 2, 0},
      {WriteThroughNull, false, 5, 1}};
  for (const auto& c : cases) {
    Fault fault{};
    fault.verdict = EXCEPTION_EXECUTE_HANDLER;
    int value = 5;
    EXPECT_EQ(GuardedCall(c.function, &value, RecordFault, &fault), c.completed);
    EXPECT_EQ(std::make_pair(value, fault.filterCalls), std::make_pair(c.value, c.filterCalls));
    if (c.completed) continue;
    // A write to address 0, from our own code.
    EXPECT_EQ(std::make_tuple(fault.code, fault.accessKind, fault.accessAddress),
              std::make_tuple(DWORD{0xC0000005}, ULONG_PTR{1}, ULONG_PTR{0}));
    EXPECT_TRUE(InsideOurExe(fault.address)) << std::hex << fault.address;
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

}  // namespace
}  // namespace wrenhollow
