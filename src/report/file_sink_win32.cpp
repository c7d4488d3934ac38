#include "report/file_sink_win32.h"

namespace wrenhollow {

Win32FileSink::Win32FileSink(const char* fileName)
    : handle_(fileName[0] != '\0' ? CreateFileA(fileName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0,
                                                nullptr)
                                  : GetStdHandle(STD_OUTPUT_HANDLE)),
      owned_(fileName[0] != '\0') {
  if (handle_ == nullptr) handle_ = INVALID_HANDLE_VALUE;  // no standard output at all
}

Win32FileSink::~Win32FileSink() {
  if (owned_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

bool Win32FileSink::Write(std::string_view bytes) {
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
    if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace wrenhollow
