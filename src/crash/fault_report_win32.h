#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace wrenhollow {

// Buffer that holds the longest fault report, terminator included.
constexpr size_t kFaultReportSize = 2048;

// One module of the program's own process, as the system's module lists describe it.
struct ModuleRecord {
  uint32_t processId;
  HMODULE module;
  char path[MAX_PATH];
  uint32_t size;
  uintptr_t base;
};

// The first module of the current process whose image holds the address, asked of the process-status
// functions (psapi, loaded at run time) and, when those are missing or fail, of tool help. True with *module
// filled when one was found; false, *module untouched, when none holds it or no module list could be read.
bool FindModuleForAddress(uintptr_t address, ModuleRecord* module);

// The text shown for a fault: its code and address, the module holding the address ("{Unknown}" if none), the
// general registers, and 128 bytes each from the stack pointer (grouped by 4) and the instruction pointer; an
// unreadable address gives an empty dump. Lines end in "\r\n". Writes at most kFaultReportSize characters
// with the terminator; false when size is 0 or the text was cut.
bool FormatFaultReport(const EXCEPTION_RECORD& record, const CONTEXT& context, char* text, size_t size);

}  // namespace wrenhollow
