#include "report/export_writer.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace wrenhollow {
namespace {

constexpr char kRecordRule[] = "==================================================\r\n";  // 50 "="

}  // namespace

ExportWriter::ExportWriter(const ReportList& list, ExportSink& sink)
    : list_(list), sink_(sink), visible_(list.VisibleColumns()), text_(kReportTextSize), line_(kReportTextSize) {}

bool ExportWriter::WriteLine(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(line_.data(), line_.size(), format, arguments);
  va_end(arguments);
  if (length < 0) return false;
  size_t used = static_cast<size_t>(length);
  if (used >= line_.size()) {
    // Cut to the buffer; a line meant to end with CR LF still does, so the lines after it stay lines.
    used = line_.size() - 1;
    const size_t formatLength = std::strlen(format);
    if (formatLength >= 2 && std::strcmp(format + formatLength - 2, "\r\n") == 0) {
      line_[used - 2] = '\r';
      line_[used - 1] = '\n';
    }
  }
  return Write(std::string_view(line_.data(), used));
}

const char* ExportWriter::Text(const ReportItem& item, int column) {
  return item.Text(column, text_.data(), text_.size());
}

bool ExportWriter::WriteStart(ExportFormat format) {
  switch (format) {
    case ExportFormat::HtmlHorizontal:
    case ExportFormat::HtmlVertical:
      return list_.WriteHtmlHead(*this, format);
    case ExportFormat::Xml:
      return WriteXmlHead(*this);
    case ExportFormat::TabDelimited:
      return WriteDelimitedLine(nullptr, false);
    case ExportFormat::CommaDelimited:
      return WriteDelimitedLine(nullptr, true);
    default:
      return true;
  }
}

bool ExportWriter::WriteItem(const ReportItem& item, ExportFormat format) {
  switch (format) {
    case ExportFormat::Text:
      return WriteTextRecord(item);
    case ExportFormat::TabDelimited:
      return WriteDelimitedLine(&item, false);
    case ExportFormat::Tabular:
      return WriteTabularLine(item);
    case ExportFormat::CommaDelimited:
      return WriteDelimitedLine(&item, true);
    case ExportFormat::HtmlHorizontal:
      return WriteHtmlRow(*this, item);
    case ExportFormat::HtmlVertical:
      return WriteHtmlRecordTable(*this, item);
    case ExportFormat::Xml:
      return WriteXmlItem(*this, item);
    case ExportFormat::JsonLines:
      return list_.WriteJsonLine(*this, item);
  }
  return false;
}

bool ExportWriter::WriteEnd(ExportFormat format) {
  switch (format) {
    case ExportFormat::HtmlHorizontal:
    case ExportFormat::HtmlVertical:
      return list_.WriteHtmlFoot(*this, format);
    case ExportFormat::Xml:
      return WriteXmlFoot(*this);
    default:
      return true;
  }
}

bool ExportWriter::WriteTextRecord(const ReportItem& item) {
  Write(kRecordRule);
  for (int column : visible_) WriteLine("%-18s: %s\r\n", Column(column).title, Text(item, column));
  return Write(kRecordRule) && Write("\r\n");
}

// Tab lines end every field with a TAB and are never quoted. Comma lines quote a field holding a comma, a
// double quote or a line break, doubling its quotes; a line break left bare would split the row for every
// reader of the file.
bool ExportWriter::WriteDelimitedLine(const ReportItem* item, bool comma) {
  std::string& line = delimited_;
  line.clear();
  for (size_t i = 0; i < visible_.size(); ++i) {
    const int column = visible_[i];
    const std::string_view text = item != nullptr ? Text(*item, column) : Column(column).title;
    if (!comma) {
      line.append(text).push_back('\t');
      continue;
    }
    if (i > 0) line.push_back(',');
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
      line.append(text);
      continue;
    }
    line.push_back('"');
    for (char c : text) {
      if (c == '"') line.push_back('"');
      line.push_back(c);
    }
    line.push_back('"');
  }
  line.append("\r\n");
  return Write(line);
}

bool ExportWriter::WriteTabularLine(const ReportItem& item) {
  size_t used = 0;
  for (int column : visible_) {
    const int width = Column(column).def.tabularWidth;
    const int written =
        std::snprintf(line_.data() + used, line_.size() - used, "%-*.*s ", width, width, Text(item, column));
    if (written < 0) return false;
    used = std::min(used + static_cast<size_t>(written), line_.size() - 1);
  }
  return Write(std::string_view(line_.data(), used)) && Write("\r\n");
}

bool ExportAllItems(const ReportList& list, ExportSink& sink, ExportFormat format) {
  ExportWriter writer(list, sink);
  bool result = true;
  writer.WriteStart(format);
  for (int i = 0; i < list.ItemCount(); ++i) {
    const ReportItem& item = *list.ItemAt(i);
    if (!list.IncludeInFullExport(item)) continue;
    if (!writer.WriteItem(item, format)) {
      result = false;
      break;
    }
  }
  writer.WriteEnd(format);
  return sink.Flush() && result;
}

bool ExportRows(const ReportList& list, ExportSink& sink, ExportFormat format, const std::vector<ExportRow>& rows,
                bool selectedOnly) {
  ExportWriter writer(list, sink);
  bool result = true;
  writer.WriteStart(format);
  for (size_t row = 0; row < rows.size(); ++row) {
    const ReportItem* item = list.ItemAt(rows[row].itemIndex);
    if (item == nullptr || (selectedOnly && !rows[row].selected)) continue;
    if (!list.IsItemExported(*item, static_cast<int>(row))) continue;
    if (!writer.WriteItem(*item, format)) {
      result = false;
      break;
    }
  }
  writer.WriteEnd(format);
  return sink.Flush() && result;
}

}  // namespace wrenhollow
