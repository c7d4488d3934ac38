#pragma once

#include <utility>
#include <vector>

#include "monitor/device_history.h"

namespace wrenhollow {

// A fixed set of recorded devices, for tests and benchmarks. A table set to fail appends the records before
// failAfter and then reports the failure, as a system read that breaks off part way would.
class DeviceHistoryTable : public DeviceHistorySource {
 public:
  DeviceHistoryTable() = default;
  explicit DeviceHistoryTable(std::vector<DeviceHistoryRecord> records) : records_(std::move(records)) {}

  bool ReadHistory(std::vector<DeviceHistoryRecord>& records) override;

  // From now on ReadHistory appends only the first failAfter records and returns false.
  void FailAfter(size_t failAfter) {
    fails_ = true;
    failAfter_ = failAfter;
  }

 private:
  std::vector<DeviceHistoryRecord> records_;
  bool fails_ = false;
  size_t failAfter_ = 0;
};

}  // namespace wrenhollow
