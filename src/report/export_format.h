#pragma once

namespace wrenhollow {

// The export formats; the numbers are also the save dialog's file-type index.
enum class ExportFormat : int {
  Text = 1,
  TabDelimited = 2,
  Tabular = 3,
  CommaDelimited = 4,
  HtmlHorizontal = 5,
  HtmlVertical = 6,
  Xml = 7,
  JsonLines = 8,
};

}  // namespace wrenhollow
