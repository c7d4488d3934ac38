#pragma once

#include <cstddef>
#include <functional>

#include "report/report_item.h"

namespace wrenhollow {

// The items behind the program's report list: records of one kind, of ItemSize bytes each, copied bitwise into
// one growable array. Rows, columns and exports build on it.
class ReportList {
 public:
  ReportList(size_t itemSize, int growthStep);
  virtual ~ReportList();
  ReportList(const ReportList&) = delete;
  ReportList& operator=(const ReportList&) = delete;

  // Copies the record to the end of the array, with no image or overlay yet, and returns the stored copy; null,
  // with nothing added, when the array cannot grow.
  ReportItem* AddItem(const ReportItem& record);
  int ItemCount() const { return count_; }
  // Null for an index outside 0 .. count - 1.
  ReportItem* ItemAt(int index) const;
  // Forgets every item but keeps the array for the items to come (clearing the log).
  void ClearItems() { count_ = 0; }

  // Where progress texts go (the status bar's first part); none in the window-less export.
  void SetProgressSink(std::function<void(const char*)> sink) { progressSink_ = std::move(sink); }

 protected:
  // A format with one %d for the item count, shown every kProgressInterval items; none by default.
  virtual const char* ProgressFormat() const { return nullptr; }
  virtual void OnItemAdded();

  static constexpr int kProgressInterval = 50;

 private:
  size_t itemSize_;
  int growthStep_;
  void* items_ = nullptr;
  int count_ = 0;
  int capacity_ = 0;
  std::function<void(const char*)> progressSink_;
};

}  // namespace wrenhollow
