#pragma once

#include <cstddef>
#include <string_view>

#include "report/export_writer.h"

namespace wrenhollow {

enum class Markup { Html, Xml };

// Item texts in markup: <, >, &, the double quote, the degree sign 0xB0 and line feeds become entities or tags,
// and in XML carriage returns become character references too.
// XML takes character references where HTML has "&deg;" and "<br>", which XML does not know, and "?" for the
// control characters XML 1.0 cannot hold at all. Stops before an escape that would not fit into size - 1
// characters; returns the length written.
size_t EscapeMarkup(std::string_view text, Markup markup, char* out, size_t size);

// "E0E0E0" for 0xE0E0E0: red, green, blue as upper-case hex.
void FormatColor(Colorref color, char (&text)[8]);

// Head and foot of a report page (formats 5 and 6): title, credit line and, for format 5, the column header row;
// a charset meta tag and a right-to-left wrapper when the language asks for them.
bool WriteReportHtmlHead(ExportWriter& writer, ExportFormat format, const char* charset, bool rightToLeft);
bool WriteReportHtmlFoot(ExportWriter& writer, ExportFormat format, bool rightToLeft);

}  // namespace wrenhollow
