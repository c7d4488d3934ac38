#pragma once

#include <windows.h>

#include "ui/window_map_win32.h"

namespace wrenhollow {

// A dialog whose messages arrive through SharedDialogProc. Dialog objects live on the stack of the command
// that shows them; the dialog map holds one from its WM_INITDIALOG until the object is destroyed.
class Dialog {
 public:
  explicit Dialog(WORD templateId);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // The base answers 0 (not handled) to every message.
  virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Moves data into the controls (true) or out of them (false); the base has none.
  virtual void ExchangeData(bool toControls);
  // Runs the object's template modally; true when the dialog ended with IDOK.
  virtual bool DoModal(HWND parent);
  // Creates and shows the object's template without a loop of its own; the handle stays null on failure.
  virtual void CreateModeless(HWND parent);

  // A child window of the dialog with an empty text, the program as instance and the given control id.
  HWND CreateChildControl(DWORD exStyle, const char* className, DWORD style, int x, int y, int width,
                          int height, int controlId);
  void EnableDlgItem(int controlId, bool enable);
  HWND Handle() const { return hwnd; }

 protected:
  WORD templateId;
  // A handler sets both to give the message a DWL_MSGRESULT; cleared before each message.
  bool resultSet = false;
  LRESULT result = 0;
  HWND hwnd = nullptr;

  friend INT_PTR CALLBACK SharedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// A Dialog that routes WM_INITDIALOG, WM_COMMAND and WM_NOTIFY to handlers; OK and Cancel end it.
class CommandDialog : public Dialog {
 public:
  using Dialog::Dialog;

  // A derived dialog that overrides this calls it for the messages it does not answer.
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // IDOK takes the data out of the controls and ends the dialog with 1, IDCANCEL ends it with 2; button
  // commands and edit changes then bring the controls up to date.
  virtual int OnCommand(WORD notification, WPARAM wParam, LPARAM lParam);
  // Fills the controls, brings them up to date and centres the dialog.
  virtual int OnInitDialog();
  virtual int OnNotify(WPARAM wParam, LPARAM lParam);
  // Brings the controls' enabled states up to date with their contents.
  virtual void UpdateControls();
};

// Shows dialog template templateId of the program modally with the object behind it; EndDialog's result, or
// -1 when the dialog could not be shown.
INT_PTR RunModal(WORD templateId, Dialog* dialog, HWND parent);

// The procedure of every dialog that is a Dialog object; the object is the dialog's creation parameter.
// Before WM_INITDIALOG messages answer 0. A handler that faults is reported and its message answers 0.
INT_PTR CALLBACK SharedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

WindowMap<Dialog>& TheDialogMap();

}  // namespace wrenhollow
