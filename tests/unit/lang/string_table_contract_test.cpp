#include "lang/string_table_contract_test.h"
#include "portable/string_table_builtin.h"

namespace wrenhollow::test {
namespace {

class BuiltinHost {
 public:
  StringTable& Table() { return table_; }

 private:
  BuiltinStringTable table_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Builtin, StringTableContractTest, BuiltinHost);

}  // namespace
}  // namespace wrenhollow::test
