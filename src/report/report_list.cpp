#include "report/report_list.h"

#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

#include "lang/language_table.h"
#include "util/grow.h"
#include "util/text.h"

namespace wrenhollow {

ReportList::ReportList(size_t itemSize, int growthStep) : itemSize_(itemSize), growthStep_(growthStep) {}

ReportList::~ReportList() {
  for (int i = 0; i < count_; ++i) {
    ReportItem* item = ItemAt(i);
    item->ops->release(*item);
  }
  std::free(items_);
}

ReportItem* ReportList::AddItem(const ReportItem& record) {
  ReserveGrowBytes(&items_, &capacity_, count_, itemSize_, growthStep_);
  if (capacity_ <= count_) return nullptr;
  auto* stored = reinterpret_cast<ReportItem*>(static_cast<unsigned char*>(items_) + itemSize_ * count_);
  std::memcpy(static_cast<void*>(stored), &record, itemSize_);
  stored->image = -1;
  stored->overlay = -1;
  ++count_;
  OnItemAdded();
  return stored;
}

ReportItem* ReportList::ItemAt(int index) const {
  if (index < 0 || index >= count_) return nullptr;
  return reinterpret_cast<ReportItem*>(static_cast<unsigned char*>(items_) + itemSize_ * index);
}

void ReportList::SortItems(const SortKeyList& keys) {
  std::vector<int> order(static_cast<size_t>(count_));
  std::iota(order.begin(), order.end(), 0);
  auto buffers = std::make_unique<CompareBuffers>();
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return keys.Compare(*ItemAt(a), *ItemAt(b), *buffers) < 0; });
  std::vector<unsigned char> sorted(itemSize_ * static_cast<size_t>(count_));
  for (size_t i = 0; i < order.size(); ++i) std::memcpy(&sorted[i * itemSize_], ItemAt(order[i]), itemSize_);
  if (!sorted.empty()) std::memcpy(items_, sorted.data(), sorted.size());
}

void ReportList::OnItemAdded() {
  const char* format = ProgressFormat();
  if (!progressSink_ || format == nullptr || count_ % kProgressInterval != 0) return;
  char text[256];
  FormatNumber(text, format, count_);
  progressSink_(text);
}

void ReportList::InitColumns(const ColumnDef* table, int count) {
  columns_.clear();
  for (int i = 0; i < count; ++i) {
    columns_.push_back({table[i], GetString(table[i].titleId), GetString(table[i].titleId | kBuiltinText)});
  }
  layout_ = DefaultColumnLayout(count);
}

const char* ReportList::ReportTitle() const { return titleId_ != 0 ? GetString(titleId_) : ""; }

const char* ReportList::ReportTitleUntranslated() const {
  return titleId_ != 0 ? GetString(titleId_ | kBuiltinText) : ReportTitle();
}

}  // namespace wrenhollow
