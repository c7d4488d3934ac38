#include "report/html_export.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "lang/language_table.h"
#include "util/color.h"
#include "util/product_url.h"

namespace wrenhollow {
namespace {

// Room kept in a line for the markup around one escaped text (tags, colours, element names).
constexpr size_t kMarkupRoom = 640;

const char* Escape(char c, Markup markup) {
  const bool xml = markup == Markup::Xml;
  switch (static_cast<unsigned char>(c)) {
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '&': return "&amp;";
    case 0xB0: return xml ? "&#176;" : "&deg;";
    case '\n': return xml ? "&#10;" : "<br>";
    // A raw CR would reach an XML reader as LF, as line ends are normalised.
    case '\r': return xml ? "&#13;" : nullptr;
    case '\t': return nullptr;
    default: return xml && static_cast<unsigned char>(c) < 0x20 ? "?" : nullptr;
  }
}

// The escaped text of a cell, followed by "&nbsp;" when it is empty or begins with a space, so that the cell
// shows its border and its leading space.
const char* CellText(ExportWriter& writer, const ReportItem& item, int column, std::vector<char>& cell) {
  size_t length = EscapeMarkup(writer.Text(item, column), Markup::Html, cell.data(), cell.size() - kMarkupRoom);
  if (length == 0 || cell[0] == ' ') std::memcpy(cell.data() + length, "&nbsp;", 7);
  return cell.data();
}

// The colour filled into a markup pattern such as " bgcolor=\"%s\"", or "" for no colour.
template <size_t N>
void ColorMarkup(const char* pattern, Colorref color, char (&text)[N]) {
  text[0] = '\0';
  if (color == kNoColor) return;
  char hex[8];
  FormatColor(color, hex);
  std::snprintf(text, N, pattern, hex);
}

Colorref CellBackground(const ExportWriter& writer, ExportFormat format, int position) {
  const std::vector<Colorref> palette = writer.List().CellPalette(format);
  const int end = static_cast<int>(writer.List().Columns().size()) - 1;
  return BlendColor(palette.data(), static_cast<int>(palette.size()), position, end > 0 ? end : 1);
}

}  // namespace

size_t EscapeMarkup(std::string_view text, Markup markup, char* out, size_t size) {
  if (size == 0) return 0;
  size_t used = 0;
  for (char c : text) {
    const char* escape = Escape(c, markup);
    const size_t length = escape != nullptr ? std::strlen(escape) : 1;
    if (used + length > size - 1) break;
    if (escape != nullptr) {
      std::memcpy(out + used, escape, length);
    } else {
      out[used] = c;
    }
    used += length;
  }
  out[used] = '\0';
  return used;
}

void FormatColor(Colorref color, char (&text)[8]) {
  std::snprintf(text, sizeof text, "%2.2X%2.2X%2.2X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

bool WriteHtmlRow(ExportWriter& writer, const ReportItem& item) {
  std::vector<char> cell(kReportTextSize);
  writer.Write("<tr>");
  for (size_t i = 0; i < writer.Visible().size(); ++i) {
    const int column = writer.Visible()[i];
    char background[8];
    FormatColor(CellBackground(writer, ExportFormat::HtmlHorizontal, static_cast<int>(i)), background);
    writer.WriteLine(writer.Column(column).def.noWrap != 0 ? "<td bgcolor=#%s nowrap>%s" : "<td bgcolor=#%s>%s",
                     background, CellText(writer, item, column, cell));
  }
  return writer.Write("\r\n");
}

bool WriteHtmlRecordTable(ExportWriter& writer, const ReportItem& item) {
  std::vector<char> cell(kReportTextSize);
  char header[32];
  ColorMarkup(" bgcolor=\"%s\"", writer.List().HeaderBackColor(), header);
  char fontOpen[32];
  ColorMarkup("<font color=\"%s\">", writer.List().HeaderTextColor(), fontOpen);
  writer.Write("<table border=\"1\" cellpadding=\"5\">\r\n");
  for (size_t i = 0; i < writer.Visible().size(); ++i) {
    const ReportColumn& column = writer.Column(writer.Visible()[i]);
    char background[8];
    FormatColor(CellBackground(writer, ExportFormat::HtmlVertical, static_cast<int>(i)), background);
    char label[kReportTextSize / 2];
    std::snprintf(label, sizeof label, "%s%s%s", fontOpen, column.title, fontOpen[0] != '\0' ? "</font>" : "");
    writer.WriteLine("<tr><td%s nowrap><b>%s</b><td bgcolor=#%s%s>%s\r\n", header, label, background,
                     column.def.noWrap != 0 ? " nowrap" : "", CellText(writer, item, column.def.id, cell));
  }
  return writer.Write("</table><p>") && writer.Write("\r\n");
}

bool WriteReportHtmlHead(ExportWriter& writer, ExportFormat format, const char* charset, bool rightToLeft) {
  const ReportList& list = writer.List();
  writer.Write("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n");
  char meta[1024] = "";
  if (charset[0] != '\0') {
    std::snprintf(meta, sizeof meta, "<meta http-equiv='content-type' content='text/html;charset=%s'>", charset);
  }
  writer.WriteLine("<html><head>%s<title>%s</title></head>\r\n<body>\r\n%s <h3>%s</h3>\r\n", meta, list.ReportTitle(),
                   rightToLeft ? "<table dir=\"rtl\"><tr><td>\r\n" : "", list.ReportTitle());
  bool written = writer.WriteLine("<br><h4>%s <a href=\"%s\" target=\"newwin\">%s</a></h4><p>", GetString(6),
                                  kProductUrl, "Wrenhollow");
  if (format != ExportFormat::HtmlHorizontal) return written;

  char headerColor[32];
  ColorMarkup(" bgcolor=\"%s\"", list.HeaderBackColor(), headerColor);
  char fontOpen[32];
  ColorMarkup("<font color=\"%s\">", list.HeaderTextColor(), fontOpen);
  written = writer.WriteLine("<table border=\"1\" cellpadding=\"5\"><tr%s>\r\n", headerColor);
  for (int id : writer.Visible()) {
    const ReportColumn& column = writer.Column(id);
    char width[16] = "";
    if (column.def.htmlWidth[0] != '\0') std::snprintf(width, sizeof width, " width=\"%s\"", column.def.htmlWidth);
    written = writer.WriteLine("<th%s>%s%s%s\r\n", width, fontOpen, column.title, fontOpen[0] != '\0' ? "</font>" : "");
  }
  return written;
}

bool WriteReportHtmlFoot(ExportWriter& writer, ExportFormat format, bool rightToLeft) {
  if (format == ExportFormat::HtmlHorizontal) writer.Write("</table>\r\n");
  if (rightToLeft) writer.Write("</table>");
  return writer.Write("\r\n</body></html>");
}

}  // namespace wrenhollow
