#pragma once

// The behaviour every StringTable must show, instantiated for the built-in table (core_tests) and for the
// STRINGTABLE that resources/strings.rc links into win32_tests (under Wine). Passing both proves the resource
// compiler and the C++ compiler read the one list alike.

#include <gtest/gtest.h>

#include <cstring>

#include "lang/string_table.h"
#include "portable/string_table_builtin.h"

namespace wrenhollow::test {

template <typename Strings>
class StringTableContractTest : public testing::Test {
 protected:
  StringTable& Table() { return table_; }

  Strings table_;
};

TYPED_TEST_SUITE_P(StringTableContractTest);

TYPED_TEST_P(StringTableContractTest, EveryListedIdGivesItsExactText) {
  size_t count = 0;
  const StringTableEntry* entries = BuiltinStringEntries(&count);
  ASSERT_EQ(count, 67u);
  for (size_t i = 0; i < count; ++i) {
    char buffer[4096];
    EXPECT_EQ(this->Table().LoadText(entries[i].id, buffer, sizeof buffer), std::strlen(entries[i].text))
        << entries[i].id;
    EXPECT_STREQ(buffer, entries[i].text) << entries[i].id;
  }
}

TYPED_TEST_P(StringTableContractTest, MissingIdsGiveTheEmptyText) {
  // Gaps inside a run of listed ids, an unlisted run, the ends of the id range.
  for (const unsigned id : {0u, 3u, 10u, 500u, 509u, 2004u, 2009u, 2256u, 3000u, 3008u, 40001u, 65535u}) {
    char buffer[16] = "unchanged";
    EXPECT_EQ(this->Table().LoadText(id, buffer, sizeof buffer), 0u) << id;
    EXPECT_STREQ(buffer, "") << id;
  }
}

TYPED_TEST_P(StringTableContractTest, SmallBufferCutsTheText) {
  const struct { unsigned id; size_t size, length; const char* text; } cases[] = {
      {8, 8, 7, "USB Log"}, {8, 7, 6, "USB Lo"}, {8, 2, 1, "U"}, {8, 1, 0, ""}, {14, 11, 10, "Loading..."},
      {0x10000 | 8, 15, 7, "USB Log"},  // only the low 16 bits name the text
  };
  for (const auto& c : cases) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(this->Table().LoadText(c.id, buffer, c.size), c.length) << c.size;
    EXPECT_STREQ(buffer, c.text) << c.size;
    EXPECT_EQ(buffer[c.size], '#') << "wrote past size " << c.size;
  }
  char untouched = '#';
  EXPECT_EQ(this->Table().LoadText(8, &untouched, 0), 0u);
  EXPECT_EQ(untouched, '#');
}

REGISTER_TYPED_TEST_SUITE_P(StringTableContractTest, EveryListedIdGivesItsExactText, MissingIdsGiveTheEmptyText,
                            SmallBufferCutsTheText);

}  // namespace wrenhollow::test
