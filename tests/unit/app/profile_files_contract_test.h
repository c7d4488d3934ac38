#pragma once

// The rules every ProfileFiles must follow, as Wine's profile functions show them; instantiated for the portable
// reader (core_tests) and for kernel32 under Wine (win32_tests). Each case writes real files in a folder of its
// own and compares their bytes.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "util/profile_files.h"

namespace wrenhollow::test {

template <typename Files>
class ProfileFilesContractTest : public testing::Test {
 protected:
  // ReadString into a buffer of `size` and a guard byte, which must survive; the count returned must be the
  // text's length.
  std::string Read(const std::string& name, const char* section, const char* key, const char* fallback,
                   size_t size = 64) {
    std::vector<char> buffer(size + 1, '#');
    const size_t count = files_.ReadString(folder_.File(name).c_str(), section, key, fallback, buffer.data(), size);
    EXPECT_EQ(buffer[size], '#') << key;
    EXPECT_EQ(count, std::strlen(buffer.data())) << key;
    return buffer.data();
  }
  int ReadInt(const std::string& name, const char* section, const char* key) {
    return files_.ReadInt(folder_.File(name).c_str(), section, key, 77);
  }
  bool Write(const std::string& name, const char* section, const char* key, const char* value) {
    return files_.WriteString(folder_.File(name).c_str(), section, key, value);
  }

  Files files_;
  TempFolder folder_;
};

TYPED_TEST_SUITE_P(ProfileFilesContractTest);

TYPED_TEST_P(ProfileFilesContractTest, ReadsTrimmedUnquotedValuesOfTheFirstMatchingSection) {
  using namespace std::string_literals;
  this->folder_.Put("a.ini",
                    "top=before any section\r\n[General]\r\nPlain= v1 \t\r\nEmpty=\r\nDouble=\"q\"\r\nSingle='x'\r\n"
                    "Mixed=\"x'\r\nLone=\"\r\nInner=\"a\"b\"\r\nSpaced= \" sp \" \r\nNoEquals\r\n;Comment=1\r\n"
                    "Name With Space = value = more\r\nNul=x\0y\r\nB\0C=2\r\n\r\n[general]\r\nHidden=1\n"
                    "[Other] trailing\nA=3\n[Broken\n\nB=4\r\r[ padded ]\rC=5\r\n[a]b]\r\nD=6"s);
  const struct { const char* section; const char* key; const char* expected; } cases[] = {
      {"General", "Plain", "v1"}, {"gENERAL", "PLAIN", "v1"}, {" General\t", "  Plain ", "v1"},
      {"General", "Empty", ""}, {"General", "Double", "q"}, {"General", "Single", "x"},
      {"General", "Mixed", "\"x'"}, {"General", "Lone", "\""}, {"General", "Inner", "a\"b"},
      {"General", "Spaced", " sp "}, {"General", "NoEquals", "dflt"}, {"General", ";Comment", "1"},
      {"General", "Name With Space", "value = more"}, {"General", "Nul", "x"}, {"General", "B", "2"},
      {"General", "Hidden", "dflt"}, {"Other", "A", "3"}, {"Other", "B", "4"}, {"Other", "[Broken", "dflt"},
      {"padded", "C", "5"}, {"a]b", "D", "6"}, {"", "top", "before any section"}, {"General", "Missing", "dflt"},
      {"Missing", "Plain", "dflt"},
  };
  for (const auto& c : cases) EXPECT_EQ(this->Read("a.ini", c.section, c.key, "dflt"), c.expected) << c.key;
}

TYPED_TEST_P(ProfileFilesContractTest, DefaultLosesTrailingSpacesAndQuotes) {
  this->folder_.Put("a.ini", "[General]\r\nA=1\r\n");
  const struct { const char* fallback; const char* expected; } cases[] = {
      {"x  ", "x"}, {" x ", " x"}, {"   ", " "}, {"a \t ", "a \t"}, {"\"q\"", "q"}, {"'q", "'q"}, {nullptr, ""},
  };
  for (const char* name : {"a.ini", "missing.ini"}) {
    for (const auto& c : cases) EXPECT_EQ(this->Read(name, "General", "Z", c.fallback), c.expected) << name;
  }
}

TYPED_TEST_P(ProfileFilesContractTest, CutsAtSizeLessOneAndDropsAQuotedValuesLastCharacterWhenOneShort) {
  this->folder_.Put("t.ini", "[s]\r\nv=abcdef\r\nq=\"abcd\"\r\n");
  const struct { size_t size; const char* plain; const char* quoted; } cases[] = {
      {1, "", ""}, {2, "a", "a"}, {4, "abc", "abc"}, {5, "abcd", "abc"}, {6, "abcde", "abcd"}, {7, "abcdef", "abcd"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(this->Read("t.ini", "s", "v", "d", c.size), c.plain) << c.size;
    EXPECT_EQ(this->Read("t.ini", "s", "q", "d", c.size), c.quoted) << c.size;
  }
}

TYPED_TEST_P(ProfileFilesContractTest, ReadsIntegersWithBasePrefixesAndWrapping) {
  const struct { const char* text; int expected; } cases[] = {
      {"0x10", 16}, {"0X10", 0}, {"-5", -5}, {"+7", 7}, {"12abc", 12}, {"abc", 0}, {"", 77}, {"\"\"", 77},
      {"0b101", 5}, {"0o17", 15}, {"0x", 0}, {"-0x10", -16}, {"0x1g", 1}, {"1 2", 1}, {"- 5", 0}, {"+-5", 0},
      {"\"12\"", 12}, {"\" 9\"", 9}, {"4294967297", 1}, {"99999999999", 1215752191}, {"2147483648", INT_MIN},
      {"0xFFFFFFFF", -1}, {"-2147483649", INT_MAX},
      // Only 29 characters count, and a quoted text loses one more when its quote falls just outside.
      {"12345678901234567890123456789012345", 1849262357}, {"\"1234567890123456789012345678\"", -1103563954},
      {"\"12345678901234567890123456789\"", -1103563954},
  };
  std::string file = "[i]\r\nbare\r\n";
  for (size_t i = 0; i < std::size(cases); ++i) file += "k" + std::to_string(i) + "=" + cases[i].text + "\r\n";
  this->folder_.Put("i.ini", file);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(this->ReadInt("i.ini", "i", ("k" + std::to_string(i)).c_str()), cases[i].expected) << cases[i].text;
  }
  EXPECT_EQ(this->ReadInt("i.ini", "i", "bare"), 77);
  EXPECT_EQ(this->ReadInt("i.ini", "i", "missing"), 77);
  EXPECT_EQ(this->ReadInt("missing.ini", "i", "k0"), 77);
}

TYPED_TEST_P(ProfileFilesContractTest, WritesRewriteTheWholeFileWithCrLf) {
  const std::optional<std::string> missing;
  const struct {
    std::optional<std::string> before;
    const char* section;
    const char* key;
    const char* value;
    std::optional<std::string> after;
  } cases[] = {
      {missing, "General", "A", "1", "[General]\r\nA=1\r\n"},
      {"", "General", "A", "1", "[General]\r\nA=1\r\n"},
      {"; top\n\nfree line\n[General]\n; c1\n  Key = old \n\nunknown line\n[Next]\nN=1\n", "GENERAL", "KEY", "new",
       "; top\r\nfree line\r\n[General]\r\n; c1\r\nKey=new\r\nunknown line\r\n[Next]\r\nN=1\r\n"},
      {"[General]\r\nA=1\r\n\r\n\r\n[Next]\r\nN=1\r\n", "general", "B", "2",
       "[General]\r\nA=1\r\nB=2\r\n[Next]\r\nN=1\r\n"},
      {"[General] junk\r\nA=1", "Other", "C", "3", "[General]\r\nA=1\r\n[Other]\r\nC=3\r\n"},
      {"[J]\r\n", "J", "A", " \t lead  ", "[J]\r\nA=lead  \r\n"},
      {"[J]\r\nA=1\r\n", "J", "A", "   ", "[J]\r\nA=\r\n"},
      {"[L]\r\nA\r\n", "L", "a", "v", "[L]\r\nA=v\r\n"},
      {"[General]\r\nA=1\r\n", " New ", " B ", "2", "[General]\r\nA=1\r\n[New ]\r\nB =2\r\n"},
      {"[N]\r\nA=1\r\n", "", "C", "v", "C=v\r\n[N]\r\nA=1\r\n"},
      {"\xEF\xBB\xBF[General]\r\nA=1\r\n", "General", "B", "2", "\xEF\xBB\xBF[General]\r\nA=1\r\nB=2\r\n"},
      {"=one\r\n=two\r\n[]\r\n=three\r\nX=1\r\n[a]b]\r\nY=2\r\n\r\rW=4\rV=5\n", "a]b", "N", "n",
       "=one\r\n=three\r\nX=1\r\n[a]b]\r\nY=2\r\nW=4\r\nV=5\r\nN=n\r\n"},
      {"[General]\r\nA=same\r\n\r\n", "General", "A", "same", "[General]\r\nA=same\r\n\r\n"},
      {"[General]\r\nA=1\r\nB=2\r\n", "General", "a", nullptr, "[General]\r\nB=2\r\n"},
      {"[X]\r\nA=1\r\n[Y]\r\n[x]\r\nB=2\r\n", "X", "B", nullptr, "[X]\r\nA=1\r\n[Y]\r\n[x]\r\n"},
      {"[ X ]\r\nA=1\r\n\r\n", " X ", "A", nullptr, "[ X ]\r\nA=1\r\n\r\n"},
      {"[General]\r\nA=1\r\n\r\n", "General", "Z", nullptr, "[General]\r\nA=1\r\n\r\n"},
      {missing, "General", "A", nullptr, missing},
  };
  int index = 0;
  for (const auto& c : cases) {
    const std::string name = std::to_string(index++) + ".ini";
    if (c.before) this->folder_.Put(name, *c.before);
    EXPECT_TRUE(this->Write(name, c.section, c.key, c.value)) << name;
    EXPECT_EQ(this->folder_.Get(name), c.after) << name;
  }
  EXPECT_EQ(this->Read("10.ini", "General", "A", "d"), "1");
}

TYPED_TEST_P(ProfileFilesContractTest, UnopenableFileGivesTheBareDefaultAndRefusesWrites) {
  this->folder_.MakeFolder("sub.ini");
  for (const char* name : {"missing/x.ini", "sub.ini"}) {
    EXPECT_EQ(this->Read(name, "General", "A", "\"q\"  "), "\"q\"") << name;
    EXPECT_EQ(this->ReadInt(name, "General", "A"), 77) << name;
    EXPECT_FALSE(this->Write(name, "General", "A", "1")) << name;
  }
  EXPECT_FALSE(this->folder_.Get("missing/x.ini"));
}

REGISTER_TYPED_TEST_SUITE_P(ProfileFilesContractTest, ReadsTrimmedUnquotedValuesOfTheFirstMatchingSection,
                            DefaultLosesTrailingSpacesAndQuotes,
                            CutsAtSizeLessOneAndDropsAQuotedValuesLastCharacterWhenOneShort,
                            ReadsIntegersWithBasePrefixesAndWrapping, WritesRewriteTheWholeFileWithCrLf,
                            UnopenableFileGivesTheBareDefaultAndRefusesWrites);

}  // namespace wrenhollow::test
