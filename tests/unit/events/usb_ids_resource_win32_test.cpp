#include "events/usb_ids_resource_win32.h"

#include <gtest/gtest.h>

#include "events/usb_id_database.h"

namespace wrenhollow {
namespace {

// The test program carries tests/fixtures/usb_ids/resource_sample.ids as its resource "BIN" 112.
TEST(ResourceUsbIdsTest, ViewEndsAtTheFirstZeroByteAndFeedsTheDatabase) {
  EXPECT_EQ(ResourceUsbIds(), "1234  Resource vendor\r\n\t5678  Resource product\r\n");
  UsbIdDatabase database;
  LoadUsbIds(database, "Z:\\no\\such\\folder", ResourceUsbIds());
  EXPECT_STREQ(database.FindVendorName(0x1234), "Resource vendor");
  EXPECT_STREQ(database.FindProductName(0x1234, 0x5678), "Resource product");
  EXPECT_EQ(database.FindVendorName(0xffff), nullptr);
}

}  // namespace
}  // namespace wrenhollow
