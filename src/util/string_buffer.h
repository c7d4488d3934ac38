#pragma once

namespace wrenhollow {

// One growable NUL-terminated text.
class StringBuffer {
 public:
  static constexpr int kDefaultStep = 256;

  explicit StringBuffer(int step = kDefaultStep) : step_(step) {}
  ~StringBuffer() { Free(); }
  StringBuffer(const StringBuffer&) = delete;
  StringBuffer& operator=(const StringBuffer&) = delete;

  // Makes room for `length` characters and a terminator; a buffer without text gets "". False when the text
  // could not grow (it is then unchanged).
  bool Reserve(int length);
  void Free();
  // Appends `length` characters of text (-1: up to its terminator); false, and nothing changed, when the text
  // could not grow.
  bool Append(const char* text, int length = -1);

  // The text, or "" when there is none.
  const char* Text() const { return text_ != nullptr ? text_ : ""; }
  int Length() const { return length_; }
  int Capacity() const { return capacity_; }

 private:
  char* text_ = nullptr;
  int capacity_ = 0;
  int length_ = 0;
  int step_;
};

}  // namespace wrenhollow
