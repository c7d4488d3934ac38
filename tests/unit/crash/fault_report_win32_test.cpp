#include "crash/fault_report_win32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "crash/fault_guard_win32.h"
#include "crash/fault_text.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

struct SavedFault {
  EXCEPTION_RECORD record;
  CONTEXT context;
};

LONG SaveFault(EXCEPTION_POINTERS* pointers, void* filterContext) {
  auto* fault = static_cast<SavedFault*>(filterContext);
  fault->record = *pointers->ExceptionRecord;
  fault->context = *pointers->ContextRecord;
  return EXCEPTION_EXECUTE_HANDLER;
}

int* volatile nullTarget = nullptr;

void WriteThroughNull(void*) { *nullTarget = 1; }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

std::string Hex16(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%16.16llX", static_cast<unsigned long long>(value));
  return text;
}

TEST(FormatFaultReportTest, NullWriteNamesCodeModuleRegistersAndMemory) {
  SavedFault fault{};
  ASSERT_FALSE(GuardedCall(WriteThroughNull, nullptr, SaveFault, &fault));
  char text[kFaultReportSize];
  ASSERT_TRUE(FormatFaultReport(fault.record, fault.context, text, sizeof text));
  // The layout of every line is pinned below; here the module, the address and the memory read at it.
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 8u) << text;
  const std::string address = Hex16(reinterpret_cast<uintptr_t>(fault.record.ExceptionAddress));
  EXPECT_EQ(lines[0], "Exception C0000005 at address " + address + " in module win32_tests.exe");
  EXPECT_EQ(lines[2].substr(0, 20), "RAX=" + Hex16(fault.context.Rax));
  EXPECT_EQ(lines[4], "RIP=" + address);
  uint8_t code[kFaultDumpLength];
  std::memcpy(code, reinterpret_cast<const void*>(fault.context.Rip), sizeof code);
  char codeData[kHexDump128Size];
  ASSERT_TRUE(HexDump128(code, 0, codeData, sizeof codeData));
  EXPECT_EQ(lines[5].size(), std::string("Stack Data: ").size() + 447) << lines[5];
  EXPECT_EQ(lines[6], std::string("Code Data: ") + codeData);
}

TEST(FormatFaultReportTest, UnreadableMemoryAndUnknownModuleAndCutText) {
  EXCEPTION_RECORD record{};
  record.ExceptionCode = 0xC0000096;
  record.ExceptionAddress = reinterpret_cast<void*>(0x10);
  CONTEXT context{};
  context.Rax = 0x0123456789ABCDEF;
  context.Rbx = 1;
  context.Rcx = 2;
  context.Rdx = 0xFFFFFFFFFFFFFFFF;
  context.Rsi = 3;
  context.Rdi = 4;
  context.Rbp = 5;
  context.Rsp = 0x20;
  context.Rip = 0x10;
  const std::string expected =
      "Exception C0000096 at address 0000000000000010 in module {Unknown}\r\nRegisters: \r\n"
      "RAX=0123456789ABCDEF RBX=0000000000000001 RCX=0000000000000002 RDX=FFFFFFFFFFFFFFFF\r\n"
      "RSI=0000000000000003 RDI=0000000000000004 RBP=0000000000000005 RSP=0000000000000020\r\n"
      "RIP=0000000000000010\r\nStack Data: \r\nCode Data: \r\n";
  const struct { size_t size; bool complete; size_t length; } cases[] = {
      {kFaultReportSize, true, expected.size()}, {expected.size() + 1, true, expected.size()},
      {expected.size(), false, expected.size() - 1}, {10, false, 9}, {1, false, 0},
  };
  for (const auto& c : cases) {
    std::vector<char> text(c.size + 1, '#');
    EXPECT_EQ(FormatFaultReport(record, context, text.data(), c.size), c.complete) << c.size;
    EXPECT_EQ(std::string(text.data()), expected.substr(0, c.length)) << c.size;
    EXPECT_EQ(text[c.size], '#') << c.size;
  }
  char untouched = '#';
  EXPECT_FALSE(FormatFaultReport(record, context, &untouched, 0));
  EXPECT_EQ(untouched, '#');
}

TEST(FindModuleForAddressTest, FindsTheImageHoldingTheAddressOrLeavesTheRecord) {
  const struct { HMODULE module; uintptr_t offset; const char* name; } cases[] = {
      {GetModuleHandleA("kernel32.dll"), 0x1000, "kernel32.dll"},
      {GetModuleHandleA("ntdll.dll"), 0, "ntdll.dll"},
      {GetModuleHandleA(nullptr), 0x1000, "win32_tests.exe"},
  };
  for (const auto& c : cases) {
    ModuleRecord module{};
    ASSERT_TRUE(FindModuleForAddress(reinterpret_cast<uintptr_t>(c.module) + c.offset, &module)) << c.name;
    EXPECT_EQ(std::make_tuple(module.module, module.base, module.processId),
              std::make_tuple(c.module, reinterpret_cast<uintptr_t>(c.module), GetCurrentProcessId())) << c.name;
    EXPECT_GT(module.size, c.offset) << c.name;
    const std::string path = module.path;
    EXPECT_EQ(path.substr(1, 2), ":\\") << path;
    EXPECT_TRUE(EqualsNoCase(path.substr(path.rfind('\\') + 1), c.name)) << path;
  }
  // An address outside every image leaves the record.
  ModuleRecord module{};
  module.size = 77;
  for (uintptr_t address : {uintptr_t{0}, uintptr_t{0x10}, ~uintptr_t{0}}) {
    EXPECT_FALSE(FindModuleForAddress(address, &module)) << address;
    EXPECT_EQ(module.size, 77u);
  }
}

}  // namespace
}  // namespace wrenhollow
