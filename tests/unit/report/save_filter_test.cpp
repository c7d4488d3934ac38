#include "report/save_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "lang/language_table.h"
#include "portable/profile_files_portable.h"
#include "portable/string_table_builtin.h"

namespace wrenhollow {
namespace {

TEST(SaveFilterTest, OneTypePerFormatInFormatOrderEndingInTwoNuls) {
  PortableProfileFiles profiles;
  BuiltinStringTable strings;
  LanguageTable language(profiles, strings, [](const char*) { return false; });
  InstallLanguageTable(&language);
  char filter[kSaveFilterSize];
  BuildSaveFilter(filter);
  InstallLanguageTable(nullptr);

  std::string parts;
  const char* part = filter;
  for (; *part != '\0'; part += std::char_traits<char>::length(part) + 1) parts += std::string(part) + "|";
  EXPECT_EQ(parts,
            "Text File (*.txt)|*.txt|Tab Delimited Text File (*.txt)|*.txt|Tabular Text File (*.txt)|*.txt|"
            "Comma Delimited Text File (*.csv)|*.csv|HTML File - Horizontal (*.htm;*.html)|*.htm;*.html|"
            "HTML File - Vertical (*.htm;*.html)|*.htm;*.html|XML File (*.xml)|*.xml|");
}

}  // namespace
}  // namespace wrenhollow
