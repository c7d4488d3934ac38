#include "lang/string_table_contract_test.h"
#include "portable/string_table_builtin.h"

namespace wrenhollow::test {
INSTANTIATE_TYPED_TEST_SUITE_P(Builtin, StringTableContractTest, BuiltinStringTable);
}  // namespace wrenhollow::test
