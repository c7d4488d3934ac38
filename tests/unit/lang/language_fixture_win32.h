#pragma once

#include <windows.h>
#include <commctrl.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "lang/language_table.h"
#include "lang/string_table_win32.h"
#include "util/files_win32.h"
#include "util/profile_files_win32.h"

namespace wrenhollow::test {

// A language table over the Win32 adapters for a program "app.exe" in a temporary folder, installed for the
// program-wide lookups while it lives.
class InstalledLanguage {
 public:
  InstalledLanguage() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    InstallLanguageTable(&table_);
  }
  ~InstalledLanguage() { InstallLanguageTable(nullptr); }

  std::string ProgramPath() const { return folder_.File("app.exe"); }
  // Writes ini as the program's language file and loads it.
  void Load(const std::string& ini) {
    folder_.Put("app_lng.ini", ini);
    table_.LoadLanguageFile(ProgramPath().c_str());
  }
  std::string LanguageFilePath() const { return folder_.File("app_lng.ini"); }
  std::string FileText() const { return folder_.Get("app_lng.ini").value_or("<missing>"); }
  LanguageTable& Table() { return table_; }

 private:
  TempFolder folder_;
  Win32ProfileFiles files_;
  Win32StringTable strings_;
  LanguageTable table_{files_, strings_, FileExists};
};

// The section names of an INI text, in file order.
inline std::vector<std::string> SectionNames(const std::string& ini) {
  std::vector<std::string> names;
  std::istringstream lines(ini);
  for (std::string line; std::getline(lines, line);) {
    if (line[0] == '[') names.push_back(line.substr(1, line.find(']') - 1));
  }
  return names;
}

inline std::string WindowText(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace wrenhollow::test
