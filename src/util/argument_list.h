#pragma once

#include "util/string_list.h"

namespace wrenhollow {

// The command line after the program name, split into arguments.
class ArgumentList {
 public:
  // Splits the line, emptying the list first, and returns the argument count. Runs of spaces (0x20 only)
  // separate arguments; a double quote toggles quoting and is dropped; spaces that would start an argument are
  // dropped even inside quotes. An argument made only of quotes counts, except at the end of the line.
  int Parse(const char* commandLine);
  // Index of the first argument equal to text without regard to case, or -1.
  int Find(const char* text) const;
  // Whether argument index equals text without regard to case; an index out of range compares with "".
  bool Is(int index, const char* text) const;

  int Count() const { return count_; }
  // The argument at index, or nullptr out of range.
  const char* Get(int index) const { return arguments_.Get(index); }

 private:
  StringList arguments_;
  int count_ = 0;
};

}  // namespace wrenhollow
