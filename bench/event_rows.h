#pragma once

#include "events/event_report_list.h"
#include "lang/language_table.h"
#include "portable/profile_files_portable.h"
#include "portable/string_table_builtin.h"

namespace wrenhollow::bench {

// The program's texts, without a language file, installed for as long as it lives.
class BuiltinTexts {
 public:
  BuiltinTexts() { InstallLanguageTable(&table_); }
  ~BuiltinTexts() { InstallLanguageTable(nullptr); }

 private:
  PortableProfileFiles profiles_;
  BuiltinStringTable strings_;
  LanguageTable table_{profiles_, strings_, [](const char*) { return false; }};
};

// Fills the list with `count` rows of a few hundred devices, texts of typical lengths, in no particular order.
void AddEventRows(EventReportList& list, int count);

}  // namespace wrenhollow::bench
