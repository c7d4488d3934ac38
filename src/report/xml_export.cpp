#include <vector>

#include "report/export_writer.h"
#include "report/html_export.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

constexpr size_t kElementNameSize = 256;

// "Serial Number" gives serial_number: spaces, slashes and parentheses become "_", letters lower case.
void ElementName(const char* text, char (&name)[kElementNameSize]) {
  CopyBounded(name, text);
  for (char* p = name; *p != '\0'; ++p) {
    char& c = *p;
    if (c == ' ' || c == '\\' || c == '/' || c == '(' || c == ')') c = '_';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
}

}  // namespace

bool WriteXmlHead(ExportWriter& writer) {
  char root[kElementNameSize];
  ElementName(writer.List().ReportTitleUntranslated(), root);
  writer.Write("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n");
  return writer.WriteLine("<%s>\r\n", root);
}

bool WriteXmlItem(ExportWriter& writer, const ReportItem& item) {
  std::vector<char> text(kReportTextSize - 2 * kElementNameSize - 16);
  writer.Write("<item>\r\n");
  for (int column : writer.Visible()) {
    char name[kElementNameSize];
    ElementName(writer.Column(column).untranslatedTitle, name);
    EscapeMarkup(writer.Text(item, column), Markup::Xml, text.data(), text.size());
    writer.WriteLine("<%s>%s</%s>\r\n", name, text.data(), name);
  }
  return writer.Write("</item>\r\n");
}

bool WriteXmlFoot(ExportWriter& writer) {
  char root[kElementNameSize];
  ElementName(writer.List().ReportTitleUntranslated(), root);
  return writer.WriteLine("</%s>\r\n", root);
}

}  // namespace wrenhollow
