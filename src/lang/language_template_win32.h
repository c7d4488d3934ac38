#pragma once

namespace wrenhollow {

class LanguageTable;

// Writes the language template beside the program, for translators to fill in, through the installed table
// (nothing without one). See WriteLanguageTemplate.
void SaveLanguageTemplate();

// Writes the template into the language file named after programPath, a file that exists too: [general],
// a [menu_<id>] for every menu resource, a [dialog_<id>] for every dialog resource not in table's skip list,
// then [strings]. Keys already holding a non-empty value keep it, except [general] Version, which becomes the
// program's file version. Afterwards no language file is in use. Write failures go unreported.
void WriteLanguageTemplate(LanguageTable& table, const char* programPath);

}  // namespace wrenhollow
