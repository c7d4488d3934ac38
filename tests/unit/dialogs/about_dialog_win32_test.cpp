#include "dialogs/about_dialog_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/modal_driver.h"
#include "lang/language_fixture_win32.h"
#include "util/product_url.h"
#include "resource_ids.h"

namespace wrenhollow {
namespace {

std::vector<std::string> opened;

bool RecordOpen(HWND, const char* address) {
  opened.emplace_back(address);
  return true;
}

// Whether the control is drawn in the link colour and, under the mouse, shows a hand and opens an address.
bool ActsAsLink(HWND dialog, int id) {
  HDC dc = GetDC(dialog);
  SetTextColor(dc, 0);
  SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  const bool blue = GetTextColor(dc) == AboutDialog::kLinkColor;
  ReleaseDC(dialog, dc);
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  const size_t before = opened.size();
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONUP}) SendMessageA(dialog, message, 0, MAKELPARAM(rect.left + 2, rect.top + 2));
  const bool hand = GetCursor() == LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_HAND_CURSOR));
  EXPECT_TRUE(blue == hand && hand == (opened.size() > before)) << "control " << id;
  return blue && hand;
}

TEST(AboutDialogTest, TheTranslatorIsShownWhenNamedAndALinkOnlyToAWebAddress) {
  const struct { const char* general; bool shown; bool link; } cases[] = {
      {"TranslatorURL=https://example.org/ana\r\n", false, false},
      {"TranslatorName=Ana Ruiz\r\n", true, false},
      {"TranslatorName=Ana Ruiz\r\nTranslatorURL=C:\\tools\\setup.exe\r\n", true, false},
      {"TranslatorName=Ana Ruiz\r\nTranslatorURL=https://example.org/ana\r\n", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.general);
    test::InstalledLanguage language;
    language.Load(std::string("[general]\r\n") + c.general);
    opened.clear();
    AboutDialog about("Credit", kProductUrl, RecordOpen);
    test::WhileShown([&] { return RunModal(IDD_ABOUT, &about, nullptr); }, [&](HWND dialog) {
      EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog, IDC_ABOUT_TRANSLATION)) != 0, c.shown);
      EXPECT_EQ(test::WindowText(GetDlgItem(dialog, IDC_ABOUT_TRANSLATOR)), c.shown ? "Ana Ruiz" : "");
      const HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
      const LRESULT linkFont = SendMessageA(link, WM_GETFONT, 0, 0);
      EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_ABOUT_TRANSLATOR, WM_GETFONT, 0, 0) == linkFont, c.link);
      // The mouse passes through the statics to the dialog, which handles it.
      RECT rect{};
      GetWindowRect(link, &rect);
      EXPECT_EQ(SendMessageA(link, WM_NCHITTEST, 0, MAKELPARAM(rect.left + 1, rect.top + 1)), HTTRANSPARENT);
      EXPECT_TRUE(ActsAsLink(dialog, IDC_ABOUT_LINK));
      EXPECT_EQ(ActsAsLink(dialog, IDC_ABOUT_TRANSLATOR), c.link);
      EXPECT_FALSE(ActsAsLink(dialog, IDC_ABOUT_CREDIT));
      test::Press(dialog, IDOK);
    });
    std::vector<std::string> expected{kProductUrl};
    if (c.link) expected.emplace_back("https://example.org/ana");
    EXPECT_EQ(opened, expected);
  }
}

TEST(AboutDialogTest, TheCommandShowsTheProgramItsVersionAndSite) {
  test::WhileShown([] { return (RunAbout(nullptr), 0); }, [](HWND dialog) {
    EXPECT_EQ(test::WindowText(dialog), "Wrenhollow");
    EXPECT_EQ(test::WindowText(GetDlgItem(dialog, IDC_ABOUT_CREDIT)), "Wrenhollow v0.1.0\r\nCopyright (C) 2026 Wrenhollow Project");
    EXPECT_EQ(test::WindowText(GetDlgItem(dialog, IDC_ABOUT_LINK)), kProductUrl);
    test::Press(dialog, IDCANCEL);
  });
}

}  // namespace
}  // namespace wrenhollow
