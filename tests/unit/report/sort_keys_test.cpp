#include "report/sort_keys.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace wrenhollow {
namespace {

// An item whose columns are fixed texts; it compares column 1 itself and leaves the others to text.
struct TextItem : ReportItem {
  const char* texts[3];
};

const ReportItemOps kTextItemOps = {
    [](const ReportItem& item, int column, char* buffer, size_t size) -> const char* {
      std::snprintf(buffer, size, "%s", static_cast<const TextItem&>(item).texts[column]);
      return buffer;
    },
    [](const ReportItem& item, int column, const ReportItem& other) {
      if (column != 1) return kCompareByText;
      return std::string(static_cast<const TextItem&>(item).texts[1]).size() <
                     std::string(static_cast<const TextItem&>(other).texts[1]).size()
                 ? -1
                 : 0;
    },
    [](const ReportItem&, const ReportItem&) { return 0; },
    [](ReportItem&) {},
};

TextItem Item(const char* a, const char* b, const char* c, uint16_t flags = 0) {
  return TextItem{{&kTextItemOps, flags, 0, -1, -1}, {a, b, c}};
}

std::vector<ReportColumn> EventColumns() {
  static const char* titles[] = {"Event Type",  "Event Time",   "Device Name",       "Description", "Device Type",
                                 "Drive Letter", "Serial Number", "Vendor ID",        "Product ID",  "Vendor Name",
                                 "Product Name", "Firmware Revision", "USB Class", "USB SubClass", "USB Protocol"};
  std::vector<ReportColumn> columns;
  for (int id = 0; id < 15; ++id) columns.push_back({{id, 6, 0, 100, 1001u + id, "", 1, 20}, titles[id], titles[id]});
  return columns;
}

TEST(NextSortValueTest, ClickReversesTheSortedColumnAndStartsOthersAscending) {
  EXPECT_EQ(NextSortValue(3, 3, false), 3 | kSortDescending);
  EXPECT_EQ(NextSortValue(3 | kSortDescending, 3, false), 3);
  EXPECT_EQ(NextSortValue(3 | kSortDescending, 5, false), 5);
  EXPECT_EQ(NextSortValue(3 | kSortDescending, kCurrentSortValue, true), 3 | kSortDescending);
  EXPECT_EQ(NextSortValue(4, 4 | kSortDescending, true), 4 | kSortDescending);
}

TEST(CompareByKeyTest, TextsCompareWithoutCaseAndNumbersAsText) {
  CompareBuffers buffers;
  const TextItem plug = Item("Plug", "", "10"), lower = Item("plug", "", "9"), unplug = Item("Unplug", "", "");
  EXPECT_EQ(CompareByKey(0, plug, lower, buffers), 0);
  EXPECT_LT(CompareByKey(0, plug, unplug, buffers), 0);
  EXPECT_GT(CompareByKey(0 | kSortDescending, plug, unplug, buffers), 0);
  EXPECT_LT(CompareByKey(2, plug, lower, buffers), 0);  // "10" before "9"
  // "_" sorts before letters: the comparison lowers letters, it does not raise them.
  EXPECT_LT(CompareByKey(0, Item("a_", "", ""), Item("AB", "", ""), buffers), 0);
  // Bytes above 0x7F compare unsigned and exactly.
  EXPECT_LT(CompareByKey(0, Item("z", "", ""), Item("\xE9", "", ""), buffers), 0);
  EXPECT_NE(CompareByKey(0, Item("\xC9", "", ""), Item("\xE9", "", ""), buffers), 0);
}

TEST(CompareByKeyTest, ItemsComparisonAndMarkedItemsComeFirst) {
  CompareBuffers buffers;
  const TextItem shortItem = Item("b", "x", ""), longItem = Item("a", "xxx", "");
  EXPECT_LT(CompareByKey(1, shortItem, longItem, buffers), 0);  // the item's own answer, not the texts
  const TextItem marked = Item("z", "", "", kItemMarked), plain = Item("a", "", "");
  EXPECT_LT(CompareByKey(kMarkedItemsColumn, marked, plain, buffers), 0);
  EXPECT_GT(CompareByKey(kMarkedItemsColumn, plain, marked, buffers), 0);
  EXPECT_EQ(CompareByKey(kMarkedItemsColumn, plain, plain, buffers), 0);
}

TEST(SortKeyListTest, LaterKeysOnlySettleTies) {
  CompareBuffers buffers;
  SortKeyList keys;
  ASSERT_TRUE(keys.Add(0));
  ASSERT_TRUE(keys.Add(2 | kSortDescending));
  EXPECT_GT(keys.Compare(Item("Plug", "", "1"), Item("plug", "", "2"), buffers), 0);
  EXPECT_LT(keys.Compare(Item("Plug", "", "2"), Item("Unplug", "", "1"), buffers), 0);
  EXPECT_EQ(keys.Compare(Item("Plug", "", "1"), Item("PLUG", "", "1"), buffers), 0);
  for (int i = 2; i < SortKeyList::kCapacity; ++i) ASSERT_TRUE(keys.Add(i));
  EXPECT_FALSE(keys.Add(99));
  EXPECT_EQ(keys.Count(), SortKeyList::kCapacity);
}

TEST(SortKeyColumnTest, NumbersTitlesAndPartialTitles) {
  const std::vector<ReportColumn> columns = EventColumns();
  const std::vector<int> visible = {4, 0, 7, 2};
  const struct { const char* value; int column; } cases[] = {
      {"2", 7},              // the third visible column in display order, not column 2
      {"0x", 4},             // two characters beginning with a digit: a number
      {"4", 0},              // past the visible columns
      {"100", 0},            // three characters: matched against titles, and nothing matches
      {"vendor id", 7},      // exact, ignoring case
      {"vendor", 9},         // partial: "Vendor ID" and "Vendor Name", the later wins
      {"", 14},              // occurs in every title: the last column
      {"usb class", 12},     // exact
      {"class", 13},         // partial: "USB Class" and "USB SubClass", the later wins
      {"nothing here", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(SortKeyColumn(c.value, visible, columns), c.column) << '"' << c.value << '"';

  std::vector<ReportColumn> translated = columns;
  translated[3].title = "Beschreibung";
  EXPECT_EQ(SortKeyColumn("beschreibung", visible, translated), 3);
  EXPECT_EQ(SortKeyColumn("Description", visible, translated), 3);  // the untranslated title still counts
}

TEST(AddSortKeyTest, AppendsTheColumnWithItsDirection) {
  SortKeyList keys;
  ASSERT_TRUE(AddSortKey(keys, "2", true, {4, 0, 7}, EventColumns()));
  ASSERT_TRUE(AddSortKey(keys, "Serial Number", false, {4, 0, 7}, EventColumns()));
  ASSERT_EQ(keys.Count(), 2);
  EXPECT_EQ(keys[0], 7 | kSortDescending);
  EXPECT_EQ(keys[1], 6);
}

}  // namespace
}  // namespace wrenhollow
