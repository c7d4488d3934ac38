#include "lang/dialog_translation_win32.h"

#include <string>

#include "lang/descendant_windows_win32.h"
#include "lang/language_table.h"

namespace wrenhollow {

void TranslateDialog(WORD dialogId, HWND dialog) {
  LanguageTable* table = InstalledLanguageTable();
  if (table == nullptr || !table->HasLanguageFile()) return;
  char section[kSectionSize];
  FormatSectionName(section, "dialog", dialogId != 0 ? dialogId : table->ModalDialogId());
  std::string text(LanguageTable::kWorkSize, '\0');
  if (table->ReadTranslation(section, "caption", text.data(), text.size()) > 0) SetWindowTextA(dialog, text.c_str());
  for (HWND control : DescendantWindows(dialog)) {
    const std::string key = std::to_string(GetDlgCtrlID(control));
    if (table->ReadTranslation(section, key.c_str(), text.data(), text.size()) > 0) {
      SetWindowTextA(control, text.c_str());
    }
  }
}

}  // namespace wrenhollow
