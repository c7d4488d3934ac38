#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "util/argument_list.h"

// A command line of any bytes; every argument it yields must be found again by its own text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  wrenhollow::ArgumentList arguments;
  const int count = arguments.Parse(line.c_str());
  for (int i = 0; i < count; ++i) {
    const char* argument = arguments.Get(i);
    if (argument == nullptr || std::strlen(argument) > line.size()) __builtin_trap();
    if (!arguments.Is(i, argument) || arguments.Find(argument) > i) __builtin_trap();
  }
  if (arguments.Is(count, "x")) __builtin_trap();
  return 0;
}
