#pragma once

#include <cstddef>
#include <type_traits>

namespace wrenhollow {

// The growth rule of every growable array. When needed < *capacity nothing changes and the result is false.
// Otherwise the capacity grows by `step` until it exceeds `needed`, the old elements move to a new block and
// the result is true. So there is always room for one element more than was asked for.
// When the block cannot be had (allocation failure, or a size beyond int) the block and capacity are left as
// they were and the result is false: a caller that then finds *capacity <= needed must not write.
bool ReserveGrowBytes(void** block, int* capacity, int needed, size_t elementSize, int step);

template <typename T>
bool ReserveGrow(T** block, int* capacity, int needed, int step) {
  static_assert(std::is_trivially_copyable_v<T>, "elements are moved bytewise");
  void* raw = *block;
  const bool grown = ReserveGrowBytes(&raw, capacity, needed, sizeof(T), step);
  *block = static_cast<T*>(raw);
  return grown;
}

}  // namespace wrenhollow
