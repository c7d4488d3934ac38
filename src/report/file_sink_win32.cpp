#include "report/file_sink_win32.h"

namespace wrenhollow {

Win32FileSink::Win32FileSink(const char* fileName)
    : handle_(fileName[0] != '\0' ? CreateFileA(fileName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0,
                                                nullptr)
                                  : GetStdHandle(STD_OUTPUT_HANDLE)),
      owned_(fileName[0] != '\0'),
      // A program started without a console (a shortcut, the Task Scheduler) has no standard output: its
      // export goes nowhere, which is not a failure.
      discarding_(!owned_ && handle_ == nullptr) {}

namespace {

constexpr size_t kBlockSize = 64 * 1024;

}  // namespace

Win32FileSink::~Win32FileSink() {
  Flush();
  if (owned_ && IsOpen()) CloseHandle(handle_);
}

bool Win32FileSink::Write(std::string_view bytes) {
  if (discarding_) return true;
  if (handle_ == INVALID_HANDLE_VALUE || failed_) return false;
  pending_.append(bytes);
  return pending_.size() < kBlockSize || Flush();
}

bool Win32FileSink::Flush() {
  if (discarding_) return true;
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  if (!failed_ && !pending_.empty()) failed_ = !WriteThrough(pending_);
  pending_.clear();
  return !failed_;
}

bool Win32FileSink::WriteThrough(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
    if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace wrenhollow
