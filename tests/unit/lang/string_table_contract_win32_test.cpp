#include "lang/string_table_contract_test.h"
#include "lang/string_table_win32.h"

namespace wrenhollow::test {
namespace {

class Win32Host {
 public:
  StringTable& Table() { return table_; }

 private:
  Win32StringTable table_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, StringTableContractTest, Win32Host);

}  // namespace
}  // namespace wrenhollow::test
