#include "lang/language_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "portable/profile_files_portable.h"
#include "portable/string_table_builtin.h"
#include "support/temp_folder.h"

namespace wrenhollow::test {
namespace {

bool Exists(const char* path) { return std::ifstream(path).good(); }

// A table for the program "app.exe" in a folder of the test's own, over real files.
class LanguageTableTest : public testing::Test {
 protected:
  // Writes ini as the program's language file and loads it.
  LanguageTable& Load(const std::string& ini) {
    folder_.Put("app_lng.ini", ini);
    table_.LoadLanguageFile(program_.c_str());
    return table_;
  }
  std::string FileText() const { return folder_.Get("app_lng.ini").value_or("<missing>"); }
  // The texts of the ids, each followed by "|".
  std::string Texts(std::initializer_list<unsigned> ids) {
    std::string texts;
    for (unsigned id : ids) texts += std::string(table_.GetString(id)) + "|";
    return texts;
  }

  TempFolder folder_;
  std::string program_ = folder_.File("app.exe");
  PortableProfileFiles files_;
  BuiltinStringTable strings_;
  LanguageTable table_{files_, strings_, Exists};
};

TEST_F(LanguageTableTest, LanguageFileIsTheProgramPathWithItsExtensionReplaced) {
  folder_.MakeFolder("my.tools");
  // The longest language file path that fits, 259 characters, and one more.
  const std::string stem(251 - folder_.File("").size(), 'a');
  const struct { std::string program, languageFile; bool inUse; } cases[] = {
      {"app.exe", "other_lng.ini", false}, {"app.exe", "app_lng.ini", true}, {"app.v2.exe", "app.v2_lng.ini", true},
      {"app", "app_lng.ini", true}, {"my.tools/app", "my.tools/app_lng.ini", true},
      {stem + ".exe", stem + "_lng.ini", true}, {stem + "a.exe", stem + "a_lng.ini", false},
  };
  for (const auto& c : cases) {
    folder_.Put(c.languageFile, "[general]\r\nrtl=1\r\n[strings]\r\n1001=Typ\r\n");
    LanguageTable table(files_, strings_, Exists);
    table.LoadLanguageFile(folder_.File(c.program).c_str());
    EXPECT_EQ(table.LanguageFilePath(), c.inUse ? folder_.File(c.languageFile) : "") << c.program;
    EXPECT_EQ(table.IsRtl(), c.inUse) << c.program;
    EXPECT_STREQ(table.GetString(1001), c.inUse ? "Typ" : "Event Type") << c.program;
    std::filesystem::remove(folder_.File(c.languageFile));
  }
}

TEST_F(LanguageTableTest, GeneralSettingsRightToLeftOnlyForOneAndTextsCut) {
  for (const char* rtl : {"2", "0", "-1"}) EXPECT_FALSE(Load(std::string("[general]\r\nRTL=") + rtl).IsRtl()) << rtl;
  Load("[General]\r\ncharset=" + std::string(70, 'c') + "\r\ntranslatorname=" + std::string(62, 'n') +
       "\r\nTranslatorURL=" + std::string(300, 'u'));
  EXPECT_EQ(std::string(table_.Charset()) + "|" + table_.TranslatorName() + "|" + table_.TranslatorUrl(),
            std::string(62, 'c') + "|" + std::string(62, 'n') + "|" + std::string(254, 'u'));
}

TEST_F(LanguageTableTest, TranslationWinsUnlessEmptyAndIsReadOnceAlsoThroughTheInstalledTable) {
  Load("[strings]\r\n1001=Ereignistyp\r\n1002=\r\n2009=Hub\r\n");
  const auto ids = {1001u, 1001u | kBuiltinText, 1002u, 2009u, 2009u | kBuiltinText, 3u};
  EXPECT_EQ(Texts(ids), "Ereignistyp|Event Type|Event Time|Hub|||");
  folder_.Put("app_lng.ini", "[strings]\r\n1001=Art\r\n1002=Zeit\r\n3=Drei\r\n");
  EXPECT_EQ(Texts(ids), "Ereignistyp|Event Type|Event Time|Hub||Drei|");  // an empty result was not cached
  EXPECT_STREQ(GetString(1001), "");
  InstallLanguageTable(&table_);
  EXPECT_EQ(std::string(GetString(1001)) + "|" + GetString(1001 | kBuiltinText), "Ereignistyp|Event Type");
  InstallLanguageTable(nullptr);
  EXPECT_EQ(InstalledLanguageTable(), nullptr);
}

TEST_F(LanguageTableTest, FullCacheGivesEmptyTextsForNewIds) {
  std::string ini = "[strings]\r\n";
  for (unsigned id = 10000; id <= 10256; ++id) ini += std::to_string(id) + "=t" + std::to_string(id) + "\r\n";
  Load(ini);
  const char* first = table_.GetString(10000);
  for (unsigned id = 10001; id < 10256; ++id) ASSERT_EQ(table_.GetString(id), "t" + std::to_string(id));
  EXPECT_EQ(Texts({10256, 8}), "||");
  EXPECT_EQ(table_.GetString(10000), first);
}

TEST_F(LanguageTableTest, BlockKeepsTwoBytesFreeAndTextsStopAtTheWorkBuffer) {
  // Each text takes its length + 1 bytes; a text fits while used + length + 2 < 32768.
  std::string ini = "[strings]\r\n20001=" + std::string(5000, 'a') + "\r\n";
  for (unsigned id = 20002; id <= 20007; ++id) ini += std::to_string(id) + "=" + std::string(4095, 'b') + "\r\n";
  Load(ini + "20008=" + std::string(4094, 'c') + "\r\n20009=" + std::string(4093, 'd') + "\r\n20010=e\r\n");
  EXPECT_EQ(table_.GetString(20001), std::string(4095, 'a'));
  for (unsigned id = 20002; id <= 20007; ++id) ASSERT_EQ(std::strlen(table_.GetString(id)), 4095u) << id;
  EXPECT_EQ(Texts({20008, 20009, 20010}), "|" + std::string(4093, 'd') + "||");
}

TEST_F(LanguageTableTest, TemplateFileIsUsedWhetherOrNotItExistsAndKeepsNonEmptyValues) {
  const std::string tooLong = std::string(252, 'a') + ".exe";
  EXPECT_FALSE(table_.OpenTemplateFile(tooLong.c_str()));
  ASSERT_TRUE(table_.OpenTemplateFile(program_.c_str()));
  EXPECT_FALSE(table_.OpenTemplateFile(tooLong.c_str()));
  EXPECT_EQ(table_.LanguageFilePath(), folder_.File("app_lng.ini"));
  table_.WriteTemplateGeneral("0.1.0");
  EXPECT_EQ(FileText(), "[general]\r\nTranslatorName=\r\nTranslatorURL=\r\nVersion=0.1.0\r\nRTL=0\r\n");
  folder_.Put("app_lng.ini",
              "[general]\r\ntranslatorname=Hans\r\nrtl=1\r\n[menu_102]\r\n40001=&Speichern\r\n40002=\r\n");
  table_.WriteTemplateGeneral("0.2.0");
  table_.WriteIfAbsent("MENU_102", "40001", "&Save Selected Items");
  table_.WriteIfAbsent("menu_102", "40002", "E&xit");
  table_.WriteIfAbsent("menu_102", "40003", "&About");
  const std::string written = "[general]\r\ntranslatorname=Hans\r\nrtl=1\r\nTranslatorURL=\r\nVersion=0.2.0\r\n"
                              "[menu_102]\r\n40001=&Speichern\r\n40002=E&xit\r\n40003=&About\r\n";
  EXPECT_EQ(FileText(), written);
  char buffer[8] = "x";
  EXPECT_EQ(table_.ReadTranslation("menu_102", "40001", buffer, 4), 3u);
  EXPECT_STREQ(buffer, "&Sp");
  EXPECT_EQ(table_.ReadTranslation("menu_102", "40009", buffer, 0), 0u);

  table_.CloseLanguageFile();
  EXPECT_FALSE(table_.HasLanguageFile());
  EXPECT_EQ(table_.ReadTranslation("menu_102", "40001", buffer, sizeof buffer), 0u);
  EXPECT_STREQ(buffer, "");
  table_.WriteIfAbsent("menu_102", "40004", "&Refresh");
  table_.WriteTemplateGeneral("0.3.0");
  table_.WriteTemplateStrings();
  EXPECT_EQ(FileText(), written);
}

TEST_F(LanguageTableTest, TemplateStringsKeepTranslationsAndFillEmptyValues) {
  ASSERT_TRUE(table_.OpenTemplateFile(program_.c_str()));
  folder_.Put("app_lng.ini", "[strings]\r\n8=USB-Protokoll\r\n9=\r\n");
  table_.WriteTemplateStrings();
  const std::string text = FileText();
  size_t count = 0;
  BuiltinStringEntries(&count);
  const std::string start = "[strings]\r\n8=USB-Protokoll\r\n9=Do you want to clear the log ?\r\n4=%d item(s)\r\n";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), count + 1);
}

TEST_F(LanguageTableTest, SkipListHoldsAtMostEightDialogs) {
  EXPECT_FALSE(table_.IsSkippedInTemplate(0));
  ASSERT_TRUE(table_.SetTemplateSkipList({107}));
  EXPECT_FALSE(table_.SetTemplateSkipList({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(std::to_string(table_.IsSkippedInTemplate(107)) + std::to_string(table_.IsSkippedInTemplate(105)), "10");
  ASSERT_TRUE(table_.SetTemplateSkipList({1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(std::to_string(table_.IsSkippedInTemplate(8)) + std::to_string(table_.IsSkippedInTemplate(107)), "10");
  char section[kSectionSize];
  FormatSectionName(section, "dialog", 65535);
  EXPECT_STREQ(section, "dialog_65535");
}

}  // namespace
}  // namespace wrenhollow::test
