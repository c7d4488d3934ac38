#include "util/string_list.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "util/grow.h"

namespace wrenhollow {

void StringList::Init() {
  Free();
  charStep_ = kCharStep;
  offsetStep_ = kOffsetStep;
}

void StringList::Free() {
  std::free(chars_);
  std::free(offsets_);
  chars_ = nullptr;
  offsets_ = nullptr;
  charCapacity_ = 0;
  charsUsed_ = 0;
  offsetCapacity_ = 0;
  count_ = 0;
}

int StringList::Append(const char* text, int length) {
  if (length < 0) {
    const size_t whole = std::strlen(text);
    if (whole >= INT32_MAX) return -1;
    length = static_cast<int>(whole);
  }
  const int64_t needed = static_cast<int64_t>(charsUsed_) + length + 1;
  if (needed > INT32_MAX) return -1;
  ReserveGrow(&chars_, &charCapacity_, static_cast<int>(needed), charStep_);
  if (charCapacity_ <= needed) return -1;
  ReserveGrow(&offsets_, &offsetCapacity_, count_, offsetStep_);
  if (offsetCapacity_ <= count_) return -1;
  std::memcpy(chars_ + charsUsed_, text, static_cast<size_t>(length));
  chars_[charsUsed_ + length] = '\0';
  offsets_[count_] = charsUsed_;
  charsUsed_ += length + 1;
  return count_++;
}

bool StringList::Reserve(int chars, int count) {
  const int64_t neededChars = static_cast<int64_t>(charsUsed_) + chars;
  const int64_t neededCount = static_cast<int64_t>(count_) + count;
  if (chars < 0 || count < 0 || neededChars > INT32_MAX || neededCount > INT32_MAX) return false;
  ReserveGrow(&chars_, &charCapacity_, static_cast<int>(neededChars), charStep_);
  ReserveGrow(&offsets_, &offsetCapacity_, static_cast<int>(neededCount), offsetStep_);
  return charCapacity_ > neededChars && offsetCapacity_ > neededCount;
}

int StringList::FindExact(const char* text) const {
  for (int i = count_ - 1; i >= 0; --i) {
    if (std::strcmp(chars_ + offsets_[i], text) == 0) return i;
  }
  return -1;
}

const char* StringList::Get(int index) const {
  if (index < 0 || index >= count_) return nullptr;
  return chars_ + offsets_[index];
}

}  // namespace wrenhollow
