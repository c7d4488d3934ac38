#include "ui/dialog_win32.h"

#include "lang/dialog_translation_win32.h"
#include "lang/language_table.h"
#include "lang/rtl_layout_win32.h"
#include "ui/fault_reporter_win32.h"
#include "util/window_helpers_win32.h"

namespace wrenhollow {

Dialog::Dialog(WORD templateId) : templateId(templateId) {}

Dialog::~Dialog() { TheDialogMap().Remove(this); }

INT_PTR Dialog::DialogProc(UINT, WPARAM, LPARAM) { return 0; }

void Dialog::ExchangeData(bool) {}

bool Dialog::DoModal(HWND parent) { return RunModal(templateId, this, parent) == IDOK; }

void Dialog::CreateModeless(HWND parent) {
  HWND created = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                                    SharedDialogProc, reinterpret_cast<LPARAM>(this));
  if (created == nullptr) return;
  TranslateDialog(templateId, created);
  ApplyRtlLayout(created, kMirrorDialog);
  hwnd = created;
  ShowWindow(created, SW_SHOW);
  UpdateWindow(created);
}

HWND Dialog::CreateChildControl(DWORD exStyle, const char* className, DWORD style, int x, int y, int width,
                                int height, int controlId) {
  return CreateWindowExA(exStyle, className, "", style, x, y, width, height, hwnd,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleA(nullptr),
                         nullptr);
}

void Dialog::EnableDlgItem(int controlId, bool enable) { EnableWindow(GetDlgItem(hwnd, controlId), enable); }

INT_PTR CommandDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      return OnNotify(wParam, lParam);
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(HIWORD(wParam), wParam, lParam);
  }
  return 0;
}

int CommandDialog::OnCommand(WORD notification, WPARAM wParam, LPARAM) {
  if (notification == 0) {
    const WORD id = LOWORD(wParam);
    if (id == IDOK) {
      ExchangeData(false);
      EndDialog(hwnd, IDOK);
    } else if (id == IDCANCEL) {
      EndDialog(hwnd, IDCANCEL);
    }
    UpdateControls();
  } else if (notification == EN_CHANGE) {
    UpdateControls();
  }
  return 0;
}

int CommandDialog::OnInitDialog() {
  ExchangeData(true);
  UpdateControls();
  CenterWindow(hwnd);
  return 0;
}

int CommandDialog::OnNotify(WPARAM, LPARAM) { return 0; }

void CommandDialog::UpdateControls() {}

INT_PTR RunModal(WORD templateId, Dialog* dialog, HWND parent) {
  // WM_INITDIALOG translates the dialog by this id.
  if (LanguageTable* table = InstalledLanguageTable()) table->SetModalDialogId(templateId);
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, SharedDialogProc,
                         reinterpret_cast<LPARAM>(dialog));
}

WindowMap<Dialog>& TheDialogMap() {
  static WindowMap<Dialog> map;
  return map;
}

INT_PTR CALLBACK SharedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    TranslateDialog(0, window);
    auto* object = reinterpret_cast<Dialog*>(lParam);
    object->hwnd = window;
    // An object shown again keeps one entry, which names its newest window.
    TheDialogMap().Remove(object);
    TheDialogMap().Insert(object, window);
  }
  Dialog* object = TheDialogMap().Find(window);
  if (object == nullptr) return 0;
  object->resultSet = false;
  INT_PTR result = 0;
  CallGuarded(window, [&] { result = object->DialogProc(message, wParam, lParam); });
  // After the object's own initialisation, so that controls it made are mirrored too.
  if (message == WM_INITDIALOG) ApplyRtlLayout(window, kMirrorDialog);
  if (object->resultSet) SetWindowLongPtrA(window, DWLP_MSGRESULT, object->result);
  return result;
}

}  // namespace wrenhollow
