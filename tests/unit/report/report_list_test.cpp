#include "report/report_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/text_item.h"

namespace wrenhollow {
namespace {

// Column 0 holds a number as text, so "10" sorts before "9"; column 1 its parity.
std::vector<std::string> numberTexts;

test::TextItem Number(int n) {
  if (numberTexts.empty()) for (int i = 0; i < 200; ++i) numberTexts.push_back(std::to_string(i));
  return test::Texts(numberTexts[static_cast<size_t>(n)].c_str(), n % 2 ? "1" : "0");
}

class NumberList : public ReportList {
 public:
  explicit NumberList(const char* format) : ReportList(sizeof(test::TextItem), 64), format_(format) {}

 protected:
  const char* ProgressFormat() const override { return format_; }

 private:
  const char* format_;
};

// The numbers of the list's items in order, as text.
std::string Numbers(ReportList& list) {
  std::string numbers;
  for (int i = 0; i < list.ItemCount(); ++i) numbers += std::string(static_cast<test::TextItem*>(list.ItemAt(i))->texts[0]) + " ";
  return numbers;
}

// Copies are kept in order across growth, with no image or overlay; every 50th item reports progress, when the
// list has a format for it; clearing keeps the array and releases each live item once.
TEST(ReportListTest, StoresCopiesInOrderReportsProgressAndReleasesOnce) {
  NumberList silent(nullptr);
  std::vector<std::string> progress;
  std::string expected;
  test::releasedItems = 0;
  {
    NumberList list("Loading... %d");
    for (NumberList* each : {&list, &silent}) each->SetProgressSink([&](const char* text) { progress.emplace_back(text); });
    for (int i = 0; i < 200; ++i) {
      const test::TextItem record = Number(i);
      const ReportItem* stored = list.AddItem(record);
      ASSERT_TRUE(stored != nullptr && stored != &record && stored->image == -1 && stored->overlay == -1) << i;
      silent.AddItem(record);
      expected += std::to_string(i) + " ";
    }
    EXPECT_EQ(Numbers(list), expected);
    EXPECT_EQ(list.ItemAt(200), nullptr);
    EXPECT_EQ(list.ItemAt(-1), nullptr);
    EXPECT_EQ(progress, (std::vector<std::string>{"Loading... 50", "Loading... 100", "Loading... 150", "Loading... 200"}));
    list.ClearItems();
    EXPECT_EQ(list.ItemAt(0), nullptr);
    list.AddItem(Number(9));
    EXPECT_EQ(Numbers(list), "9 ");
  }
  EXPECT_EQ(test::releasedItems, 1);
}

TEST(ReportListTest, SortItemsByKeysKeepsEqualItemsInOrder) {
  NumberList list(nullptr);
  for (int n : {9, 10, 3, 4, 12}) list.AddItem(Number(n));
  SortKeyList keys;
  keys.Add(1 | kSortDescending);  // odd numbers first
  list.SortItems(keys);
  EXPECT_EQ(Numbers(list), "9 3 10 4 12 ");
  keys.Add(0);  // then as text
  list.SortItems(keys);
  EXPECT_EQ(Numbers(list), "3 9 10 12 4 ");
}

// Column 0 holds the number, column 1 its parity; searching column 1 is switched on by the test.
class SearchList : public NumberList {
 public:
  SearchList() : NumberList(nullptr) {
    static const ColumnDef kColumns[] = {{0, 6, 0, 100, 0, "", 1, 20}, {1, 6, 0, 100, 0, "", 1, 20}};
    InitColumns(kColumns, 2);
  }
  bool IsColumnSearchable(int column) const override { return column == 0 || allColumns; }
  bool allColumns = false;
};

TEST(ReportListTest, RowMatchesSearchesOnlySearchableColumnsWithTheQuerysOptions) {
  SearchList list;
  const test::TextItem item = test::Texts("1234", "0");
  const struct { const char* text; bool wholeWord, matchCase, allColumns, expected; } cases[] = {
      {"23", false, false, false, true},    {"23", true, false, false, false},  {"1234", true, true, false, true},
      {"0", false, false, false, false},    {"0", true, false, true, true},     {"", false, false, false, true},
  };
  for (const auto& c : cases) {
    list.allColumns = c.allColumns;
    EXPECT_EQ(list.RowMatches(item, {c.text, c.wholeWord, c.matchCase}), c.expected) << c.text << c.wholeWord;
  }
}

}  // namespace
}  // namespace wrenhollow
