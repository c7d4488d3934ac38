#pragma once

namespace wrenhollow {

// Columns are inserted into the list view with LVCF_WIDTH | LVCF_TEXT.
constexpr int kColumnMaskWidthText = 6;

// One column of a list's table; its id is its index in the table and its list-view column index.
struct ColumnDef {
  int id;
  int listViewMask;
  int format;  // LVCOLUMN format; 0 = left-aligned
  int defaultWidth;
  unsigned titleId;  // string id of the title
  char htmlWidth[4];
  int noWrap;
  int tabularWidth;  // characters in the tabular text export
};

// A column as the list holds it once its title is resolved.
struct ReportColumn {
  ColumnDef def;
  const char* title;              // translated
  const char* untranslatedTitle;  // the program's own text: XML element names, "/sort" matching
};

}  // namespace wrenhollow
