#include "util/profile_files_win32.h"

#include "app/profile_files_contract_test.h"

namespace wrenhollow::test {
namespace {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ProfileFilesContractTest, Win32ProfileFiles);

}  // namespace
}  // namespace wrenhollow::test
