#pragma once

#include <windows.h>

#include <cstddef>

#include "ui/dialog_win32.h"

namespace wrenhollow {

// Dialog 112: the program's icon, its credit text, a link to its web site and, when the language file names
// one, the translator, who becomes a link too when the file also gives a web or mail address.
class AboutDialog : public Dialog {
 public:
  static constexpr size_t kTextSize = 256;
  static constexpr COLORREF kLinkColor = 0xC00000;  // dark blue
  // Opens an address; the shell in the program, a recorder in tests.
  using OpenLinkFunction = bool (*)(HWND owner, const char* address);

  // linkText is the address the link opens, and what it shows.
  AboutDialog(const char* creditText, const char* linkText, OpenLinkFunction openLink);
  ~AboutDialog() override;

  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnInitDialog();
  // The address of the link at a point of the dialog's client area; null where there is none.
  const char* LinkAt(LPARAM point) const;

  char creditText_[kTextSize] = {};
  char linkText_[kTextSize] = {};
  OpenLinkFunction openLink_;
  // Empty unless the translator line is a link.
  const char* translatorUrl_ = "";
  HFONT linkFont_ = nullptr;
};

// The About command: the program's name, version and copyright with a link to its web site. The caller gives
// the keyboard focus back where it belongs.
void RunAbout(HWND parent);

}  // namespace wrenhollow
