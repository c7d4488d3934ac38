#include "lang/menu_translation_win32.h"

#include <cstring>
#include <string>

#include "lang/language_table.h"

namespace wrenhollow {
namespace {

// Room for an item text of 4096 characters.
constexpr size_t kMenuTextSize = 4097;

class MenuWalk {
 public:
  explicit MenuWalk(const std::function<void(const MenuTextItem&)>& visit) : visit_(visit) {}

  void Walk(HMENU menu, bool topLevel) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
      std::string text(kMenuTextSize, '\0');
      MENUITEMINFOA info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
      info.dwTypeData = text.data();
      info.cch = kMenuTextSize;
      if (!GetMenuItemInfoA(menu, position, TRUE, &info)) continue;
      if (text[0] != '\0') {
        unsigned key = info.wID;
        if (info.hSubMenu != nullptr) key = topLevel ? kTopPopupKey + position : kNestedPopupKey + ++nestedPopups_;
        visit_({menu, position, key, text.c_str()});
      }
      if (info.hSubMenu != nullptr) Walk(info.hSubMenu, false);
    }
  }

 private:
  const std::function<void(const MenuTextItem&)>& visit_;
  unsigned nestedPopups_ = 0;
};

void TranslateMenuItem(LanguageTable& table, const char* section, const MenuTextItem& item) {
  std::string text(LanguageTable::kWorkSize, '\0');
  const size_t length = table.ReadTranslation(section, std::to_string(item.key).c_str(), text.data(), text.size());
  if (length == 0) return;
  text.resize(length);
  if (const char* accelerator = std::strchr(item.text, '\t')) text += accelerator;
  // Only the text changes: the item keeps its command, submenu and state.
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = text.data();
  SetMenuItemInfoA(item.menu, item.position, TRUE, &info);
}

}  // namespace

void WalkMenuTexts(HMENU menu, const std::function<void(const MenuTextItem&)>& visit) {
  MenuWalk(visit).Walk(menu, true);
}

HMENU LoadTranslatedMenu(WORD menuId) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
  LanguageTable* table = InstalledLanguageTable();
  if (menu == nullptr || table == nullptr || !table->HasLanguageFile()) return menu;
  char section[kSectionSize];
  FormatSectionName(section, "menu", menuId);
  WalkMenuTexts(menu, [&](const MenuTextItem& item) { TranslateMenuItem(*table, section, item); });
  return menu;
}

}  // namespace wrenhollow
