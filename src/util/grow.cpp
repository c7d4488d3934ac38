#include "util/grow.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace wrenhollow {

bool ReserveGrowBytes(void** block, int* capacity, int needed, size_t elementSize, int step) {
  if (needed < *capacity || step <= 0 || elementSize == 0) return false;
  const int64_t steps = (static_cast<int64_t>(needed) - *capacity) / step + 1;
  const int64_t grown = *capacity + steps * step;
  if (grown > INT_MAX || static_cast<uint64_t>(grown) > SIZE_MAX / elementSize) return false;
  void* fresh = std::malloc(static_cast<size_t>(grown) * elementSize);
  if (fresh == nullptr) return false;
  if (*block != nullptr && *capacity > 0) std::memcpy(fresh, *block, static_cast<size_t>(*capacity) * elementSize);
  std::free(*block);
  *block = fresh;
  *capacity = static_cast<int>(grown);
  return true;
}

}  // namespace wrenhollow
