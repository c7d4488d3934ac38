#pragma once

#include <cstddef>
#include <cstdint>

namespace wrenhollow {

struct ReportItem;

// Characters of the list's work buffers, which hold item texts and formatted lines.
constexpr size_t kReportTextSize = 8192;

// What an item's compare returns to have the two items' column texts compared instead.
constexpr int kCompareByText = 255;

// The operations of one kind of item, in slot order; every item record starts with a pointer to its kind's table,
// so records stay plain data that the list copies bitwise.
struct ReportItemOps {
  // The column's text: `buffer` (of `size` characters, set to "" first) or a text held elsewhere.
  const char* (*text)(const ReportItem& item, int column, char* buffer, size_t size);
  // Negative, 0, positive, or kCompareByText.
  int (*compare)(const ReportItem& item, int column, const ReportItem& other);
  int (*equals)(const ReportItem& item, const ReportItem& other);
  void (*release)(ReportItem& item);
};

// Item flags.
constexpr uint16_t kItemSlotFree = 0x0001;
constexpr uint16_t kItemTextsFinal = 0x0002;
constexpr uint16_t kItemMarked = 0x0100;

// The header of every item record.
struct ReportItem {
  const ReportItemOps* ops;
  uint16_t flags;
  uint16_t showMark;  // 1 while a rebuild still has to insert the item as a row
  int32_t image;      // -1 until the item is shown
  int32_t overlay;    // -1 for none

  const char* Text(int column, char* buffer, size_t size) const {
    if (size > 0) buffer[0] = '\0';
    return ops->text(*this, column, buffer, size);
  }
};

}  // namespace wrenhollow
