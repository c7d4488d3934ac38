#include "lang/language_template_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/language_fixture_win32.h"
#include "lang/test_language.h"
#include "ui/test_dialogs.h"

namespace wrenhollow::test {
namespace {

// From [general] up to [strings]: this program has no version resource, the test dialog is skipped, the edit
// box has no text and neither the unnamed static nor the date picker gets a key.
constexpr char kNewTemplate[] =
    "[general]\r\nTranslatorName=\r\nTranslatorURL=\r\nVersion=\r\nRTL=0\r\n"
    "[menu_9101]\r\n70001=&File\r\n9201=&Open\r\n71001=&Recent\r\n9202=First\r\n71002=Older\r\n9203=Oldest\r\n"
    "9204=&Copy Selected Items\r\n70003=&Help\r\n71003=More\r\n9205=&About\r\n"
    "[dialog_9102]\r\ncaption=Sample\r\n9301=Label\r\n1=OK\r\n"
    "[dialog_9103]\r\n9301=Pane text\r\n"
    "[strings]\r\n4=%d item(s)\r\n5=, %d Selected\r\n";

TEST(LanguageTemplateTest, NewTemplateHoldsEveryTextAndRunningAgainRewritesOnlyTheVersion) {
  InstalledLanguage language;
  language.Table().SetTemplateSkipList({TEST_DIALOG_ID});
  // Without a text of its own the date picker would prove nothing by having no key.
  HWND sample = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(TEST_LANGUAGE_DIALOG_ID), nullptr,
                                   IgnoreMessages, 0);
  ASSERT_NE(WindowText(GetDlgItem(sample, TEST_PICKER_ID)), "");
  DestroyWindow(sample);

  WriteLanguageTemplate(language.Table(), language.ProgramPath().c_str());
  EXPECT_FALSE(language.Table().HasLanguageFile());
  const std::string text = language.FileText();
  EXPECT_EQ(text.substr(0, sizeof kNewTemplate - 1), kNewTemplate);

  WritePrivateProfileStringA("general", "Version", "0.0.8", language.LanguageFilePath().c_str());
  WriteLanguageTemplate(language.Table(), language.ProgramPath().c_str());
  EXPECT_EQ(language.FileText(), text);
}

TEST(LanguageTemplateTest, TranslationsSurviveAndNewKeysGoToTheEndOfTheirSections) {
  InstalledLanguage language;
  language.Load("[general]\r\nTranslatorName=Hans\r\nVersion=0.0.9\r\nrtl=1\r\n[menu_9101]\r\n9201=Oeffnen\r\n"
                "70001=\r\n[strings]\r\n4=%d Eintraege\r\n");
  language.Table().SetTemplateSkipList({TEST_DIALOG_ID, TEST_LANGUAGE_DIALOG_ID});
  WriteLanguageTemplate(language.Table(), language.ProgramPath().c_str());
  const std::string text = language.FileText();
  EXPECT_EQ(SectionNames(text), (std::vector<std::string>{"general", "menu_9101", "strings", "dialog_9103"}));
  const std::string kept =
      "[general]\r\nTranslatorName=Hans\r\nVersion=\r\nrtl=1\r\nTranslatorURL=\r\n"
      "[menu_9101]\r\n9201=Oeffnen\r\n70001=&File\r\n71001=&Recent\r\n";
  EXPECT_EQ(text.substr(0, kept.size()), kept);
  EXPECT_NE(text.find("[strings]\r\n4=%d Eintraege\r\n5=, %d Selected\r\n"), std::string::npos);
}

}  // namespace
}  // namespace wrenhollow::test
