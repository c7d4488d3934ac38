#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "lang/dialog_translation_win32.h"
#include "lang/language_fixture_win32.h"
#include "lang/menu_translation_win32.h"
#include "lang/rtl_layout_win32.h"
#include "lang/test_language.h"
#include "ui/dialog_win32.h"
#include "ui/test_dialogs.h"

namespace wrenhollow::test {
namespace {

// The menu in one line: "|" before each item, two spaces of indent a level, "-" for a separator, "#" and the id
// after a command.
std::string FlattenMenu(HMENU menu, const std::string& indent = "") {
  std::string lines;
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    char text[256] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    std::string line = indent + text;
    if (info.hSubMenu == nullptr) line += " #" + std::to_string(info.wID);
    if ((info.fState & MFS_GRAYED) != 0) line += " grayed";
    lines += "|" + ((info.fType & MFT_SEPARATOR) != 0 ? indent + "-" : line);
    if (info.hSubMenu != nullptr) lines += FlattenMenu(info.hSubMenu, indent + "  ");
  }
  return lines;
}

TEST(LoadTranslatedMenuTest, ItemsTakeNonEmptyTranslationsKeepingAcceleratorIdSubmenuAndState) {
  const struct { const char* ini; const char* menu; } cases[] = {
      {nullptr, "|&File|  &Open\tCtrl+O #9201|  -|  &Recent|    First #9202|    Older|      Oldest #9203"
                "|  &Copy Selected Items\tCtrl+C #9204 grayed|-|&Help|  More|    &About #9205"},
      // Submenus of untranslated popups are still translated; other menus' sections do not count.
      {"[menu_9101]\r\n70001=Datei\r\n70002=Trenner\r\n9201=Oeffnen\r\n9202=\r\n71002=Aelter\r\n9203=Aeltester\r\n"
       "9204=&Kopieren\r\n71003=Mehr\r\n[menu_102]\r\n9205=Nein\r\n",
       "|Datei|  Oeffnen\tCtrl+O #9201|  -|  &Recent|    First #9202|    Aelter|      Aeltester #9203"
       "|  &Kopieren\tCtrl+C #9204 grayed|-|&Help|  Mehr|    &About #9205"},
  };
  for (const auto& c : cases) {
    InstalledLanguage language;
    if (c.ini != nullptr) language.Load(c.ini);
    HMENU menu = LoadTranslatedMenu(TEST_MENU_ID);
    EXPECT_EQ(FlattenMenu(menu), c.menu);
    DestroyMenu(menu);
    EXPECT_EQ(LoadTranslatedMenu(TEST_MENU_ID + 50), nullptr);
  }
}

HWND CreateSampleDialog() {
  return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(TEST_LANGUAGE_DIALOG_ID), nullptr,
                            IgnoreMessages, 0);
}

TEST(TranslateDialogTest, CaptionAndControlsTakeNonEmptyValuesOfTheDialogsSection) {
  const std::vector<std::string> original{"Sample", "Label", "Unnamed", "", "OK"};
  const std::vector<std::string> translated{"Probe", "Etikett", "Ohne Namen", "", "Gut"};
  const struct {
    bool languageFile;
    unsigned modalId;
    WORD dialogId;  // 0: the modal dialog's
    std::vector<std::string> texts;
  } cases[] = {
      {true, 0, TEST_LANGUAGE_DIALOG_ID, translated},
      {true, TEST_LANGUAGE_DIALOG_ID, 0, translated},
      {true, TEST_DIALOG_ID, 0, {"Falsch", "Label", "Unnamed", "", "Falsch"}},
      {true, 9103, 0, original},
      {false, TEST_LANGUAGE_DIALOG_ID, 0, original},
  };
  for (const auto& c : cases) {
    InstalledLanguage language;
    if (c.languageFile) {
      language.Load("[dialog_9102]\r\ncaption=Probe\r\n9301=Etikett\r\n-1=Ohne Namen\r\n1=Gut\r\n9302=\r\n"
                    "[dialog_9001]\r\ncaption=Falsch\r\n1=Falsch\r\n");
    }
    language.Table().SetModalDialogId(c.modalId);
    HWND dialog = CreateSampleDialog();
    TranslateDialog(c.dialogId, dialog);
    std::vector<std::string> texts{WindowText(dialog)};
    for (int id : {TEST_LABEL_ID, -1, 9302, IDOK}) texts.push_back(WindowText(GetDlgItem(dialog, id)));
    EXPECT_EQ(texts, c.texts) << c.modalId << " " << c.dialogId;
    DestroyWindow(dialog);
  }
}

bool IsLayoutRtl(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0; }

TEST(ApplyRtlLayoutTest, OnlyRtlOneMirrorsAndEachFlagDoesItsPart) {
  const struct { const char* rtl; unsigned flags; bool windowRtl, childRtl, moved; } cases[] = {
      {"2", kMirrorDialog, false, false, false}, {"0", kMirrorDialog, false, false, false},
      {"1", 0, true, false, false},              {"1", kMirrorStyles, true, true, false},
      {"1", kMirrorPositions, true, false, true}, {"1", kMirrorDialog, true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("rtl=") + c.rtl + " flags=" + std::to_string(c.flags));
    InstalledLanguage language;
    language.Load(std::string("[general]\r\nrtl=") + c.rtl + "\r\n");
    HWND dialog = CreateSampleDialog();
    HWND label = GetDlgItem(dialog, TEST_LABEL_ID);
    RECT client{}, before{}, after{};
    GetClientRect(dialog, &client);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    GetWindowRect(label, &before);
    ApplyRtlLayout(dialog, c.flags);
    GetWindowRect(label, &after);
    const LONG left = c.moved ? origin.x + client.right - (before.right - origin.x) : before.left;
    EXPECT_EQ(std::make_tuple(IsLayoutRtl(dialog), IsLayoutRtl(label), after.left, after.top, after.right - after.left),
              std::make_tuple(c.windowRtl, c.childRtl, left, before.top, before.right - before.left));
    DestroyWindow(dialog);
  }
}

constexpr UINT kCheckMessage = WM_APP + 7;

// The caption, the label's text, and whether the dialog and the given child lay out right to left.
std::string State(HWND dialog, HWND child) {
  return WindowText(dialog) + " " + WindowText(GetDlgItem(dialog, TEST_LABEL_ID)) + " " +
         std::to_string(IsLayoutRtl(dialog)) + std::to_string(IsLayoutRtl(child));
}

// Notes the dialog's state at its own initialisation and once that is over, then closes.
class SampleDialog : public CommandDialog {
 public:
  SampleDialog() : CommandDialog(TEST_LANGUAGE_DIALOG_ID) {}

  int OnInitDialog() override {
    notes.push_back(State(hwnd, GetDlgItem(hwnd, TEST_LABEL_ID)));
    made = CreateChildControl(0, "STATIC", WS_CHILD, 0, 0, 20, 10, 9400);
    PostMessageA(hwnd, kCheckMessage, 0, 0);
    return CommandDialog::OnInitDialog();
  }
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != kCheckMessage) return CommandDialog::DialogProc(message, wParam, lParam);
    notes.push_back(State(hwnd, made));
    EndDialog(hwnd, IDOK);
    return TRUE;
  }

  HWND made = nullptr;
  std::vector<std::string> notes;
};

TEST(FrameworkHooksTest, DialogsAreTranslatedBeforeAndMirroredAfterTheirOwnInitialisation) {
  {
    InstalledLanguage language;
    language.Load("[general]\r\nrtl=1\r\n[dialog_9102]\r\ncaption=Probe\r\n9301=Etikett\r\n");
    SampleDialog dialog;
    EXPECT_EQ(RunModal(TEST_LANGUAGE_DIALOG_ID, &dialog, nullptr), IDOK);
    EXPECT_EQ(language.Table().ModalDialogId(), unsigned{TEST_LANGUAGE_DIALOG_ID});
    EXPECT_EQ(dialog.notes, (std::vector<std::string>{"Probe Etikett 00", "Probe Etikett 11"}));

    language.Table().SetModalDialogId(TEST_DIALOG_ID);
    Dialog modeless(TEST_LANGUAGE_DIALOG_ID);
    modeless.CreateModeless(nullptr);
    EXPECT_EQ(State(modeless.Handle(), GetDlgItem(modeless.Handle(), TEST_LABEL_ID)), "Probe Etikett 11");
    DestroyWindow(modeless.Handle());
  }
  SampleDialog dialog;
  EXPECT_TRUE(dialog.DoModal(nullptr));
  EXPECT_EQ(dialog.notes, (std::vector<std::string>{"Sample Label 00", "Sample Label 00"}));
}

}  // namespace
}  // namespace wrenhollow::test
