#include "util/argument_list.h"

#include <gtest/gtest.h>

#include <string>

namespace wrenhollow {
namespace {
// Parses the line and gives each argument in brackets.
std::string Split(ArgumentList& list, const char* line) {
  const int count = list.Parse(line);
  EXPECT_EQ(count, list.Count()) << line;
  std::string arguments;
  for (int i = 0; i < count; ++i) arguments += "[" + std::string(list.Get(i)) + "]";
  return arguments;
}

TEST(ArgumentListTest, SplitsByTheQuotingRulesAfreshEachTime) {
  const char* const cases[][2] = {
      {"a b c", "[a][b][c]"}, {"", ""}, {"    ", ""}, {"a", "[a]"}, {"  a   b  ", "[a][b]"}, {"a\tb c", "[a\tb][c]"},
      {"/stext \"a b\"", "[/stext][a b]"}, {"/stext \"C:\\My Logs\\out.txt\"", "[/stext][C:\\My Logs\\out.txt]"},
      {"ab\"c d\"e f", "[abc de][f]"}, {"\"a b", "[a b]"},  // an unclosed quote runs to the end of the line
      // A quoted empty argument counts in the middle of the line but not at its end.
      {"a \"\" b", "[a][][b]"}, {"\"\" b", "[][b]"}, {"a \"\"", "[a]"}, {"a \"\"   ", "[a][]"},
      {"a \"\"\"\" b", "[a][][b]"},
      // Spaces that would start an argument are dropped even inside quotes; later ones are kept.
      {"\"  a  \" b", "[a  ][b]"}, {"\"   \" b", "[][b]"},
  };
  ArgumentList list;
  for (const auto& c : cases) EXPECT_EQ(Split(list, c[0]), c[1]) << "line: [" << c[0] << "]";
}

TEST(ArgumentListTest, FindAndIsIgnoreCase) {
  ArgumentList list;
  Split(list, "/STEXT out.txt /sort 2 /Sort 3");
  const struct { const char* name; int at; } finds[] = {{"/stext", 0}, {"/sort", 2}, {"/nosort", -1}, {"/sor", -1}};
  for (const auto& f : finds) EXPECT_EQ(list.Find(f.name), f.at) << f.name;
  EXPECT_TRUE(list.Is(1, "OUT.TXT"));
  EXPECT_FALSE(list.Is(1, "out.tx"));
  EXPECT_FALSE(list.Is(-1, "/STEXT"));
  // Parsing starts afresh, and an index out of range compares with "".
  EXPECT_EQ(Split(list, "d"), "[d]");
  EXPECT_EQ(list.Get(1), nullptr);
  EXPECT_EQ(list.Find("out.txt"), -1);
  EXPECT_TRUE(list.Is(1, ""));
  EXPECT_FALSE(list.Is(1, "x"));
  EXPECT_TRUE(list.Is(-5, ""));
}
}  // namespace
}  // namespace wrenhollow
