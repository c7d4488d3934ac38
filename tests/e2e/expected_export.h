#pragma once

// The document each file type must hold for given titles and rows, written here from the file formats alone so
// that a saved or copied file can be compared with something the program did not produce. The golden files of
// tests/fixtures/exports check this writer (Tools suite), and this writer checks what the running program saves
// from the rows it shows.

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace wrenhollow::e2e {

// The save dialog's file types, by 1-based filter index.
enum class FileType { Text = 1, TabDelimited, Tabular, CommaDelimited, HtmlHorizontal, HtmlVertical, Xml };

struct ExportTable {
  std::vector<std::string> titles;  // visible columns, in display order, as the header shows them
  std::vector<std::string> names;   // the same columns' built-in (untranslated) titles, for XML element names
  std::vector<std::vector<std::string>> rows;  // each row's texts for those columns
};

namespace expected_detail {

// XML takes character references where HTML has entities XML does not know (as the golden files hold it).
inline std::string Escaped(const std::string& text, bool xml = false) {
  std::string out;
  for (char c : text) {
    switch (static_cast<unsigned char>(c)) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case 0xB0:
        out += xml ? "&#176;" : "&deg;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '\n':
        out += xml ? "&#10;" : "<br>";
        break;
      default:
        out += c;
    }
  }
  return out;
}

inline std::string Cell(const std::string& text) {
  std::string cell = Escaped(text);
  if (cell.empty() || cell[0] == ' ') cell += "&nbsp;";
  return cell;
}

inline std::string CommaField(const std::string& text) {
  if (text.find_first_of(",\"") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

inline std::string ElementName(std::string text) {
  for (char& c : text) {
    if (c == ' ' || c == '\\' || c == '/' || c == '(' || c == ')') c = '_';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

inline std::string Line(const std::vector<std::string>& fields, FileType type) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (type == FileType::TabDelimited) {
      line += fields[i] + "\t";
    } else {
      line += (i == 0 ? "" : ",") + CommaField(fields[i]);
    }
  }
  return line + "\r\n";
}

inline std::string HtmlHead(const std::string& title, const std::string& charset, bool rtl) {
  const std::string meta =
      charset.empty() ? "" : "<meta http-equiv='content-type' content='text/html;charset=" + charset + "'>";
  return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n<html><head>" + meta + "<title>" + title +
         "</title></head>\r\n<body>\r\n" + (rtl ? "<table dir=\"rtl\"><tr><td>\r\n" : "") + " <h3>" + title +
         "</h3>\r\n<br><h4>Created by using <a href=\"http://wrenhollow.org/\" target=\"newwin\">Wrenhollow</a></h4>"
         "<p>";
}

}  // namespace expected_detail

// The whole document of the file type for the table. HTML details that a language file changes (report title,
// character set, right-to-left) are parameters; the defaults are those of the untranslated program.
inline std::string ExpectedDocument(FileType type, const ExportTable& table, const std::string& reportTitle = "USB Log",
                                    const std::string& charset = "", bool rtl = false) {
  using namespace expected_detail;
  std::string out;
  switch (type) {
    case FileType::Text:
      for (const auto& row : table.rows) {
        const std::string rule(50, '=');
        out += rule + "\r\n";
        for (size_t i = 0; i < row.size(); ++i) {
          char title[64];
          std::snprintf(title, sizeof title, "%-18s", table.titles[i].c_str());
          out += title + std::string(": ") + row[i] + "\r\n";
        }
        out += rule + "\r\n\r\n";
      }
      break;
    case FileType::TabDelimited:
    case FileType::CommaDelimited:
      out += Line(table.titles, type);
      for (const auto& row : table.rows) out += Line(row, type);
      break;
    case FileType::Tabular:
      for (const auto& row : table.rows) {
        for (const std::string& text : row) {
          std::string field = text.substr(0, 20);
          field.resize(20, ' ');
          out += field + " ";
        }
        out += "\r\n";
      }
      break;
    case FileType::HtmlHorizontal:
      out += HtmlHead(reportTitle, charset, rtl) + "<table border=\"1\" cellpadding=\"5\"><tr bgcolor=\"E0E0E0\">\r\n";
      for (const std::string& title : table.titles) out += "<th>" + title + "\r\n";
      for (const auto& row : table.rows) {
        out += "<tr>";
        for (const std::string& text : row) out += "<td bgcolor=#FFFFFF nowrap>" + Cell(text);
        out += "\r\n";
      }
      out += "</table>\r\n" + std::string(rtl ? "</table>" : "") + "\r\n</body></html>";
      break;
    case FileType::HtmlVertical:
      out += HtmlHead(reportTitle, charset, rtl);
      for (const auto& row : table.rows) {
        out += "<table border=\"1\" cellpadding=\"5\">\r\n";
        for (size_t i = 0; i < row.size(); ++i) {
          out += "<tr><td bgcolor=\"E0E0E0\" nowrap><b>" + table.titles[i] + "</b><td bgcolor=#FFFFFF nowrap>" +
                 Cell(row[i]) + "\r\n";
        }
        out += "</table><p>\r\n";
      }
      out += std::string(rtl ? "</table>" : "") + "\r\n</body></html>";
      break;
    case FileType::Xml:
      out += "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<usb_log>\r\n";
      for (const auto& row : table.rows) {
        out += "<item>\r\n";
        for (size_t i = 0; i < row.size(); ++i) {
          const std::string name = ElementName(table.names[i]);
          out += "<" + name + ">" + Escaped(row[i], true) + "</" + name + ">\r\n";
        }
        out += "</item>\r\n";
      }
      out += "</usb_log>\r\n";
      break;
  }
  return out;
}

}  // namespace wrenhollow::e2e
