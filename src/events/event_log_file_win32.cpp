#include "events/event_log_file_win32.h"

#include <shlobj.h>

#include <vector>

#include "events/event_json.h"
#include "util/text.h"
#include "util/utf8.h"

namespace wrenhollow {
namespace {

// The file's bytes; "" for a file that is missing or cannot be read.
std::string ReadWholeFile(const std::string& name) {
  FileHandle file = OpenForReading(name.c_str());
  LARGE_INTEGER size{};
  if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return "";
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !ReadBytes(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read)) return "";
  bytes.resize(read);
  return bytes;
}

}  // namespace

bool EventLogFile::Open(const char* programFolder) {
  if (OpenAt(programFolder)) return true;
  char folder[kPathSize];
  if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder) != S_OK) return false;
  const std::string own = std::string(folder) + "\\Wrenhollow";
  CreateDirectoryA(own.c_str(), nullptr);
  return OpenAt(own.c_str());
}

bool EventLogFile::OpenAt(const char* folder) {
  const std::string path = std::string(folder) + "\\" + kLogFileName;
  if (path.size() >= kPathSize) return false;
  file_ = FileHandle(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_.IsOpen()) return false;
  CopyBounded(path_, path);
  LARGE_INTEGER size{};
  size_ = GetFileSizeEx(file_.Get(), &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
  lineOpen_ = false;
  if (size_ > 0) {
    FileHandle reader = OpenForReading(path_);
    LARGE_INTEGER last{};
    last.QuadPart = static_cast<LONGLONG>(size_ - 1);
    char byte = '\n';
    DWORD read = 0;
    if (reader.IsOpen() && SetFilePointerEx(reader.Get(), last, nullptr, FILE_BEGIN) &&
        ReadBytes(reader.Get(), &byte, 1, &read) && read == 1) {
      lineOpen_ = byte != '\n';
    }
  }
  return true;
}

std::string EventLogFile::FileName(int generation) const {
  std::string name = path_;
  if (generation > 0) name.insert(name.size() - 6, "." + std::to_string(generation));  // before ".jsonl"
  return name;
}

void EventLogFile::Rotate() {
  file_.Close();
  DeleteFileA(FileName(kLogFilesRotated).c_str());
  for (int generation = kLogFilesRotated - 1; generation >= 0; --generation) {
    MoveFileExA(FileName(generation).c_str(), FileName(generation + 1).c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  char folder[kPathSize];
  CopyBounded(folder, path_);
  CutToFolder(folder);
  OpenAt(folder);
}

bool EventLogFile::Append(const UsbEvent& event, std::string_view hostUtf8) {
  if (!file_.IsOpen()) return false;
  std::string line = lineOpen_ ? "\n" : "";
  AppendLoggedEventJson(line, event, hostUtf8);
  line.push_back('\n');
  if (size_ > 0 && size_ + line.size() > kLogFileMaxBytes) {
    Rotate();
    if (!file_.IsOpen()) return false;
    if (!lineOpen_ && line[0] == '\n') line.erase(0, 1);
  }
  DWORD written = 0;
  const bool whole = WriteFile(file_.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                     written == line.size();
  size_ += written;
  if (written > 0) lineOpen_ = !whole;
  return whole && FlushFileBuffers(file_.Get());
}

LogReading EventLogFile::ReadBack(const UsbIdDatabase& database) const {
  std::vector<std::string> files;
  for (int generation = kLogFilesRotated; generation >= 0; --generation) files.push_back(ReadWholeFile(FileName(generation)));
  return ReadLoggedEvents(files, kLogReadBackMax, database);
}

std::string ComputerNameUtf8() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
  DWORD size = sizeof name;
  if (!GetComputerNameA(name, &size)) name[0] = '\0';
  return AnsiToUtf8(name);
}

}  // namespace wrenhollow
