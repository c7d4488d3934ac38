#include "portable/file_sink.h"

namespace wrenhollow {

FileSink::FileSink(const char* fileName)
    : stream_(fileName[0] != '\0' ? std::fopen(fileName, "wb") : stdout), owned_(fileName[0] != '\0') {}

FileSink::~FileSink() {
  if (owned_ && stream_ != nullptr) std::fclose(stream_);
}

bool FileSink::Write(std::string_view bytes) {
  return stream_ != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), stream_) == bytes.size();
}

bool FileSink::Flush() { return stream_ != nullptr && std::fflush(stream_) == 0 && !std::ferror(stream_); }

}  // namespace wrenhollow
