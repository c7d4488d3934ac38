#include "lang/language_template_win32.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "lang/descendant_windows_win32.h"
#include "lang/language_table.h"
#include "lang/menu_translation_win32.h"
#include "util/files_win32.h"
#include "util/paths.h"
#include "util/text.h"
#include "util/version_info_win32.h"

namespace wrenhollow {
namespace {

BOOL CALLBACK AddResourceId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
  // The program names its resources by number only; a named one has no section to go into.
  if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<WORD>*>(ids)->push_back(LOWORD(name));
  return TRUE;
}

// The ids of the program's resources of a type, in the order the resource directory holds them.
std::vector<WORD> ResourceIds(LPCSTR type) {
  std::vector<WORD> ids;
  EnumResourceNamesA(GetModuleHandleA(nullptr), type, AddResourceId, reinterpret_cast<LONG_PTR>(&ids));
  return ids;
}

void WriteMenuSection(LanguageTable& table, WORD menuId) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
  if (menu == nullptr) return;
  char section[kSectionSize];
  FormatSectionName(section, "menu", menuId);
  WalkMenuTexts(menu, [&](const MenuTextItem& item) {
    const std::string text(item.text, std::strcspn(item.text, "\t"));
    table.WriteIfAbsent(section, std::to_string(item.key).c_str(), text.c_str());
  });
  DestroyMenu(menu);
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A date picker's text is the date of the day it was made, nothing to translate.
bool IsDatePicker(HWND control) {
  char className[64] = "";
  GetClassNameA(control, className, sizeof className);
  return EqualsNoCase(className, "sysdatetimepick32");
}

void WriteDialogSection(LanguageTable& table, WORD dialogId) {
  HMODULE module = GetModuleHandleA(nullptr);
  HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(dialogId), nullptr, IgnoreMessages, 0);
  // A child-style template needs a parent.
  if (dialog == nullptr) {
    dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(dialogId), GetDesktopWindow(), IgnoreMessages, 0);
  }
  if (dialog == nullptr) return;
  char section[kSectionSize];
  FormatSectionName(section, "dialog", dialogId);
  std::string text(LanguageTable::kWorkSize, '\0');
  if (GetWindowTextA(dialog, text.data(), static_cast<int>(text.size())) > 0) {
    table.WriteIfAbsent(section, "caption", text.c_str());
  }
  for (HWND control : DescendantWindows(dialog)) {
    const int controlId = GetDlgCtrlID(control);
    if (controlId <= 0 || IsDatePicker(control)) continue;
    if (GetWindowTextA(control, text.data(), static_cast<int>(text.size())) > 0) {
      table.WriteIfAbsent(section, std::to_string(controlId).c_str(), text.c_str());
    }
  }
  DestroyWindow(dialog);
}

}  // namespace

void SaveLanguageTemplate() {
  LanguageTable* table = InstalledLanguageTable();
  if (table == nullptr) return;
  char programPath[kPathSize];
  GetProgramPath(programPath);
  if (programPath[0] != '\0') WriteLanguageTemplate(*table, programPath);
}

void WriteLanguageTemplate(LanguageTable& table, const char* programPath) {
  // The version is always the running program's, whatever name the file is written under.
  VersionInfo version;
  char modulePath[kPathSize];
  GetProgramPath(modulePath);
  ReadVersionInfo(modulePath, &version);
  if (!table.OpenTemplateFile(programPath)) return;
  table.WriteTemplateGeneral(version.fileVersion);
  for (WORD menuId : ResourceIds(RT_MENU)) WriteMenuSection(table, menuId);
  for (WORD dialogId : ResourceIds(RT_DIALOG)) {
    if (!table.IsSkippedInTemplate(dialogId)) WriteDialogSection(table, dialogId);
  }
  table.WriteTemplateStrings();
  table.CloseLanguageFile();
}

}  // namespace wrenhollow
