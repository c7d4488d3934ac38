#pragma once

namespace wrenhollow {

// An append-only list of NUL-terminated texts kept one after another in one character block; an index is
// stable for the life of the list (until Free).
class StringList {
 public:
  static constexpr int kCharStep = 1024;
  static constexpr int kOffsetStep = 256;

  StringList() = default;
  ~StringList() { Free(); }
  StringList(const StringList&) = delete;
  StringList& operator=(const StringList&) = delete;

  // Releases what the list holds and sets it up empty, with the default steps.
  void Init();
  // Releases both blocks; the list stays usable and can be refilled.
  void Free();

  // Appends `length` characters of text (-1: up to its terminator) and returns the new text's index, or -1
  // when a block could not grow (the list is then unchanged).
  int Append(const char* text, int length = -1);
  // Makes room, under the same growth rule, for `chars` more characters (terminators included) and `count` more
  // texts, so that a bulk fill copies the blocks once rather than at every step. False when a block could not
  // grow (the list is then unchanged in content).
  bool Reserve(int chars, int count);
  // Index of the newest text equal to `text` (case-sensitive), or -1.
  int FindExact(const char* text) const;
  // The text at index, or nullptr outside 0..Count()-1.
  const char* Get(int index) const;

  int Count() const { return count_; }
  int CharsUsed() const { return charsUsed_; }
  int CharCapacity() const { return charCapacity_; }
  int OffsetCapacity() const { return offsetCapacity_; }

 private:
  int charCapacity_ = 0;
  int charsUsed_ = 0;
  int offsetCapacity_ = 0;
  int* offsets_ = nullptr;
  char* chars_ = nullptr;
  int charStep_ = kCharStep;
  int offsetStep_ = kOffsetStep;
  int count_ = 0;
};

}  // namespace wrenhollow
