#include "lang/string_table_contract_test.h"
#include "lang/string_table_win32.h"

namespace wrenhollow::test {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, StringTableContractTest, Win32StringTable);
}  // namespace wrenhollow::test
