#pragma once

#include <windows.h>

#include <functional>

namespace wrenhollow {

// Language file keys of items that open a submenu: on a menu's top level kTopPopupKey + the position, deeper
// down kNestedPopupKey + 1, + 2 and so on in the order the walk meets them.
constexpr unsigned kTopPopupKey = 70001;
constexpr unsigned kNestedPopupKey = 71000;

// An item with text, as WalkMenuTexts meets it.
struct MenuTextItem {
  HMENU menu;
  int position;
  // The item's language file key: its command id, or a popup key as above.
  unsigned key;
  // The whole text, accelerator part included.
  const char* text;
};

// Calls visit for every item with text of menu and its submenus, each item before its submenu, in position
// order; separators are passed over but keep their positions. visit may change the item's text.
void WalkMenuTexts(HMENU menu, const std::function<void(const MenuTextItem&)>& visit);

// The program's menu resource menuId, its texts taken from the installed language table's [menu_<id>] where it
// has them; the part of an item's text from its first tab on stays. Null when the program has no such menu.
HMENU LoadTranslatedMenu(WORD menuId);

}  // namespace wrenhollow
