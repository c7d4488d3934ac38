// gui_driver: drives the program's main window from outside, as a user or Windows would.
//
//   gui_driver [--class NAME] COMMAND [ARGS] [COMMAND [ARGS]]...
//     wait [TIMEOUT_MS]           wait for the main window (class Wrenhollow unless --class says otherwise)
//     command ID | post ID        WM_COMMAND, sent (waits for the handler) or posted
//     rows                        the row count, then each row: image, then the column texts, tab-separated
//     columns                     the column titles and their header format and image
//     status [INDEX]              a status-bar part's text (part 0 when not given)
//     title | settitle TEXT       read the window title, or ask the window to change it (prints its answer)
//     click-header COLUMN         a real mouse click on a column header
//     clipboard                   the clipboard's text
//     screenshot FILE.bmp         what the screen shows of the main window
//     press DIALOG_TITLE ID       press button ID of the program's visible dialog with that title
//     menu                        the menu bar's items and their submenus: id, state flags and text
//     tray                        whether the program's tray icon is there
//
// Commands run in order; the first failure stops the run with exit code 1 (2 for a usage error).
#include <windows.h>

#include <commctrl.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "gui_driver/gui_driver.h"

using namespace wrenhollow::e2e;

namespace {

int Usage(const std::string& why) {
  std::fprintf(stderr, "gui_driver: %s\n(see the comment at the top of main.cpp for the commands)\n", why.c_str());
  return 2;
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "gui_driver: %s\n", why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string className = "Wrenhollow";
  int i = 1;
  if (i + 1 < argc && std::string(argv[i]) == "--class") {
    className = argv[i + 1];
    i += 2;
  }
  if (i >= argc) return Usage("no command");
  auto window = [&]() { return FindTopLevelWindow(className.c_str(), 0); };
  while (i < argc) {
    const std::string command = argv[i++];
    auto has = [&](int count) { return i + count <= argc; };
    auto number = [&]() { return std::atoi(argv[i++]); };
    if (command == "wait") {
      const DWORD timeout = has(1) ? static_cast<DWORD>(number()) : 10000;
      if (WaitForWindow(className.c_str(), 0, timeout) == nullptr) return Fail("no window of class " + className);
      continue;
    }
    if (command == "clipboard") {
      std::printf("%s\n", ClipboardText().c_str());
      continue;
    }
    HWND main = window();
    if (main == nullptr) return Fail("no window of class " + className);
    AppWindow app(main);
    if ((command == "command" || command == "post") && has(1)) {
      const WORD id = static_cast<WORD>(number());
      if (!(command == "command" ? app.SendCommand(id) : app.PostCommand(id))) return Fail("the window did not answer");
    } else if (command == "rows") {
      const int count = app.RowCount();
      std::printf("%d row(s)\n", count);
      for (const ListRow& row : app.ReadRows()) {
        std::printf("[%d]", row.image);
        for (const std::string& text : row.texts) std::printf("\t%s", text.c_str());
        std::printf("\n");
      }
    } else if (command == "columns") {
      for (int column = 0; column < app.ColumnCount(); ++column) {
        int format = 0, image = 0;
        app.HeaderItemFormat(column, &format, &image);
        std::printf("%d\t%s\tformat=0x%x image=%d\n", column, app.ColumnTitle(column).c_str(), format, image);
      }
    } else if (command == "status") {
      const int part = has(1) && std::isdigit(static_cast<unsigned char>(argv[i][0])) ? number() : 0;
      std::printf("%s\n", app.StatusText(part).c_str());
    } else if (command == "title") {
      std::printf("%s\n", app.Title().c_str());
    } else if (command == "settitle" && has(1)) {
      std::printf("%ld\n", static_cast<long>(app.SetTitle(argv[i++])));
    } else if (command == "click-header" && has(1)) {
      std::string error;
      if (!app.ClickHeader(number(), &error)) return Fail(error);
    } else if (command == "screenshot" && has(1)) {
      std::string error;
      if (!SaveScreenshot(main, argv[i++], &error)) return Fail(error);
    } else if (command == "press" && has(2)) {
      DWORD processId = 0;
      GetWindowThreadProcessId(main, &processId);
      HWND dialog = WaitForDialog(processId, argv[i], 5000);
      if (dialog == nullptr) return Fail(std::string("no dialog titled ") + argv[i]);
      ++i;
      if (!PressDialogButton(dialog, number())) return Fail("no such button");
    } else if (command == "menu") {
      std::vector<std::pair<HMENU, int>> pending = {{app.Menu(), 0}};
      while (!pending.empty()) {
        const auto [menu, depth] = pending.back();
        pending.pop_back();
        std::vector<MenuItem> items;
        std::string error;
        if (!ReadMenu(main, menu, &items, &error)) return Fail(error);
        for (auto item = items.rbegin(); item != items.rend(); ++item) {
          if (item->submenu != nullptr) pending.push_back({item->submenu, depth + 1});
        }
        for (const MenuItem& item : items) {
          std::string text = item.text;
          const size_t tab = text.find('\t');
          if (tab != std::string::npos) text.replace(tab, 1, "\\t");
          std::printf("%*s%u\tstate=0x%x\t%s\n", depth * 2, "", item.id, item.state, text.c_str());
        }
      }
    } else if (command == "tray") {
      std::printf("%s\n", TrayIconPresent(main, 0) ? "icon present" : "no icon");
    } else {
      return Usage("unknown command or missing arguments: " + command);
    }
  }
  return 0;
}
