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

bool ReportList::InsertItems(int index, const std::vector<const ReportItem*>& records) {
  const int added = static_cast<int>(records.size());
  ReserveGrowBytes(&items_, &capacity_, count_ + added - 1, itemSize_, std::max(growthStep_, added));
  if (capacity_ < count_ + added) return false;
  index = std::clamp(index, 0, count_);
  auto* bytes = static_cast<unsigned char*>(items_);
  std::memmove(bytes + itemSize_ * (index + added), bytes + itemSize_ * index, itemSize_ * (count_ - index));
  for (int i = 0; i < added; ++i) {
    auto* stored = reinterpret_cast<ReportItem*>(bytes + itemSize_ * (index + i));
    std::memcpy(static_cast<void*>(stored), records[static_cast<size_t>(i)], itemSize_);
    stored->image = -1;
    stored->overlay = -1;
  }
  count_ += added;
  return true;
}

void ReportList::RemoveItems(const std::function<bool(const ReportItem&)>& picked) {
  int kept = 0;
  for (int i = 0; i < count_; ++i) {
    ReportItem* item = ItemAt(i);
    if (picked(*item)) {
      item->ops->release(*item);
      continue;
    }
    if (kept != i) std::memcpy(static_cast<void*>(ItemAt(kept)), item, itemSize_);
    ++kept;
  }
  count_ = kept;
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

bool ReportList::RowMatches(const ReportItem& item, const FindQuery& query) const {
  auto buffer = std::make_unique<char[]>(kReportTextSize);
  for (const ReportColumn& column : columns_) {
    if (!IsColumnSearchable(column.def.id)) continue;
    const char* text = item.Text(column.def.id, buffer.get(), kReportTextSize);
    bool matches;
    if (query.wholeWord) {
      matches = query.matchCase ? std::strcmp(text, query.text) == 0 : EqualsNoCase(text, query.text);
    } else {
      matches = (query.matchCase ? FindSubstring(text, query.text) : FindNoCase(text, query.text)) >= 0;
    }
    if (matches) return true;
  }
  return false;
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
