#pragma once

#include <windows.h>
#include <shellapi.h>

namespace wrenhollow {

// Message the tray icon sends the main window about mouse actions on it.
constexpr UINT kTrayCallbackMessage = 1054;

// The program's icon in the notification area, and its menu.
class TrayIconHandler {
 public:
  void Attach(HWND owner, HMENU popup) {
    owner_ = owner;
    popup_ = popup;
  }
  // Adds the icon, or changes it when it is shown already.
  void AddOrUpdateIcon(HICON icon);
  void SetTrayTip();
  void RemoveIcon();
  // A balloon from the icon; an icon that was not shown is added for it and goes when the balloon does.
  void ShowBalloon(HICON icon, const char* title, const char* text);
  // The balloon went (timed out, closed or clicked): the icon added for it goes too.
  void OnBalloonGone();
  bool IsShown() const { return shown_; }
  // Forgets the icon, so the next AddOrUpdateIcon adds it anew (after the shell re-created its tray).
  void ForgetIcon() { shown_ = false; }
  // The menu on a right click.
  void OnTrayNotify(UINT mouseMessage);
  void ShowTrayMenu();

 private:
  NOTIFYICONDATAA Record(UINT flags) const;

  HWND owner_ = nullptr;
  static constexpr UINT kIconId = 0;
  bool shown_ = false;
  bool shownForBalloon_ = false;
  HMENU popup_ = nullptr;
};

}  // namespace wrenhollow
