#include "util/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <climits>
#include <cstring>
#include <string_view>

namespace wrenhollow {
namespace {

TEST(FindSubstringTest, FindsFirstExactMatch) {
  EXPECT_EQ(FindSubstring("USB Mass Storage", "Storage"), 9);
  EXPECT_EQ(FindSubstring("abab", "ab"), 0);
  EXPECT_EQ(FindSubstring("xabab", "bab"), 2);
  EXPECT_EQ(FindSubstring("abc", "abc"), 0);
  EXPECT_EQ(FindSubstring("abc", "ABC"), -1);
  EXPECT_EQ(FindSubstring("abc", "abcd"), -1);
  EXPECT_EQ(FindSubstring("abc", "c"), 2);
}

TEST(FindSubstringTest, EmptyPatternIsFoundAtStart) {
  EXPECT_EQ(FindSubstring("abc", ""), 0);
  EXPECT_EQ(FindSubstring("", ""), 0);
  EXPECT_EQ(FindSubstring("", "a"), -1);
}

TEST(FindNoCaseTest, IgnoresAsciiCaseOnly) {
  EXPECT_EQ(FindNoCase("USB Mass Storage", "mass STORAGE"), 4);
  EXPECT_EQ(FindNoCase("abc", "ABC"), 0);
  EXPECT_EQ(FindNoCase("abc", ""), 0);
  EXPECT_EQ(FindNoCase("ab", "abc"), -1);
  // '[' and '{' differ from each other though they are 0x20 apart like letters.
  EXPECT_EQ(FindNoCase("a{b", "A[B"), -1);
  // Bytes above 0x7F compare exactly.
  EXPECT_EQ(FindNoCase("\xC4", "\xE4"), -1);
  EXPECT_EQ(FindNoCase("x\xC4y", "\xC4Y"), 1);
}

TEST(EqualsNoCaseTest, ComparesWholeTexts) {
  EXPECT_TRUE(EqualsNoCase("/STEXT", "/stext"));
  EXPECT_FALSE(EqualsNoCase("/stext", "/stex"));
  EXPECT_FALSE(EqualsNoCase("/stex", "/stext"));
  EXPECT_TRUE(EqualsNoCase("", ""));
  EXPECT_TRUE(StartsWithNoCase("USB\\Class_08", "usb\\"));
  EXPECT_FALSE(StartsWithNoCase("US", "usb"));
  EXPECT_EQ(FoldCase("Vid_0781&PID_5567"), "vid_0781&pid_5567");
  EXPECT_FALSE(EqualsNoCase("@", "`"));
}

TEST(CopyBoundedTest, CutsAndAlwaysTerminates) {
  char buffer[6];
  std::memset(buffer, '#', sizeof buffer);
  CopyBounded(buffer, "abcdefgh");
  EXPECT_STREQ(buffer, "abcde");
  CopyBounded(buffer, "abcde");
  EXPECT_STREQ(buffer, "abcde");
  CopyBounded(buffer, "ab");
  EXPECT_STREQ(buffer, "ab");
  CopyBounded(buffer, 1, "xyz");
  EXPECT_STREQ(buffer, "");
  buffer[0] = '#';
  CopyBounded(buffer, 0, "xyz");
  EXPECT_EQ(buffer[0], '#');
}

TEST(CopyTrimmedTest, RemovesOuterSpacesOnly) {
  char buffer[16];
  CopyTrimmed(buffer, sizeof buffer, "  a b  ");
  EXPECT_STREQ(buffer, "a b");
  CopyTrimmed(buffer, sizeof buffer, "     ");
  EXPECT_STREQ(buffer, "");
  CopyTrimmed(buffer, sizeof buffer, "\tx ");
  EXPECT_STREQ(buffer, "\tx");
  CopyTrimmed(buffer, 4, "  abcdef  ");
  EXPECT_STREQ(buffer, "abc");
}

TEST(CopyTrimmedTest, MayTrimInPlace) {
  char buffer[16] = "   mid  ";
  CopyTrimmed(buffer, sizeof buffer, buffer);
  EXPECT_STREQ(buffer, "mid");
}

TEST(ReplaceCharTest, ReplacesEveryOccurrence) {
  char text[] = "a:b::c";
  ReplaceChar(text, ':');
  EXPECT_STREQ(text, "a_b__c");
  ReplaceChar(text, 'z');
  EXPECT_STREQ(text, "a_b__c");
}

TEST(TruncateTest, TowardZeroAndClamped) {
  EXPECT_EQ(Truncate(2.99), 2);
  EXPECT_EQ(Truncate(-2.99), -2);
  EXPECT_EQ(Truncate(0.0), 0);
  EXPECT_EQ(Truncate(1e20), INT_MAX);
  EXPECT_EQ(Truncate(-1e20), INT_MIN);
  EXPECT_EQ(Truncate(std::nan("")), 0);
}

TEST(ClearAfterHeaderTest, KeepsFirstFourBytes) {
  unsigned char record[10];
  std::memset(record, 0xAB, sizeof record);
  ClearAfterHeader(record, sizeof record);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(record[i], 0xAB) << i;
  for (int i = 4; i < 10; ++i) EXPECT_EQ(record[i], 0) << i;
  std::memset(record, 0xAB, sizeof record);
  ClearAfterHeader(record, 3);
  EXPECT_EQ(record[2], 0xAB);
  EXPECT_EQ(record[4], 0xAB);
}

}  // namespace
}  // namespace wrenhollow
