#include "report/report_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace wrenhollow {
namespace {

struct NumberItem : ReportItem {
  int number;
};

int released = 0;

const ReportItemOps kNumberOps = {
    [](const ReportItem& item, int column, char* buffer, size_t size) -> const char* {
      // Column 0: the number as text, so "10" sorts before "9"; column 1: its parity.
      const int number = static_cast<const NumberItem&>(item).number;
      std::snprintf(buffer, size, "%d", column == 0 ? number : number % 2);
      return buffer;
    },
    [](const ReportItem&, int, const ReportItem&) { return kCompareByText; },
    [](const ReportItem&, const ReportItem&) { return 0; },
    [](ReportItem&) { ++released; },
};

class NumberList : public ReportList {
 public:
  explicit NumberList(const char* format) : ReportList(sizeof(NumberItem), 64), format_(format) {}

 protected:
  const char* ProgressFormat() const override { return format_; }

 private:
  const char* format_;
};

NumberItem Number(int n) { return NumberItem{{&kNumberOps, 0, 0, 7, 7}, n}; }

TEST(ReportListTest, StoresCopiesInOrderAcrossGrowth) {
  NumberList list(nullptr);
  for (int i = 0; i < 200; ++i) {
    const NumberItem record = Number(i);
    ReportItem* stored = list.AddItem(record);
    ASSERT_NE(stored, nullptr);
    EXPECT_NE(stored, &record);
    EXPECT_EQ(stored->image, -1);
    EXPECT_EQ(stored->overlay, -1);
  }
  ASSERT_EQ(list.ItemCount(), 200);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(static_cast<NumberItem*>(list.ItemAt(i))->number, i);
  EXPECT_EQ(list.ItemAt(200), nullptr);
  EXPECT_EQ(list.ItemAt(-1), nullptr);
}

TEST(ReportListTest, ClearingKeepsTheArrayAndReleaseRunsOncePerLiveItem) {
  released = 0;
  {
    NumberList list(nullptr);
    for (int i = 0; i < 5; ++i) list.AddItem(Number(i));
    list.ClearItems();
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.ItemAt(0), nullptr);
    list.AddItem(Number(9));
    EXPECT_EQ(static_cast<NumberItem*>(list.ItemAt(0))->number, 9);
  }
  EXPECT_EQ(released, 1);
}

TEST(ReportListTest, ProgressEveryFiftyItems) {
  NumberList list("Loading... %d");
  std::vector<std::string> texts;
  list.SetProgressSink([&](const char* text) { texts.emplace_back(text); });
  for (int i = 0; i < 151; ++i) list.AddItem(Number(i));
  EXPECT_EQ(texts, (std::vector<std::string>{"Loading... 50", "Loading... 100", "Loading... 150"}));

  NumberList silent(nullptr);
  silent.SetProgressSink([&](const char* text) { texts.emplace_back(text); });
  for (int i = 0; i < 50; ++i) silent.AddItem(Number(i));
  EXPECT_EQ(texts.size(), 3u);
}

TEST(ReportListTest, SortItemsByKeysKeepsEqualItemsInOrder) {
  NumberList list(nullptr);
  for (int n : {9, 10, 3, 4, 12}) list.AddItem(Number(n));
  const auto order = [&] {
    std::string numbers;
    for (int i = 0; i < list.ItemCount(); ++i) numbers += std::to_string(static_cast<NumberItem*>(list.ItemAt(i))->number) + " ";
    return numbers;
  };
  SortKeyList keys;
  keys.Add(1 | kSortDescending);  // odd numbers first
  list.SortItems(keys);
  EXPECT_EQ(order(), "9 3 10 4 12 ");
  keys.Add(0);  // then as text
  list.SortItems(keys);
  EXPECT_EQ(order(), "3 9 10 12 4 ");
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
  const NumberItem item = Number(1234);
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
