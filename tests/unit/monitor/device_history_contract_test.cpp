#include "monitor/device_history_contract_test.h"

#include "portable/device_history_table.h"

namespace wrenhollow::test {
namespace {

class TableHost {
 public:
  DeviceHistorySource& Source() { return table_; }
  bool Plant(const std::vector<DeviceHistoryRecord>& records, std::string*) {
    table_ = DeviceHistoryTable(records);
    return true;
  }

 private:
  DeviceHistoryTable table_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Table, DeviceHistoryContractTest, TableHost);

TEST(DeviceHistoryTableTest, AFailingReadKeepsWhatCameBeforeTheBreak) {
  const std::vector<DeviceHistoryRecord> three = {{"A", "1", 1, 0, 0}, {"B", "2", 2, 0, 0}, {"C", "3", 3, 0, 0}};
  struct Case {
    size_t failAfter;
    const char* read;
  };
  for (const Case& c : {Case{0, ""}, Case{2, "A\\1 1 0 0\nB\\2 2 0 0\n"}, Case{9, "A\\1 1 0 0\nB\\2 2 0 0\nC\\3 3 0 0\n"}}) {
    DeviceHistoryTable table(three);
    table.FailAfter(c.failAfter);
    std::vector<DeviceHistoryRecord> records = {{"KEPT", "BEFORE", 0, 0, 0}};
    EXPECT_FALSE(table.ReadHistory(records)) << c.failAfter;
    EXPECT_EQ(Describe(records), std::string("KEPT\\BEFORE 0 0 0\n") + c.read) << c.failAfter;
  }
}

}  // namespace
}  // namespace wrenhollow::test
