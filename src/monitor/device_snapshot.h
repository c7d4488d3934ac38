#pragma once

#include <cstddef>
#include <vector>

#include "monitor/usb_device_info.h"

namespace wrenhollow {

// The records of one reading, in the order the enumeration appended them; identities may repeat.
class DeviceSnapshot {
 public:
  DeviceSnapshot() { records_.reserve(32); }

  void Add(const UsbDeviceInfo& info) { records_.push_back(info); }
  size_t Count() const { return records_.size(); }
  UsbDeviceInfo& operator[](size_t index) { return records_[index]; }
  const UsbDeviceInfo& operator[](size_t index) const { return records_[index]; }
  auto begin() { return records_.begin(); }
  auto end() { return records_.end(); }
  auto begin() const { return records_.begin(); }
  auto end() const { return records_.end(); }

 private:
  std::vector<UsbDeviceInfo> records_;
};

}  // namespace wrenhollow
