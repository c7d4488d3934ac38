#pragma once

#include <windows.h>

#include <vector>

namespace wrenhollow {

// Which object owns a window handle. Slots stay where they are: a removed pair leaves a free slot that the
// next Insert fills before the table grows, by 8 slots at a time.
template <typename Object>
class WindowMap {
 public:
  bool Insert(Object* object, HWND window) {
    for (Entry& entry : entries) {
      if (entry.object == nullptr) {
        entry = Entry{object, window};
        return true;
      }
    }
    const size_t oldCapacity = entries.size();
    entries.resize(oldCapacity + kGrowthStep, Entry{});
    entries[oldCapacity] = Entry{object, window};
    return true;
  }

  // False when the object is not in the table.
  bool Remove(const Object* object) {
    for (Entry& entry : entries) {
      if (entry.object == object) {
        entry = Entry{};
        return true;
      }
    }
    return false;
  }

  // Null when no object owns the handle.
  Object* Find(HWND window) const {
    for (const Entry& entry : entries) {
      if (entry.window == window) return entry.object;
    }
    return nullptr;
  }

  // Slots, used or free.
  size_t Capacity() const { return entries.size(); }

 private:
  static constexpr size_t kGrowthStep = 8;
  struct Entry {
    Object* object;
    HWND window;
  };
  std::vector<Entry> entries;
};

}  // namespace wrenhollow
