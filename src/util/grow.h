#pragma once

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace wrenhollow {

// The growth rule of every growable array. When needed < *capacity nothing changes and the result is false.
// Otherwise the capacity grows by `step` until it exceeds `needed`, the old elements move to a new block and
// the result is true. So there is always room for one element more than was asked for.
// When the block cannot be had (allocation failure, or a size beyond int) the block and capacity are left as
// they were and the result is false: a caller that then finds *capacity <= needed must not write.
template <typename T>
bool ReserveGrow(T** block, int* capacity, int needed, int step) {
  static_assert(std::is_trivially_copyable_v<T>, "elements are moved bytewise");
  if (needed < *capacity || step <= 0) return false;
  const int64_t steps = (static_cast<int64_t>(needed) - *capacity) / step + 1;
  const int64_t grown = *capacity + steps * step;
  if (grown > INT_MAX || static_cast<uint64_t>(grown) > SIZE_MAX / sizeof(T)) return false;
  T* fresh = static_cast<T*>(std::malloc(static_cast<size_t>(grown) * sizeof(T)));
  if (fresh == nullptr) return false;
  if (*block != nullptr && *capacity > 0) std::memcpy(fresh, *block, static_cast<size_t>(*capacity) * sizeof(T));
  std::free(*block);
  *block = fresh;
  *capacity = static_cast<int>(grown);
  return true;
}

}  // namespace wrenhollow
