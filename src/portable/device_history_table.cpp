#include "portable/device_history_table.h"

#include <algorithm>
#include <cstddef>

namespace wrenhollow {

bool DeviceHistoryTable::ReadHistory(std::vector<DeviceHistoryRecord>& records) {
  const size_t count = fails_ ? std::min(failAfter_, records_.size()) : records_.size();
  records.insert(records.end(), records_.begin(), records_.begin() + static_cast<std::ptrdiff_t>(count));
  return !fails_;
}

}  // namespace wrenhollow
