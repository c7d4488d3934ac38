#include "report/sort_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "report/text_item.h"

namespace wrenhollow {
namespace {

using test::Texts;
using test::TextItem;

std::vector<ReportColumn> EventColumns() {
  static const char* titles[] = {"Event Type",    "Event Time", "Device Name", "Description",       "Device Type",
                                 "Drive Letter",  "Serial Number", "Vendor ID", "Product ID", "Vendor Name",
                                 "Product Name", "Firmware Revision", "USB Class", "USB SubClass", "USB Protocol"};
  std::vector<ReportColumn> columns;
  for (int id = 0; id < 15; ++id) columns.push_back({{id, 6, 0, 100, 1001u + id, "", 1, 20}, titles[id], titles[id]});
  return columns;
}

// A click reverses the sorted column and starts others ascending.
TEST(NextSortValueTest, ClickReversesTheSortedColumnAndStartsOthersAscending) {
  const int d = kSortDescending;
  const std::tuple<int, int, bool, int> cases[] = {{3, 3, false, 3 | d}, {3 | d, 3, false, 3}, {3 | d, 5, false, 5},
                                                   {3 | d, kCurrentSortValue, true, 3 | d}, {4, 4 | d, true, 4 | d}};
  for (const auto& [current, clicked, keep, next] : cases) EXPECT_EQ(NextSortValue(current, clicked, keep), next);
}

// Texts compare without case and numbers as text; "_" sorts before letters (the comparison lowers letters);
// bytes above 0x7F compare unsigned and exactly; column 2 is the item's own answer; marked items come first.
TEST(CompareByKeyTest, ComparesTextsWithoutCaseUnlessTheItemAnswers) {
  CompareBuffers buffers;
  const int d = kSortDescending, m = kMarkedItemsColumn;
  const TextItem plug = Texts("Plug", "10"), lower = Texts("plug", "9"), unplug = Texts("Unplug");
  const std::tuple<int, TextItem, TextItem, int> cases[] = {
      {0, plug, lower, 0}, {0, plug, unplug, -1}, {0 | d, plug, unplug, 1}, {1, plug, lower, -1},
      {0, Texts("a_"), Texts("AB"), -1}, {0, Texts("z"), Texts("\xE9"), -1}, {0, Texts("\xE9"), Texts("\xC9"), 1},
      {2, Texts("b", "", "x"), Texts("a", "", "xxx"), -1}, {m, Texts("z", "", "", kItemMarked), Texts("a"), -1},
      {m, Texts("a"), Texts("z", "", "", kItemMarked), 1}, {m, Texts("a"), Texts("a"), 0}};
  for (const auto& [key, a, b, sign] : cases) {
    const int result = CompareByKey(key, a, b, buffers);
    EXPECT_EQ((result > 0) - (result < 0), sign) << key << a.texts[0] << b.texts[0];
  }
}

TEST(SortKeyListTest, LaterKeysOnlySettleTies) {
  CompareBuffers buffers;
  SortKeyList keys;
  ASSERT_TRUE(keys.Add(0));
  ASSERT_TRUE(keys.Add(1 | kSortDescending));
  EXPECT_GT(keys.Compare(Texts("Plug", "1"), Texts("plug", "2"), buffers), 0);
  EXPECT_LT(keys.Compare(Texts("Plug", "2"), Texts("Unplug", "1"), buffers), 0);
  EXPECT_EQ(keys.Compare(Texts("Plug", "1"), Texts("PLUG", "1"), buffers), 0);
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
