#include "util/text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "portable/code_page_portable.h"

namespace wrenhollow {
namespace {
TEST(FindTest, FirstMatchExactlyAndIgnoringAsciiCase) {
  const struct { const char* text; const char* pattern; int exact, noCase; } cases[] = {
      {"USB Mass Storage", "Storage", 9, 9}, {"USB Mass Storage", "mass STORAGE", -1, 4}, {"abab", "ab", 0, 0},
      {"xabab", "bab", 2, 2}, {"abc", "abc", 0, 0}, {"abc", "ABC", -1, 0}, {"abc", "abcd", -1, -1},
      {"abc", "c", 2, 2}, {"abc", "", 0, 0}, {"", "", 0, 0}, {"", "a", -1, -1},
      {"a{b", "A[B", -1, -1},                                // 0x20 apart like letters, yet not letters
      {"\xC4", "\xE4", -1, -1}, {"x\xC4y", "\xC4Y", -1, 1},  // bytes above 0x7F compare exactly
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("[") + c.text + "] [" + c.pattern + "]");
    EXPECT_EQ(FindSubstring(c.text, c.pattern), c.exact);
    EXPECT_EQ(FindNoCase(c.text, c.pattern), c.noCase);
  }
}

TEST(EqualsNoCaseTest, WholeTextsPrefixesAndFolding) {
  const struct { std::string_view text; const char* other; bool equals, startsWith; } cases[] = {
      {"/STEXT", "/stext", true, true}, {"/stext", "/stex", false, true}, {"/stex", "/stext", false, false},
      {"", "", true, true}, {"@", "`", false, false}, {"USB\\Class_08", "usb\\", false, true},
      {std::string_view("USB", 2), "usb", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EqualsNoCase(c.text, c.other), c.equals) << c.text << " " << c.other;
    EXPECT_EQ(StartsWithNoCase(c.text, c.other), c.startsWith) << c.text << " " << c.other;
  }
  EXPECT_EQ(FoldCase("Vid_0781&PID_5567"), "vid_0781&pid_5567");
}

// Under code page 932 a lead byte and its trail byte are one character: trail bytes are never folded, and a
// pattern never matches from a trail byte.
TEST(DoubleByteCodePageTest, TrailBytesAreNeitherFoldedNorMatchedAlone) {
  SetPortableCodePage(932);
  EXPECT_LT(CompareNoCase("\x83\x41", "\x83\x61"), 0);
  EXPECT_GT(CompareNoCase("\x83\x41", "\xB1"), 0);  // a double-byte character sorts after every single byte
  EXPECT_EQ(CompareNoCase("A\x83\x41", "a\x83\x41"), 0);
  EXPECT_FALSE(EqualsNoCase("\x83\x41", "\x83\x61"));
  EXPECT_FALSE(StartsWithNoCase("\x83\x41x", "\x83\x61"));
  EXPECT_FALSE(StartsWithNoCase("\x83\x41", "\x83"));
  EXPECT_EQ(FindNoCase("\x83\x41", "a"), -1);
  EXPECT_EQ(FindSubstring("\x83\x41", "A"), -1);
  EXPECT_EQ(FindNoCase("\x83\x41" "a", "A"), 2);
  EXPECT_EQ(FindNoCase("x\x83\x41", "\x83\x41"), 1);
  EXPECT_EQ(FoldCase("\x83\x41" "B\x83"), "\x83\x41" "b\x83");  // a lead byte at the end stands alone
  SetPortableCodePage(1252);
  EXPECT_EQ(CompareNoCase("\x83\x41", "\x83\x61"), 0);
}

TEST(CopyBoundedTest, CutsTrimsAndAlwaysTerminatesWithinTheBuffer) {
  using Copy = void (*)(char*, size_t, std::string_view);
  const struct { Copy copy; size_t size; const char* text; const char* copied; } cases[] = {
      {CopyBounded, 6, "abcdefgh", "abcde"}, {CopyBounded, 6, "abcde", "abcde"}, {CopyBounded, 6, "ab", "ab"},
      {CopyBounded, 1, "xyz", ""}, {CopyTrimmed, 16, "  a b  ", "a b"}, {CopyTrimmed, 16, "     ", ""},
      {CopyTrimmed, 16, "\tx\t ", "\tx\t"}, {CopyTrimmed, 4, "  abcdef  ", "abc"},
  };
  for (const auto& c : cases) {
    char buffer[18] = "#################";  // a guard byte follows every size
    c.copy(buffer, c.size, c.text);
    EXPECT_STREQ(buffer, c.copied) << "[" << c.text << "] in " << c.size;
    EXPECT_EQ(buffer[c.size], '#') << "[" << c.text << "] in " << c.size;
  }
  char six[6];
  CopyBounded(six, "abcdefgh");
  EXPECT_STREQ(six, "abcde");
  CopyBounded(six, 0, "xyz");
  EXPECT_STREQ(six, "abcde");
  char inPlace[16] = " middle  ";
  CopyTrimmed(inPlace, sizeof inPlace, inPlace);
  EXPECT_STREQ(inPlace, "middle");
}

TEST(FormatNumberTest, FillsOnlyNumberFieldsOfAnUntrustedFormat) {
  char text[32];
  FormatNumber(text, "%d item(s)", 5);
  EXPECT_STREQ(text, "5 item(s)");
  FormatNumber(text, "%s%n%x 100%% %d/%d", -7);
  EXPECT_STREQ(text, "%s%n%x 100% -7/-7");
  FormatNumber(text, "trailing %", 1);
  EXPECT_STREQ(text, "trailing %");
  char small[6];
  FormatNumber(small, "Loading... %d", 50);
  EXPECT_STREQ(small, "Loadi");
}

}  // namespace
}  // namespace wrenhollow
