#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "portable/profile_files_portable.h"

// Writes arbitrary bytes as an INI file and reads it back with the portable reader, through fixed names and
// names taken from the input; then writes a value taken from the input and reads it back.
namespace {

// One file per process, so that parallel fuzzing jobs keep apart; removed when the process ends.
struct ScratchFile {
  ~ScratchFile() { std::remove(path.c_str()); }
  std::string path = "/tmp/wrenhollow_ini_reader_" + std::to_string(getpid()) + ".ini";
};

const std::string& FilePath() {
  static const ScratchFile file;
  return file.path;
}

bool IsBlank(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x09 && byte <= 0x0D) || byte == 0x1A || byte == ' ';
}

// The text up to `stop`, or all of it.
std::string UpTo(std::string_view text, char stop) { return std::string(text.substr(0, text.find(stop))); }

// A single-line value without blanks at its ends, which the reader gives back unchanged but for one pair of
// surrounding quotes.
std::string ValueFrom(std::string_view text) {
  std::string value;
  for (char c : text.substr(0, 40)) {
    if (c != '\0' && c != '\r' && c != '\n') value += c;
  }
  while (!value.empty() && IsBlank(value.front())) value.erase(0, 1);
  while (!value.empty() && IsBlank(value.back())) value.pop_back();
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const char* path = FilePath().c_str();
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return 0;
  std::fwrite(input.data(), 1, input.size(), file);
  std::fclose(file);

  wrenhollow::PortableProfileFiles files;
  // The names of the input's first header and of its second line's key.
  const size_t open = input.find('[');
  const std::string section = open == std::string_view::npos ? "" : UpTo(input.substr(open + 1), ']');
  const size_t lineEnd = input.find('\n');
  const std::string key = UpTo(input.substr(lineEnd == std::string_view::npos ? 0 : lineEnd + 1), '=');
  char buffer[16];
  for (const char* s : {"General", "", section.c_str()}) {
    for (const char* k : {"A", "", key.c_str()}) {
      std::memset(buffer, '#', sizeof buffer);
      const size_t count = files.ReadString(path, s, k, "\"dflt\" ", buffer, sizeof buffer - 1);
      if (count >= sizeof buffer - 1 || count != std::strlen(buffer) || buffer[sizeof buffer - 1] != '#') {
        __builtin_trap();
      }
      files.ReadInt(path, s, k, 5);
    }
  }

  const std::string value = ValueFrom(input);
  if (!files.WriteString(path, "Fuzz", "Key", value.c_str())) __builtin_trap();
  const bool quoted =
      value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  const std::string expected = quoted ? value.substr(1, value.size() - 2) : value;
  char text[64];
  files.ReadString(path, " fuzz ", "KEY", "", text, sizeof text);
  if (expected != text) __builtin_trap();
  return 0;
}
