#include "app/tray_icon_win32.h"

#include <shellapi.h>

#include "util/text.h"

namespace wrenhollow {

NOTIFYICONDATAA TrayIconHandler::Record(UINT flags) const {
  NOTIFYICONDATAA record{};
  record.cbSize = sizeof record;
  record.hWnd = owner_;
  record.uID = kIconId;
  record.uFlags = flags;
  return record;
}

void TrayIconHandler::AddOrUpdateIcon(HICON icon) {
  shownForBalloon_ = false;
  NOTIFYICONDATAA record = Record(shown_ ? NIF_ICON : NIF_MESSAGE | NIF_ICON);
  record.uCallbackMessage = kTrayCallbackMessage;
  record.hIcon = icon;
  Shell_NotifyIconA(shown_ ? NIM_MODIFY : NIM_ADD, &record);
  // A failed add counts as shown: later calls modify, and switching the option off and on adds it again.
  shown_ = true;
}

void TrayIconHandler::ShowBalloon(HICON icon, const char* title, const char* text) {
  if (!shown_) {
    AddOrUpdateIcon(icon);
    SetTrayTip();
    shownForBalloon_ = true;
  }
  NOTIFYICONDATAA record = Record(NIF_INFO);
  CopyBounded(record.szInfoTitle, title);
  CopyBounded(record.szInfo, text);
  record.dwInfoFlags = NIIF_INFO;
  Shell_NotifyIconA(NIM_MODIFY, &record);
}

void TrayIconHandler::OnBalloonGone() {
  if (shownForBalloon_) RemoveIcon();
}

void TrayIconHandler::SetTrayTip() {
  if (!shown_) return;
  NOTIFYICONDATAA record = Record(NIF_TIP);
  CopyBounded(record.szTip, "Wrenhollow");
  Shell_NotifyIconA(NIM_MODIFY, &record);
}

void TrayIconHandler::RemoveIcon() {
  shownForBalloon_ = false;
  if (!shown_) return;
  NOTIFYICONDATAA record = Record(0);
  Shell_NotifyIconA(NIM_DELETE, &record);
  shown_ = false;
}

void TrayIconHandler::OnTrayNotify(UINT mouseMessage) {
  if (mouseMessage == WM_CONTEXTMENU || mouseMessage == WM_RBUTTONUP) ShowTrayMenu();
}

void TrayIconHandler::ShowTrayMenu() {
  if (popup_ == nullptr) return;
  POINT cursor;
  GetCursorPos(&cursor);
  SetForegroundWindow(owner_);
  TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, owner_, nullptr);
}

}  // namespace wrenhollow
