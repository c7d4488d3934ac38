#include "report/file_sink_win32.h"

#include "report/sink_check.h"

namespace wrenhollow {
namespace {

TEST(Win32FileSinkTest, ReplacesTheFileWithExactlyTheBytesWritten) { test::CheckSink<Win32FileSink>(); }

}  // namespace
}  // namespace wrenhollow
