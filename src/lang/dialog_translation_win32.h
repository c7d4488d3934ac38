#pragma once

#include <windows.h>

namespace wrenhollow {

// Gives dialog the texts of [dialog_<dialogId>] of the installed language table: "caption" for its title and
// each descendant's control id for that control's text; missing and empty values leave the text as it is.
// Id 0 stands for the modal dialog shown last. Nothing happens without a language file.
void TranslateDialog(WORD dialogId, HWND dialog);

}  // namespace wrenhollow
