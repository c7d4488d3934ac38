#include "portable/file_sink.h"

#include "report/sink_check.h"

namespace wrenhollow {
namespace {

TEST(FileSinkTest, ReplacesTheFileWithExactlyTheBytesWritten) { test::CheckSink<FileSink>(); }

}  // namespace
}  // namespace wrenhollow
