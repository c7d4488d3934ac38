#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace wrenhollow {

// A queue between threads that never makes the pushing thread wait: when it is full the oldest item gives way,
// and the next Pop tells how many did.
template <typename T>
class BoundedQueue {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  struct Taken {
    T item;
    uint64_t droppedBefore;  // items dropped since the previous Pop
  };

  explicit BoundedQueue(size_t capacity) : capacity_(capacity) {}

  // Adds the item at the back, dropping the oldest first when the queue holds its capacity.
  void Push(T item) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (items_.size() >= capacity_) {
        items_.pop_front();
        ++dropped_;
      }
      items_.push_back(std::move(item));
    }
    changed_.notify_all();
  }

  // The oldest item, waiting for one until the queue is closed or the deadline passes; nothing when none came.
  // Items pushed before Close are still taken after it.
  std::optional<Taken> Pop(Deadline deadline) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_until(lock, deadline, [this] { return !items_.empty() || closed_; });
    if (items_.empty()) return std::nullopt;
    Taken taken{std::move(items_.front()), dropped_};
    items_.pop_front();
    dropped_ = 0;
    return taken;
  }

  // Wakes every waiting Pop and WaitForClose.
  void Close() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closed_ = true;
    }
    changed_.notify_all();
  }

  // Waits until the queue is closed or the deadline passes; whether it is closed.
  bool WaitForClose(Deadline deadline) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_until(lock, deadline, [this] { return closed_; });
  }

 private:
  const size_t capacity_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<T> items_;
  uint64_t dropped_ = 0;
  bool closed_ = false;
};

}  // namespace wrenhollow
