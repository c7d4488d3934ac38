#include "events/usb_id_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/golden.h"
#include "support/temp_folder.h"
#ifndef _WIN32
#include "portable/usb_ids_builtin.h"
#endif

namespace wrenhollow {
namespace {

namespace fs = std::filesystem;

// One line per entry: vendor id, product id, kind and name; the name cut to 40 characters and its length.
std::string EntriesOf(const UsbIdDatabase& database) {
  std::string text;
  for (int i = 0; i < database.EntryCount(); ++i) {
    const DeviceEntry& e = database.Entries()[i];
    const std::string name = database.Names().Get(static_cast<int>(e.nameIndex));
    char line[128];
    std::snprintf(line, sizeof line, "%04X %04X %d [%.40s] %zu\n", e.vendorId, e.productId, e.kind, name.c_str(),
                  name.size());
    text += line;
  }
  return text;
}

std::string Text(const char* name) { return name != nullptr ? std::string("[") + name + "]" : "(none)"; }

// Each text parsed into an empty list; its entries must equal the golden parse.entries.
TEST(ParseUsbIdsTest, AcceptsVendorAndProductLinesExactly) {
  const std::string cases[] = {
      "abcd  Vendor\n\t0001  Product\n",
      "# comment\n\n0001  A\n\t\t0002  Interface\nC 00  (Defined at Interface level)\nBIAS 0  Not Applicable\n"
      " 0003  Indented\n12g4  Bad digit\n123\n\t\n\t12  Short\n\t0004  P\n",
      "1234\n5678   \nABCDx\n0001\tTab kept\n0002  Trailing  \n0003  Multi  space\n",
      "\t0001  Orphan\n0002  V\n",  // a product before any vendor
      "0001  A\r0002  B\n0003  C\r\n\t0004  D\r\r\n\n0005  E",
      std::string("0001  A\n\t00", 11) + '\0' + "02  B\n0003  C",  // a zero byte ends the text
      "0001  " + std::string(5000, 'x') + "0002  Rest\n\t0003  P",  // a line of 5000 is cut to 4094
      std::string(4094, 'x') + "0002  Rest\r\n0003  C",            // and the rest is not a line
      "0001  " + std::string(4088, 'y') + "\n", "0001  " + std::string(4088, 'y') + "z"};
  std::string entries;
  for (const std::string& text : cases) {
    UsbIdDatabase database;
    EXPECT_TRUE(database.ParseUsbIds(text)) << text;
    entries += EntriesOf(database) + "--\n";
  }
  test::ExpectGolden("usb_ids/parse.entries", entries);
}

// Parsing appends, with the vendor starting at zero; the first entry of its kind wins, on the low 16 bits.
TEST(ParseUsbIdsTest, AppendsAndFindsTheFirstEntryOfItsKind) {
  UsbIdDatabase database;
  database.ParseUsbIds("\t0007  Vendor zero product\n0001  First\n\t0002  P1\n\t0000  Zero\n");
  database.ParseUsbIds("0001  Second\n\t0002  P2\n\t0003  P3\n0004\n");
  std::string found = EntriesOf(database) + "--\n";
  for (uint32_t vendorId : {1u, 0x10001u, 0xFFFF0001u, 4u, 0u, 2u}) {
    found += Text(database.FindVendorName(vendorId)) + "\n";
  }
  const std::pair<uint32_t, uint32_t> products[] = {{1, 2}, {0x20001, 0x30002}, {1, 0}, {1, 3}, {0, 7},
                                                    {0x10000, 7}, {4, 0}, {1, 7}, {2, 1}};
  for (const auto& [vendorId, productId] : products) {
    found += Text(database.FindProductName(vendorId, productId)) + "\n";
  }
  test::ExpectGolden("usb_ids/find.entries", found);
  database.Clear();
  EXPECT_EQ(database.EntryCount() + database.Names().Count(), 0);
  EXPECT_EQ(database.FindVendorName(1), nullptr);
  EXPECT_EQ(database.FindProductName(0, 7), nullptr);
}

// A file beside the program shadows the embedded list whatever it holds; a missing or empty file, a folder
// named usb.ids and a folder of 252 characters (no room for the path) fall back to it.
TEST(LoadUsbIdsTest, TheFileBesideTheProgramShadowsTheEmbeddedList) {
  const std::string embedded = std::string("0e0e  Embedded\n\t0001  Embedded product\n") + '\0' + "0f0f  After\n";
  test::TempFolder folder;
  const std::string deep = (fs::path(folder.Path()) / std::string(251 - folder.Path().size() - 1, 'e')).string();
  for (const std::string& where : {deep, deep + "f"}) {
    fs::create_directories(where);
    std::ofstream(where + "/usb.ids", std::ios::binary) << "1234  Deep";
  }
  UsbIdDatabase database;
  database.ParseUsbIds("0001  Stale\n");
  std::string loaded;
  const auto load = [&](const std::string& from, std::string_view list) {
    LoadUsbIds(database, from.c_str(), list);
    loaded += EntriesOf(database) + "--\n";
  };
  load(folder.Path(), embedded);
  for (const char* file : {"", "1234  Test", "# nothing\n"}) {
    folder.Put("usb.ids", file);
    load(folder.Path(), embedded);
  }
  folder.Put("usb.ids", std::string("0001  A\n", 8) + '\0' + "0002  B\n");
  load(folder.Path() + static_cast<char>(fs::path::preferred_separator), embedded);
  fs::remove(folder.File("usb.ids"));
  folder.MakeFolder("usb.ids");
  load(folder.Path(), embedded);
  load(folder.Path(), std::string_view());
  load(deep, embedded);  // 251 characters: "/usb.ids" still fits 259
  load(deep + "f", embedded);
  test::ExpectGolden("usb_ids/load.entries", loaded);
}

// The list the program carries, and on the native build the same bytes built in.
TEST(RealUsbIdsTest, LoadsTheCarriedList) {
  UsbIdDatabase database;
  LoadUsbIds(database, test::FixturePath("../../resources").c_str(), std::string_view());
  const DeviceEntry* entries = database.Entries();
  std::string summary = std::to_string(database.EntryCount()) + " entries, " +
                        std::to_string(std::count_if(entries, entries + database.EntryCount(),
                                                     [](const DeviceEntry& e) { return e.kind == kVendorEntry; })) +
                        " vendors\n";
  for (const auto& [vendorId, productId] : {std::pair{0x046d, 0xc52b}, {0x0781, 0x5567}, {0x1d6b, 2}}) {
    summary += Text(database.FindVendorName(vendorId)) + Text(database.FindProductName(vendorId, productId)) + "\n";
  }
  test::ExpectGolden("usb_ids/carried.entries", summary);
#ifndef _WIN32
  const std::string text = test::ReadFixture("../../resources/usb.ids");
  EXPECT_EQ(BuiltinUsbIds(), text);
  EXPECT_EQ(BuiltinUsbIds().data()[BuiltinUsbIds().size()], '\0');
#endif
}

}  // namespace
}  // namespace wrenhollow
