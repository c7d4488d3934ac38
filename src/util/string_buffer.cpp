#include "util/string_buffer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "util/grow.h"

namespace wrenhollow {

bool StringBuffer::Reserve(int length) {
  const bool hadText = text_ != nullptr;
  ReserveGrow(&text_, &capacity_, length, step_);
  if (capacity_ <= length) return false;
  if (!hadText) {
    text_[0] = '\0';
    length_ = 0;
  }
  return true;
}

void StringBuffer::Free() {
  std::free(text_);
  text_ = nullptr;
  capacity_ = 0;
  length_ = 0;
}

bool StringBuffer::Append(const char* text, int length) {
  if (length < 0) {
    const size_t whole = std::strlen(text);
    if (whole >= INT32_MAX) return false;
    length = static_cast<int>(whole);
  }
  const int current = Length();
  const int64_t total = static_cast<int64_t>(current) + length;
  if (total >= INT32_MAX || !Reserve(static_cast<int>(total))) return false;
  std::memcpy(text_ + current, text, static_cast<size_t>(length));
  text_[total] = '\0';
  length_ = static_cast<int>(total);
  return true;
}

}  // namespace wrenhollow
