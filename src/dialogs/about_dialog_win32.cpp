#include "dialogs/about_dialog_win32.h"

#include <windowsx.h>

#include <cstdio>

#include "lang/language_table.h"
#include "resource_ids.h"
#include "util/shell_win32.h"
#include "util/product_url.h"
#include "util/text.h"
#include "util/version_info_win32.h"
#include "util/window_helpers_win32.h"

namespace wrenhollow {
namespace {

// In pixels as at 96 DPI.
constexpr int kLinkFontHeight = 10;

// The translator's address comes from a language file anyone can write; handing the shell anything but a web or
// mail address would let a click on a name start a program.
bool IsLinkAddress(const char* address) {
  return StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://") ||
         StartsWithNoCase(address, "mailto:");
}

}  // namespace

AboutDialog::AboutDialog(const char* creditText, const char* linkText, OpenLinkFunction openLink)
    : Dialog(IDD_ABOUT), openLink_(openLink) {
  CopyBounded(creditText_, creditText);
  CopyBounded(linkText_, linkText);
}

// The font outlives the dialog's window, which may still paint with it until the modal loop ends.
AboutDialog::~AboutDialog() {
  if (linkFont_ != nullptr) DeleteObject(linkFont_);
}

INT_PTR AboutDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return 0;
    case WM_COMMAND: {
      const WORD id = LOWORD(wParam);
      if (HIWORD(wParam) != 0 || (id != IDOK && id != IDCANCEL)) return 0;
      EndDialog(hwnd, id);
      return 1;
    }
    case WM_CTLCOLORSTATIC: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      if (id != IDC_ABOUT_LINK && (id != IDC_ABOUT_TRANSLATOR || translatorUrl_[0] == '\0')) return 0;
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, kLinkColor);
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_MOUSEMOVE:
      if (LinkAt(lParam) == nullptr) return 0;
      SetCursor(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_HAND_CURSOR)));
      return 1;
    case WM_LBUTTONUP: {
      const char* address = LinkAt(lParam);
      if (address == nullptr) return 0;
      openLink_(hwnd, address);
      return 1;
    }
  }
  return 0;
}

void AboutDialog::OnInitDialog() {
  const LanguageTable* table = InstalledLanguageTable();
  const char* translator = table != nullptr ? table->TranslatorName() : "";
  const char* url = table != nullptr ? table->TranslatorUrl() : "";
  translatorUrl_ = translator[0] != '\0' && IsLinkAddress(url) ? url : "";
  if (translator[0] != '\0') {
    SetDlgItemTextA(hwnd, IDC_ABOUT_TRANSLATOR, translator);
  } else {
    ShowWindow(GetDlgItem(hwnd, IDC_ABOUT_TRANSLATION), SW_HIDE);
    ShowWindow(GetDlgItem(hwnd, IDC_ABOUT_TRANSLATOR), SW_HIDE);
  }
  SetWindowTextA(hwnd, "Wrenhollow");
  SetDlgItemTextA(hwnd, IDC_ABOUT_CREDIT, creditText_);
  SetDlgItemTextA(hwnd, IDC_ABOUT_LINK, linkText_);
  if (linkFont_ == nullptr) linkFont_ = MakeFont("MS Sans Serif", ScaleToScreen(kLinkFontHeight), true);
  SendDlgItemMessageA(hwnd, IDC_ABOUT_LINK, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), FALSE);
  if (translatorUrl_[0] != '\0') {
    SendDlgItemMessageA(hwnd, IDC_ABOUT_TRANSLATOR, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), FALSE);
  }
  CenterWindow(hwnd);
}

const char* AboutDialog::LinkAt(LPARAM point) const {
  const HWND child = ChildWindowFromPoint(hwnd, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)});
  const int id = child != nullptr && child != hwnd ? GetDlgCtrlID(child) : 0;
  if (id == IDC_ABOUT_LINK) return linkText_;
  if (id == IDC_ABOUT_TRANSLATOR && translatorUrl_[0] != '\0') return translatorUrl_;
  return nullptr;
}

void RunAbout(HWND parent) {
  char program[MAX_PATH] = "";
  VersionInfo version;
  char credit[AboutDialog::kTextSize] = "Wrenhollow";
  if (GetModuleFileNameA(nullptr, program, sizeof program) > 0 && ReadVersionInfo(program, &version)) {
    std::snprintf(credit, sizeof credit, "%s v%s\r\n%s", version.productName, version.productVersion,
                  version.legalCopyright);
  }
  AboutDialog dialog(credit, kProductUrl, OpenWithShell);
  RunModal(IDD_ABOUT, &dialog, parent);
}

}  // namespace wrenhollow
