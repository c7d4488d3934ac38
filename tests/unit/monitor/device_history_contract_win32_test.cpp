#include "device_simulator/device_simulator.h"
#include "monitor/device_history_contract_test.h"
#include "monitor/device_history_win32.h"

namespace wrenhollow::test {
namespace {

class SetupApiHost {
 public:
  DeviceHistorySource& Source() { return history_; }
  bool Plant(const std::vector<DeviceHistoryRecord>& records, std::string* error) {
    std::string text = "REGEDIT4\r\n\r\n";
    for (const DeviceHistoryRecord& record : records) {
      text += e2e::HistoryText(e2e::UsbDevice{record.deviceKey, record.instanceKey, "Planted"}, record.firstInstall,
                               record.lastArrival, record.lastRemoval);
    }
    return e2e::ApplyRegText(text, error);
  }

 private:
  SetupApiDeviceHistory history_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(SetupApi, DeviceHistoryContractTest, SetupApiHost);

}  // namespace
}  // namespace wrenhollow::test
