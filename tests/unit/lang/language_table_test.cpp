#include "lang/language_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "util/text.h"
#include "portable/string_table_builtin.h"

namespace wrenhollow::test {
namespace {

// Profile files in memory, with the names folded as GetPrivateProfile*A compares them.
class FakeProfileFiles : public ProfileFiles {
 public:
  void Set(const std::string& path, const std::string& section, const std::string& key, const std::string& value) {
    paths_.insert(path);
    values_[path + "|" + FoldCase(section) + "|" + FoldCase(key)] = value;
  }
  bool HasFile(const char* path) const { return paths_.count(path) != 0; }
  int ReadInt(const char* path, const char* section, const char* key, int defaultValue) override {
    const std::string* value = Find(path, section, key);
    return value != nullptr ? std::atoi(value->c_str()) : defaultValue;
  }
  size_t ReadString(const char* path, const char* section, const char* key, const char* defaultValue, char* buffer,
                    size_t size) override {
    const std::string* value = Find(path, section, key);
    CopyBounded(buffer, size, value != nullptr ? value->c_str() : defaultValue);
    return std::strlen(buffer);
  }
  bool WriteString(const char* path, const char* section, const char* key, const char* value) override {
    writes.push_back(std::string(section) + "|" + key + "=" + value);
    Set(path, section, key, value);
    return true;
  }

  // Every write, as "section|key=value".
  std::vector<std::string> writes;

 private:
  const std::string* Find(const char* path, const char* section, const char* key) const {
    const auto found = values_.find(std::string(path) + "|" + FoldCase(section) + "|" + FoldCase(key));
    return found != values_.end() ? &found->second : nullptr;
  }

  std::set<std::string> paths_;
  std::map<std::string, std::string> values_;
};

const FakeProfileFiles* existingFiles = nullptr;
bool FakeFileExists(const char* path) { return existingFiles->HasFile(path); }

constexpr char kProgram[] = "C:\\tools\\app.exe";
constexpr char kLanguageFile[] = "C:\\tools\\app_lng.ini";

class LanguageTableTest : public testing::Test {
 protected:
  LanguageTableTest() { existingFiles = &files_; }
  ~LanguageTableTest() override { existingFiles = nullptr; }

  void Set(const char* section, const std::string& key, const std::string& value) {
    files_.Set(kLanguageFile, section, key, value);
  }
  void SetString(unsigned id, const std::string& text) { Set("strings", std::to_string(id), text); }
  LanguageTable& Load() {
    table_.LoadLanguageFile(kProgram);
    return table_;
  }

  FakeProfileFiles files_;
  BuiltinStringTable strings_;
  LanguageTable table_{files_, strings_, FakeFileExists};
};

TEST_F(LanguageTableTest, LanguageFileIsTheProgramPathWithItsExtensionReplaced) {
  const std::string stem251(251, 'a');
  const std::string stem252(252, 'a');
  const struct { std::string program; std::string languageFile; bool inUse; } cases[] = {
      {kProgram, kLanguageFile, true},
      {"C:\\tools\\app.v2.exe", "C:\\tools\\app.v2_lng.ini", true},
      {"C:\\tools\\app", "C:\\tools\\app_lng.ini", true},
      {"/opt/my.tools/app", "/opt/my.tools/app_lng.ini", true},
      {stem251 + ".exe", stem251 + "_lng.ini", true},
      {stem252 + ".exe", stem252 + "_lng.ini", false},  // 260 characters leave no room for the terminator
      {kProgram, "C:\\tools\\other_lng.ini", false},
  };
  for (const auto& c : cases) {
    FakeProfileFiles files;
    files.Set(c.languageFile, "general", "rtl", "1");
    files.Set(c.languageFile, "strings", "1001", "Typ");
    existingFiles = &files;
    LanguageTable table(files, strings_, FakeFileExists);
    table.LoadLanguageFile(c.program.c_str());
    EXPECT_EQ(table.LanguageFilePath(), c.inUse ? c.languageFile : "") << c.program;
    EXPECT_EQ(table.IsRtl(), c.inUse) << c.program;
    EXPECT_STREQ(table.GetString(1001), c.inUse ? "Typ" : "Event Type") << c.program;
  }
}

TEST_F(LanguageTableTest, GeneralSettingsRightToLeftOnlyForOneAndTextsCut) {
  for (const char* rtl : {"2", "0", "-1"}) {
    Set("general", "RTL", rtl);
    EXPECT_FALSE(Load().IsRtl()) << rtl;
  }
  Set("general", "charset", std::string(70, 'c'));
  Set("general", "translatorname", std::string(62, 'n'));
  Set("general", "TranslatorURL", std::string(300, 'u'));
  Load();
  EXPECT_EQ(table_.Charset(), std::string(62, 'c'));
  EXPECT_EQ(table_.TranslatorName(), std::string(62, 'n'));
  EXPECT_EQ(table_.TranslatorUrl(), std::string(254, 'u'));
}

TEST_F(LanguageTableTest, TranslationWinsUnlessEmptyAndIsReadOnce) {
  SetString(1001, "Ereignistyp");
  SetString(1002, "");
  SetString(2009, "Hub");
  Load();
  EXPECT_STREQ(table_.GetString(1001), "Ereignistyp");
  EXPECT_STREQ(table_.GetString(1001 | kBuiltinText), "Event Type");
  EXPECT_STREQ(table_.GetString(1002), "Event Time");
  EXPECT_STREQ(table_.GetString(2009), "Hub");
  EXPECT_STREQ(table_.GetString(2009 | kBuiltinText), "");
  EXPECT_STREQ(table_.GetString(3), "");

  SetString(1001, "Art");
  SetString(1002, "Zeit");
  SetString(3, "Drei");
  EXPECT_STREQ(table_.GetString(1001), "Ereignistyp");
  EXPECT_STREQ(table_.GetString(1002), "Event Time");
  EXPECT_STREQ(table_.GetString(3), "Drei");  // an empty result was not cached
}

TEST_F(LanguageTableTest, FullCacheGivesEmptyTextsForNewIds) {
  for (unsigned id = 10000; id <= 10256; ++id) SetString(id, "t" + std::to_string(id));
  Load();
  const char* first = table_.GetString(10000);
  for (unsigned id = 10001; id < 10256; ++id) ASSERT_EQ(table_.GetString(id), "t" + std::to_string(id));
  EXPECT_STREQ(table_.GetString(10256), "");
  EXPECT_STREQ(table_.GetString(8), "");
  EXPECT_EQ(table_.GetString(10000), first);
}

TEST_F(LanguageTableTest, BlockKeepsTwoBytesFreeAndTextsStopAtTheWorkBuffer) {
  // Each text takes its length + 1 bytes; a text fits while used + length + 2 < 32768.
  SetString(20001, std::string(5000, 'a'));
  for (unsigned id = 20002; id <= 20007; ++id) SetString(id, std::string(4095, 'b'));
  SetString(20008, std::string(4094, 'c'));
  SetString(20009, std::string(4093, 'd'));
  SetString(20010, "e");
  Load();
  EXPECT_EQ(table_.GetString(20001), std::string(4095, 'a'));
  for (unsigned id = 20002; id <= 20007; ++id) ASSERT_EQ(std::strlen(table_.GetString(id)), 4095u) << id;
  EXPECT_STREQ(table_.GetString(20008), "");
  EXPECT_EQ(table_.GetString(20009), std::string(4093, 'd'));
  EXPECT_STREQ(table_.GetString(20010), "");
}

TEST_F(LanguageTableTest, ProgramWideGetStringForwardsToTheInstalledTable) {
  SetString(8, "USB-Protokoll");
  Load();
  EXPECT_STREQ(GetString(8), "");
  InstallLanguageTable(&table_);
  EXPECT_STREQ(GetString(8), "USB-Protokoll");
  EXPECT_STREQ(GetString(8 | kBuiltinText), "USB Log");
  InstallLanguageTable(nullptr);
  EXPECT_EQ(InstalledLanguageTable(), nullptr);
}

TEST_F(LanguageTableTest, TemplateFileIsUsedWhetherOrNotItExistsAndKeepsNonEmptyValues) {
  const std::string tooLong = std::string(252, 'a') + ".exe";
  EXPECT_FALSE(table_.OpenTemplateFile(tooLong.c_str()));
  ASSERT_TRUE(table_.OpenTemplateFile(kProgram));
  EXPECT_STREQ(table_.LanguageFilePath(), kLanguageFile);
  EXPECT_FALSE(table_.OpenTemplateFile(tooLong.c_str()));
  EXPECT_STREQ(table_.LanguageFilePath(), kLanguageFile);
  Set("menu_102", "40001", "&Speichern");
  Set("menu_102", "40002", "");
  table_.WriteIfAbsent("MENU_102", "40001", "&Save Selected Items");
  table_.WriteIfAbsent("menu_102", "40002", "E&xit");
  table_.WriteIfAbsent("menu_102", "40003", "&About");
  EXPECT_EQ(files_.writes, (std::vector<std::string>{"menu_102|40002=E&xit", "menu_102|40003=&About"}));
  char buffer[8] = "x";
  EXPECT_EQ(table_.ReadTranslation("menu_102", "40001", buffer, 4), 3u);
  EXPECT_STREQ(buffer, "&Sp");
  EXPECT_EQ(table_.ReadTranslation("menu_102", "40009", buffer, 0), 0u);

  table_.CloseLanguageFile();
  EXPECT_FALSE(table_.HasLanguageFile());
  EXPECT_EQ(table_.ReadTranslation("menu_102", "40001", buffer, sizeof buffer), 0u);
  EXPECT_STREQ(buffer, "");
  table_.WriteIfAbsent("menu_102", "40004", "&Refresh");
  table_.WriteTemplateGeneral("0.1.0");
  EXPECT_EQ(files_.writes.size(), 2u);
}

TEST_F(LanguageTableTest, TemplateGeneralRewritesOnlyTheVersionAndStringsKeepTranslations) {
  ASSERT_TRUE(table_.OpenTemplateFile(kProgram));
  table_.WriteTemplateGeneral("0.1.0");
  EXPECT_EQ(files_.writes, (std::vector<std::string>{"general|TranslatorName=", "general|TranslatorURL=",
                                                      "general|Version=0.1.0", "general|RTL=0"}));
  files_.writes.clear();
  Set("general", "translatorname", "Hans");
  Set("general", "TranslatorURL", "");
  Set("general", "rtl", "1");
  table_.WriteTemplateGeneral("0.2.0");
  EXPECT_EQ(files_.writes, (std::vector<std::string>{"general|TranslatorURL=", "general|Version=0.2.0"}));

  files_.writes.clear();
  SetString(8, "USB-Protokoll");
  SetString(9, "");
  table_.WriteTemplateStrings();
  size_t count = 0;
  const StringTableEntry* entries = BuiltinStringEntries(&count);
  ASSERT_EQ(files_.writes.size(), count - 1);
  EXPECT_EQ(files_.writes[3], "strings|7=Select a filename to save");
  EXPECT_EQ(files_.writes[4], "strings|9=Do you want to clear the log ?");
  EXPECT_EQ(files_.writes.back(), "strings|" + std::to_string(entries[count - 1].id) + "=" + entries[count - 1].text);
}

TEST_F(LanguageTableTest, SkipListAndModalDialogId) {
  EXPECT_FALSE(table_.IsSkippedInTemplate(0));
  ASSERT_TRUE(table_.SetTemplateSkipList({107}));
  EXPECT_TRUE(table_.IsSkippedInTemplate(107));
  EXPECT_FALSE(table_.IsSkippedInTemplate(105));
  EXPECT_FALSE(table_.SetTemplateSkipList({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_TRUE(table_.IsSkippedInTemplate(107));
  ASSERT_TRUE(table_.SetTemplateSkipList({1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_TRUE(table_.IsSkippedInTemplate(8));
  EXPECT_FALSE(table_.IsSkippedInTemplate(107));
  EXPECT_EQ(table_.ModalDialogId(), 0u);
  table_.SetModalDialogId(1096);
  EXPECT_EQ(table_.ModalDialogId(), 1096u);
  char section[kSectionSize];
  FormatSectionName(section, "dialog", 65535);
  EXPECT_STREQ(section, "dialog_65535");
}

}  // namespace
}  // namespace wrenhollow::test
