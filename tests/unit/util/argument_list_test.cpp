#include "util/argument_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wrenhollow {
namespace {

struct SplitCase {
  const char* line;
  std::vector<std::string> arguments;
};

std::vector<std::string> Split(const char* line) {
  ArgumentList list;
  const int count = list.Parse(line);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.emplace_back(list.Get(i));
  EXPECT_EQ(count, list.Count());
  return arguments;
}

TEST(ArgumentListTest, SplitsByTheQuotingRules) {
  const SplitCase cases[] = {
      {"", {}},
      {"    ", {}},
      {"a", {"a"}},
      {"  a   b  ", {"a", "b"}},
      {"/stext \"C:\\My Logs\\out.txt\"", {"/stext", "C:\\My Logs\\out.txt"}},
      {"/stext \"a b\"", {"/stext", "a b"}},
      // Quotes may open and close anywhere inside an argument.
      {"ab\"c d\"e f", {"abc de", "f"}},
      // An unclosed quote runs to the end of the line.
      {"\"a b", {"a b"}},
      // A quoted empty argument counts in the middle of the line but not at its end.
      {"a \"\" b", {"a", "", "b"}},
      {"\"\" b", {"", "b"}},
      {"a \"\"", {"a"}},
      {"a \"\"   ", {"a", ""}},
      {"a \"\"\"\" b", {"a", "", "b"}},
      // Spaces that would start an argument are dropped even inside quotes; later ones are kept.
      {"\"  a  \" b", {"a  ", "b"}},
      {"\"   \" b", {"", "b"}},
      // Only 0x20 separates; a tab belongs to the argument.
      {"a\tb c", {"a\tb", "c"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(Split(c.line), c.arguments) << "line: [" << c.line << "]";
  }
}

TEST(ArgumentListTest, ParseEmptiesThePreviousList) {
  ArgumentList list;
  EXPECT_EQ(list.Parse("a b c"), 3);
  EXPECT_EQ(list.Parse("d"), 1);
  EXPECT_STREQ(list.Get(0), "d");
  EXPECT_EQ(list.Get(1), nullptr);
  EXPECT_EQ(list.Find("a"), -1);
}

TEST(ArgumentListTest, FindAndIsIgnoreCase) {
  ArgumentList list;
  list.Parse("/STEXT out.txt /sort 2 /Sort 3");
  EXPECT_EQ(list.Find("/stext"), 0);
  EXPECT_EQ(list.Find("/sort"), 2);
  EXPECT_EQ(list.Find("/nosort"), -1);
  EXPECT_EQ(list.Find("/sor"), -1);
  EXPECT_TRUE(list.Is(1, "OUT.TXT"));
  EXPECT_FALSE(list.Is(1, "out.tx"));
  EXPECT_FALSE(list.Is(-1, "/STEXT"));
}

TEST(ArgumentListTest, IndexBeyondCountComparesWithEmptyText) {
  ArgumentList list;
  list.Parse("/stext");
  EXPECT_TRUE(list.Is(1, ""));
  EXPECT_FALSE(list.Is(1, "x"));
  EXPECT_TRUE(list.Is(-5, ""));
}

}  // namespace
}  // namespace wrenhollow
