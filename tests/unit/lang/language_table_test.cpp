#include "lang/language_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <tuple>

#include "util/text.h"

namespace wrenhollow::test {
namespace {

// Profile files held in memory, with the lookup rules of GetPrivateProfile*A: names without regard to case, a
// missing file or key giving the default.
class FakeProfileFiles : public ProfileFiles {
 public:
  void Set(const std::string& path, const std::string& section, const std::string& key, const std::string& value) {
    values_[{path, FoldCase(section), FoldCase(key)}] = value;
  }
  bool HasFile(const char* path) const {
    const auto next = values_.lower_bound({path, "", ""});
    return next != values_.end() && std::get<0>(next->first) == path;
  }

  int ReadInt(const char* path, const char* section, const char* key, int defaultValue) override {
    const std::string* value = Find(path, section, key);
    return value != nullptr ? std::atoi(value->c_str()) : defaultValue;
  }
  size_t ReadString(const char* path, const char* section, const char* key, const char* defaultValue, char* buffer,
                    size_t size) override {
    const std::string* value = Find(path, section, key);
    CopyBounded(buffer, size, value != nullptr ? *value : defaultValue);
    return std::char_traits<char>::length(buffer);
  }
  bool WriteString(const char*, const char*, const char*, const char*) override { return false; }

 private:
  const std::string* Find(const char* path, const char* section, const char* key) const {
    const auto found = values_.find({path, FoldCase(section), FoldCase(key)});
    return found != values_.end() ? &found->second : nullptr;
  }

  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

const FakeProfileFiles* existingFiles = nullptr;
bool FakeFileExists(const char* path) { return existingFiles->HasFile(path); }

constexpr char kProgram[] = "C:\\tools\\app.exe";
constexpr char kLanguageFile[] = "C:\\tools\\app_lng.ini";

class LanguageTableTest : public testing::Test {
 protected:
  LanguageTableTest() { existingFiles = &files_; }
  ~LanguageTableTest() override { existingFiles = nullptr; }

  void SetString(unsigned id, const std::string& text) {
    files_.Set(kLanguageFile, "strings", std::to_string(id), text);
  }
  void SetGeneral(const std::string& key, const std::string& value) {
    files_.Set(kLanguageFile, "general", key, value);
  }
  // The file exists once it holds a value.
  void Load() {
    SetGeneral("Version", "1.0");
    table_.LoadLanguageFile(kProgram);
  }

  FakeProfileFiles files_;
  BuiltinStringTable strings_;
  LanguageTable table_{files_, strings_, FakeFileExists};
};

TEST_F(LanguageTableTest, LanguageFileIsNamedAfterTheProgram) {
  const std::string longStem(251, 'a');
  const struct {
    std::string program;
    std::string languageFile;
  } cases[] = {
      {kProgram, kLanguageFile},
      {"C:\\tools\\app.v2.exe", "C:\\tools\\app.v2_lng.ini"},
      {"C:\\tools\\app", "C:\\tools\\app_lng.ini"},
      {"C:\\my.tools\\app", "C:\\my.tools\\app_lng.ini"},
      {"/opt/my.tools/app", "/opt/my.tools/app_lng.ini"},
      {longStem + ".exe", longStem + "_lng.ini"},
  };
  for (const auto& c : cases) {
    FakeProfileFiles files;
    files.Set(c.languageFile, "general", "Version", "1.0");
    existingFiles = &files;
    LanguageTable table(files, strings_, FakeFileExists);
    table.LoadLanguageFile(c.program.c_str());
    EXPECT_EQ(table.LanguageFilePath(), c.languageFile) << c.program;
  }
}

TEST_F(LanguageTableTest, NoLanguageWithoutItsFileOrWhenItsNameIsTooLong) {
  const std::string tooLong = std::string(252, 'a') + ".exe";
  files_.Set(std::string(252, 'a') + "_lng.ini", "general", "rtl", "1");
  files_.Set("C:\\tools\\other_lng.ini", "strings", "1001", "Typ");
  for (const std::string& program : {std::string(kProgram), tooLong}) {
    table_.LoadLanguageFile(program.c_str());
    EXPECT_STREQ(table_.LanguageFilePath(), "") << program;
    EXPECT_FALSE(table_.IsRtl());
  }
  EXPECT_STREQ(table_.GetString(1001), "Event Type");
  EXPECT_STREQ(table_.GetString(2009), "");
}

TEST_F(LanguageTableTest, RightToLeftOnlyForOne) {
  const struct {
    const char* value;
    bool rtl;
  } cases[] = {{"1", true}, {"2", false}, {"0", false}, {"-1", false}, {nullptr, false}};
  for (const auto& c : cases) {
    FakeProfileFiles files;
    files.Set(kLanguageFile, "general", "Version", "1.0");
    if (c.value != nullptr) files.Set(kLanguageFile, "general", "RTL", c.value);
    existingFiles = &files;
    LanguageTable table(files, strings_, FakeFileExists);
    table.LoadLanguageFile(kProgram);
    EXPECT_EQ(table.IsRtl(), c.rtl) << (c.value != nullptr ? c.value : "absent");
  }
}

TEST_F(LanguageTableTest, GeneralTextsAreCutToTheirBuffers) {
  EXPECT_STREQ(table_.Charset(), "");
  SetGeneral("charset", std::string(70, 'c'));
  SetGeneral("translatorname", std::string(62, 'n'));
  SetGeneral("TranslatorURL", std::string(300, 'u'));
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
  EXPECT_STREQ(table_.GetString(1001 | kBuiltinText), "Event Type");
  EXPECT_STREQ(table_.GetString(1002), "Event Time");
  // An empty result is not cached.
  EXPECT_STREQ(table_.GetString(3), "Drei");
}

TEST_F(LanguageTableTest, FullCacheGivesEmptyTextsForNewIds) {
  Load();
  for (unsigned id = 10000; id < 10000 + LanguageTable::kCacheCount + 1; ++id) SetString(id, "t" + std::to_string(id));
  const char* first = table_.GetString(10000);
  for (unsigned id = 10001; id < 10000 + LanguageTable::kCacheCount; ++id) {
    ASSERT_EQ(table_.GetString(id), "t" + std::to_string(id));
  }
  EXPECT_STREQ(table_.GetString(10000 + LanguageTable::kCacheCount), "");
  EXPECT_STREQ(table_.GetString(8), "");
  EXPECT_EQ(table_.GetString(10000), first);
  EXPECT_STREQ(first, "t10000");
}

TEST_F(LanguageTableTest, BlockKeepsTwoBytesFreeAndTextsStopAtTheWorkBuffer) {
  // Each text takes its length + 1; a text fits while used + length + 2 < 32768.
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
  EXPECT_EQ(table_.GetString(20001), std::string(4095, 'a'));
}

TEST_F(LanguageTableTest, ProgramWideGetStringForwardsToTheInstalledTable) {
  SetString(8, "USB-Protokoll");
  Load();
  EXPECT_STREQ(GetString(8), "");
  InstallLanguageTable(&table_);
  EXPECT_EQ(InstalledLanguageTable(), &table_);
  EXPECT_STREQ(GetString(8), "USB-Protokoll");
  EXPECT_STREQ(GetString(8 | kBuiltinText), "USB Log");
  InstallLanguageTable(nullptr);
  EXPECT_STREQ(GetString(8), "");
}

}  // namespace
}  // namespace wrenhollow::test
