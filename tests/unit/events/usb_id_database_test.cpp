#include "events/usb_id_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/fixture_path.h"
#include "support/temp_folder.h"
#ifndef _WIN32
#include "portable/usb_ids_builtin.h"
#endif

namespace wrenhollow {
namespace {

namespace fs = std::filesystem;

// vendor id, product id, kind, name
using Entry = std::tuple<int, int, int, std::string>;

std::vector<Entry> EntriesOf(const UsbIdDatabase& database) {
  std::vector<Entry> entries;
  for (int i = 0; i < database.EntryCount(); ++i) {
    const DeviceEntry& e = database.Entries()[i];
    entries.emplace_back(e.vendorId, e.productId, e.kind, database.Names().Get(static_cast<int>(e.nameIndex)));
  }
  return entries;
}

std::string Text(const char* name) { return name != nullptr ? name : "(none)"; }

const std::string kLong(5000, 'x');

TEST(ParseUsbIdsTest, AcceptsVendorAndProductLinesExactly) {
  const struct { const char* label; std::string text; std::vector<Entry> entries; } cases[] = {
      {"vendor and product", "abcd  Vendor\n\t0001  Product\n", {{0xABCD, 0, 1, "Vendor"}, {0xABCD, 1, 2, "Product"}}},
      {"skipped lines",
       "# comment\n\n0001  A\n\t\t0002  Interface\nC 00  (Defined at Interface level)\nBIAS 0  Not Applicable\n"
       " 0003  Indented\n12g4  Bad digit\n123\n\t\n\t12  Short\n\t0004  P\n",
       {{1, 0, 1, "A"}, {1, 4, 2, "P"}}},
      {"names", "1234\n5678   \nABCDx\n0001\tTab kept\n0002  Trailing  \n0003  Multi  space\n",
       {{0x1234, 0, 1, ""}, {0x5678, 0, 1, ""}, {0xABCD, 0, 1, "x"}, {1, 0, 1, "\tTab kept"},
        {2, 0, 1, "Trailing  "}, {3, 0, 1, "Multi  space"}}},
      {"product before any vendor", "\t0001  Orphan\n0002  V\n", {{0, 1, 2, "Orphan"}, {2, 0, 1, "V"}}},
      {"line breaks", "0001  A\r0002  B\n0003  C\r\n\t0004  D\r\r\n\n0005  E",
       {{1, 0, 1, "A"}, {2, 0, 1, "B"}, {3, 0, 1, "C"}, {3, 4, 2, "D"}, {5, 0, 1, "E"}}},
      {"zero byte ends the text", std::string("0001  A\n\t00", 11) + '\0' + "02  B\n0003  C", {{1, 0, 1, "A"}}},
      {"line of 5000 cut to 4094", "0001  " + kLong + "0002  Rest\n\t0003  P",
       {{1, 0, 1, std::string(4094 - 6, 'x')}, {1, 3, 2, "P"}}},
      {"rest of a long line is not a line", std::string(4094, 'x') + "0002  Rest\r\n0003  C",
       {{3, 0, 1, "C"}}},
      {"line of exactly 4094 kept whole", "0001  " + std::string(4088, 'y') + "\n",
       {{1, 0, 1, std::string(4088, 'y')}}},
      {"line of 4095 cut", "0001  " + std::string(4088, 'y') + "z", {{1, 0, 1, std::string(4088, 'y')}}},
  };
  for (const auto& c : cases) {
    UsbIdDatabase database;
    EXPECT_TRUE(database.ParseUsbIds(c.text)) << c.label;
    EXPECT_EQ(EntriesOf(database), c.entries) << c.label;
  }
}

TEST(ParseUsbIdsTest, AppendsToWhatIsThereWithVendorStartingAtZero) {
  UsbIdDatabase database;
  database.ParseUsbIds("0001  A\n");
  database.ParseUsbIds("\t0002  P\n0001  Again\n");
  EXPECT_EQ(EntriesOf(database), (std::vector<Entry>{{1, 0, 1, "A"}, {0, 2, 2, "P"}, {1, 0, 1, "Again"}}));
  EXPECT_STREQ(database.FindVendorName(1), "A");
  database.Clear();
  EXPECT_EQ(database.EntryCount(), 0);
  EXPECT_EQ(database.Names().Count(), 0);
  EXPECT_EQ(database.FindVendorName(1), nullptr);
  EXPECT_EQ(database.FindProductName(0, 2), nullptr);
}

TEST(FindNameTest, FirstEntryOfItsKindWinsOnLow16Bits) {
  UsbIdDatabase database;
  database.ParseUsbIds(
      "\t0007  Vendor zero product\n0001  First\n\t0002  P1\n\t0000  Zero\n0001  Second\n\t0002  P2\n\t0003  P3\n"
      "0004\n");
  const struct { uint32_t vendorId; const char* expected; } vendors[] = {{1, "First"}, {0x10001, "First"}, {0xFFFF0001, "First"}, {4, ""}, {0, "(none)"}, {2, "(none)"}};
  for (const auto& v : vendors) EXPECT_EQ(Text(database.FindVendorName(v.vendorId)), v.expected) << v.vendorId;
  const struct { uint32_t vendorId, productId; const char* expected; } products[] = {
      {1, 2, "P1"}, {0x20001, 0x30002, "P1"}, {1, 0, "Zero"}, {1, 3, "P3"}, {0, 7, "Vendor zero product"},
      {0x10000, 7, "Vendor zero product"}, {4, 0, "(none)"}, {1, 7, "(none)"}, {2, 1, "(none)"},
  };
  for (const auto& p : products) {
    EXPECT_EQ(Text(database.FindProductName(p.vendorId, p.productId)), p.expected) << p.vendorId << "/" << p.productId;
  }
}

class LoadUsbIdsTest : public ::testing::Test {
 protected:
  test::TempFolder folder_;
  UsbIdDatabase database_;
};

const std::string kEmbedded = std::string("0e0e  Embedded\n\t0001  Embedded product\n") + '\0' + "0f0f  After zero\n";

TEST_F(LoadUsbIdsTest, FileBesideTheProgramShadowsTheEmbeddedListWhateverItHolds) {
  folder_.Put("usb.ids", "1234  Test");
  LoadUsbIds(database_, folder_.Path().c_str(), kEmbedded);
  EXPECT_EQ(EntriesOf(database_), (std::vector<Entry>{{0x1234, 0, 1, "Test"}}));
  folder_.Put("usb.ids", "# nothing\n");
  LoadUsbIds(database_, folder_.Path().c_str(), kEmbedded);
  EXPECT_EQ(database_.EntryCount(), 0);
  folder_.Put("usb.ids", std::string("0001  A\n", 8) + '\0' + "0002  B\n");
  LoadUsbIds(database_, (folder_.Path() + static_cast<char>(fs::path::preferred_separator)).c_str(), kEmbedded);
  EXPECT_EQ(EntriesOf(database_), (std::vector<Entry>{{1, 0, 1, "A"}}));
}

TEST_F(LoadUsbIdsTest, FallsBackToTheEmbeddedListAndReplacesWhatWasLoaded) {
  const std::vector<Entry> embedded = {{0x0e0e, 0, 1, "Embedded"}, {0x0e0e, 1, 2, "Embedded product"}};
  database_.ParseUsbIds("0001  Stale\n");
  LoadUsbIds(database_, folder_.Path().c_str(), kEmbedded);
  EXPECT_EQ(EntriesOf(database_), embedded) << "no file";
  folder_.Put("usb.ids", "");
  LoadUsbIds(database_, folder_.Path().c_str(), kEmbedded);
  EXPECT_EQ(EntriesOf(database_), embedded) << "empty file";
  fs::remove(folder_.File("usb.ids"));
  folder_.MakeFolder("usb.ids");
  LoadUsbIds(database_, folder_.Path().c_str(), kEmbedded);
  EXPECT_EQ(EntriesOf(database_), embedded) << "a folder named usb.ids";
  LoadUsbIds(database_, folder_.Path().c_str(), std::string_view());
  EXPECT_EQ(database_.EntryCount(), 0) << "nothing embedded";
}

TEST_F(LoadUsbIdsTest, FolderOfLength252LeavesNoRoomForThePath) {
  // A folder of length 251, where "/usb.ids" still fits 259 characters, and one of 252.
  const fs::path deep = fs::path(folder_.Path()) / std::string(251 - folder_.Path().size() - 1, 'e');
  ASSERT_EQ(deep.string().size(), 251u);
  const fs::path deeper = deep.string() + "f";
  for (const fs::path& folder : {deep, deeper}) {
    ASSERT_TRUE(fs::create_directories(folder)) << folder;
    std::ofstream(folder / "usb.ids", std::ios::binary) << "1234  Test";
  }
  LoadUsbIds(database_, deep.string().c_str(), kEmbedded);
  EXPECT_STREQ(database_.FindVendorName(0x1234), "Test");
  LoadUsbIds(database_, deeper.string().c_str(), kEmbedded);
  EXPECT_STREQ(database_.FindVendorName(0x0e0e), "Embedded");
}

// The list the program carries: counted here by a separate reading of the same rules.
TEST(RealUsbIdsTest, LoadsEveryVendorAndProductOfTheCarriedList) {
  const std::string resources = test::FixturePath("../../resources");
  const std::string text = test::ReadFixture("../../resources/usb.ids");
  ASSERT_GT(text.size(), 100000u);
  ASSERT_EQ(text.find_first_of(std::string("\r\0", 2)), std::string::npos);
  int vendors = 0;
  int products = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const bool tab = !line.empty() && line[0] == '\t';
    const std::string digits = line.substr(tab ? 1 : 0, 4);
    const bool id = digits.size() == 4 && std::all_of(digits.begin(), digits.end(), [](char c) {
      return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    });
    if (id) ++(tab ? products : vendors);
  }

  UsbIdDatabase database;
  LoadUsbIds(database, resources.c_str(), std::string_view());
  const DeviceEntry* entries = database.Entries();
  EXPECT_EQ(std::count_if(entries, entries + database.EntryCount(), [](const DeviceEntry& e) { return e.kind == 1; }),
            vendors);
  EXPECT_EQ(database.EntryCount(), vendors + products);
  EXPECT_GT(vendors, 3000);
  EXPECT_GT(products, 20000);
  EXPECT_STREQ(database.FindVendorName(0x046d), "Logitech, Inc.");
  EXPECT_STREQ(database.FindVendorName(0x0781), "SanDisk Corp.");
  EXPECT_STREQ(database.FindProductName(0x046d, 0xc52b), "Unifying Receiver");
  EXPECT_STREQ(database.FindProductName(0x1d6b, 0x0002), "2.0 root hub");
#ifndef _WIN32
  EXPECT_EQ(BuiltinUsbIds(), text);
  EXPECT_EQ(BuiltinUsbIds().data()[BuiltinUsbIds().size()], '\0');
#endif
}

}  // namespace
}  // namespace wrenhollow
