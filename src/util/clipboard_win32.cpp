#include "util/clipboard_win32.h"

#include "util/files_win32.h"

namespace wrenhollow {
namespace {

DWORD PutFileOnClipboard(const char* name) {
  EmptyClipboard();
  FileHandle file = OpenForReading(name);
  if (!file.IsOpen()) return GetLastError();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size)) return GetLastError();
  // One read call takes at most a DWORD of bytes, and the block needs one more for the terminator.
  if (size.QuadPart >= MAXDWORD) return ERROR_FILE_TOO_LARGE;
  const DWORD length = static_cast<DWORD>(size.QuadPart);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, length + 1);
  if (block == nullptr) return GetLastError();
  char* text = static_cast<char*>(GlobalLock(block));
  if (text == nullptr) {
    const DWORD error = GetLastError();
    GlobalFree(block);
    return error;
  }
  DWORD read = 0;
  const bool readAll = ReadBytes(file.Get(), text, length, &read);
  const DWORD error = readAll ? 0 : GetLastError();
  text[readAll ? read : 0] = '\0';
  GlobalUnlock(block);
  if (!readAll) {
    GlobalFree(block);
    return error;
  }
  // Once handed over, the block belongs to the clipboard.
  if (SetClipboardData(CF_TEXT, block) == nullptr) {
    const DWORD setError = GetLastError();
    GlobalFree(block);
    return setError;
  }
  return 0;
}

}  // namespace

DWORD LoadFileToClipboard(const char* name) {
  const DWORD error = PutFileOnClipboard(name);
  CloseClipboard();
  return error;
}

}  // namespace wrenhollow
