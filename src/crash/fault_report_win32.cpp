#include "crash/fault_report_win32.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "crash/fault_text.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

enum class Search { kFailed, kNotFound, kFound };

using EnumModulesFunction = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using ModuleFileNameFunction = DWORD(WINAPI*)(HANDLE, HMODULE, char*, DWORD);
using ModuleInformationFunction = BOOL(WINAPI*)(HANDLE, HMODULE, MODULEINFO*, DWORD);
using CreateSnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
using ModuleWalkFunction = BOOL(WINAPI*)(HANDLE, MODULEENTRY32*);

struct ProcessStatusSet {
  bool loaded;
  EnumModulesFunction enumModules;
  ModuleFileNameFunction moduleFileName;
  ModuleInformationFunction moduleInformation;
};

struct ToolHelpSet {
  bool loaded;
  CreateSnapshotFunction createSnapshot;
  ModuleWalkFunction moduleFirst;
  ModuleWalkFunction moduleNext;
};

// Looked up on first use and kept; a failed lookup is tried again next time, as a fault may come much later.
ProcessStatusSet processStatus{};
ToolHelpSet toolHelp{};

template <typename Function>
bool LookUp(HMODULE library, const char* name, Function* function) {
  *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return *function != nullptr;
}

bool LoadProcessStatusSet() {
  if (processStatus.loaded) return true;
  const HMODULE library = LoadLibraryA("psapi.dll");
  if (library == nullptr) return false;
  ProcessStatusSet set{};
  set.loaded = LookUp(library, "EnumProcessModules", &set.enumModules) &&
               LookUp(library, "GetModuleFileNameExA", &set.moduleFileName) &&
               LookUp(library, "GetModuleInformation", &set.moduleInformation);
  if (!set.loaded) {
    FreeLibrary(library);
    return false;
  }
  processStatus = set;
  return true;
}

bool LoadToolHelpSet() {
  if (toolHelp.loaded) return true;
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return false;
  ToolHelpSet set{};
  set.loaded = LookUp(kernel, "CreateToolhelp32Snapshot", &set.createSnapshot) &&
               LookUp(kernel, "Module32First", &set.moduleFirst) && LookUp(kernel, "Module32Next", &set.moduleNext);
  if (set.loaded) toolHelp = set;
  return set.loaded;
}

const char* WindowsFolder() {
  static char folder[MAX_PATH];
  static bool read = false;
  if (!read) {
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    read = length > 0 && length < sizeof folder;
    if (!read) folder[0] = '\0';
  }
  return folder;
}

bool Holds(const ModuleRecord& module, uintptr_t address) {
  return address >= module.base && address - module.base < module.size;
}

Search SearchProcessStatus(uintptr_t address, ModuleRecord* found) {
  // Static: a filter may run on what little stack a fault left, and this list takes 32 KB.
  static HMODULE modules[4096];
  const HANDLE process = GetCurrentProcess();
  DWORD needed = 0;
  if (!processStatus.enumModules(process, modules, sizeof modules, &needed)) return Search::kFailed;
  const size_t count = std::min<size_t>(needed / sizeof(HMODULE), std::size(modules));
  for (size_t i = 0; i < count; ++i) {
    ModuleRecord record{};
    record.processId = GetCurrentProcessId();
    record.module = modules[i];
    char path[MAX_PATH] = "";
    if (processStatus.moduleFileName(process, modules[i], path, sizeof path) == 0) path[0] = '\0';
    FixModulePath(path, WindowsFolder(), record.path, sizeof record.path);
    MODULEINFO information{};
    if (processStatus.moduleInformation(process, modules[i], &information, sizeof information)) {
      record.base = reinterpret_cast<uintptr_t>(information.lpBaseOfDll);
      record.size = information.SizeOfImage;
    }
    if (Holds(record, address)) {
      *found = record;
      return Search::kFound;
    }
  }
  return Search::kNotFound;
}

Search SearchToolHelp(uintptr_t address, ModuleRecord* found) {
  const DWORD processId = GetCurrentProcessId();
  const HANDLE snapshot = toolHelp.createSnapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return Search::kFailed;
  Search result = Search::kNotFound;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = toolHelp.moduleFirst(snapshot, &entry); more; more = toolHelp.moduleNext(snapshot, &entry)) {
    ModuleRecord record{};
    record.processId = processId;
    record.module = entry.hModule;
    CopyBounded(record.path, entry.szExePath);
    record.base = reinterpret_cast<uintptr_t>(entry.modBaseAddr);
    record.size = entry.modBaseSize;
    if (Holds(record, address)) {
      *found = record;
      result = Search::kFound;
      break;
    }
  }
  CloseHandle(snapshot);
  return result;
}

// Reads 128 bytes of the process's own memory and dumps them; "" when the address cannot be read.
void DumpMemory(DWORD64 address, int group, char (&text)[kHexDump128Size]) {
  text[0] = '\0';
  uint8_t bytes[kFaultDumpLength];
  SIZE_T read = 0;
  if (ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(address), bytes, sizeof bytes, &read) &&
      read == sizeof bytes) {
    HexDump128(bytes, group, text, sizeof text);
  }
}

const char* FileNamePart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  return name;
}

unsigned long long Hex(DWORD64 value) { return static_cast<unsigned long long>(value); }

}  // namespace

bool FindModuleForAddress(uintptr_t address, ModuleRecord* module) {
  ModuleRecord found{};
  Search result = Search::kFailed;
  if (LoadProcessStatusSet()) result = SearchProcessStatus(address, &found);
  if (result == Search::kFailed && LoadToolHelpSet()) result = SearchToolHelp(address, &found);
  if (result != Search::kFound) return false;
  *module = found;
  return true;
}

bool FormatFaultReport(const EXCEPTION_RECORD& record, const CONTEXT& context, char* text, size_t size) {
  const size_t limit = std::min(size, kFaultReportSize);
  if (limit == 0) return false;
  char stackData[kHexDump128Size];
  char codeData[kHexDump128Size];
  DumpMemory(context.Rsp, 4, stackData);
  DumpMemory(context.Rip, 0, codeData);
  const uintptr_t address = reinterpret_cast<uintptr_t>(record.ExceptionAddress);
  ModuleRecord module{};
  const char* moduleName = FindModuleForAddress(address, &module) ? FileNamePart(module.path) : "{Unknown}";
  const int length = std::snprintf(
      text, limit,
      "Exception %8.8lX at address %16.16llX in module %s\r\nRegisters: \r\n"
      "RAX=%16.16llX RBX=%16.16llX RCX=%16.16llX RDX=%16.16llX\r\n"
      "RSI=%16.16llX RDI=%16.16llX RBP=%16.16llX RSP=%16.16llX\r\n"
      "RIP=%16.16llX\r\nStack Data: %s\r\nCode Data: %s\r\n",
      static_cast<unsigned long>(record.ExceptionCode), Hex(address), moduleName,
      Hex(context.Rax), Hex(context.Rbx), Hex(context.Rcx), Hex(context.Rdx), Hex(context.Rsi), Hex(context.Rdi),
      Hex(context.Rbp), Hex(context.Rsp), Hex(context.Rip), stackData, codeData);
  return length >= 0 && static_cast<size_t>(length) < limit;
}

}  // namespace wrenhollow
