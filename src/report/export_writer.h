#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/export_format.h"
#include "report/export_sink.h"
#include "report/report_list.h"

namespace wrenhollow {

// One export in progress: the list, its visible columns fixed at the start, the sink, and the work buffers
// that hold one item text and one formatted line at a time.
class ExportWriter {
 public:
  ExportWriter(const ReportList& list, ExportSink& sink);
  ExportWriter(const ExportWriter&) = delete;
  ExportWriter& operator=(const ExportWriter&) = delete;

  // Document start: HTML head, XML head, or the header line of the delimited formats.
  bool WriteStart(ExportFormat format);
  // One item in the format; false for a format outside 1..8 or when the item's last write failed.
  bool WriteItem(const ReportItem& item, ExportFormat format);
  bool WriteEnd(ExportFormat format);

  const ReportList& List() const { return list_; }
  const std::vector<int>& Visible() const { return visible_; }
  ExportSink& Sink() { return sink_; }
  bool Write(std::string_view bytes) { return sink_.Write(bytes); }
  // printf into the line buffer, cut to fit but keeping a final CR LF, then written.
  bool WriteLine(const char* format, ...);
  // The item's text of a column, in the text buffer.
  const char* Text(const ReportItem& item, int column);
  const ReportColumn& Column(int id) const { return list_.Columns()[static_cast<size_t>(id)]; }

 private:
  bool WriteTextRecord(const ReportItem& item);
  bool WriteDelimitedLine(const ReportItem* item, bool comma);
  bool WriteTabularLine(const ReportItem& item);

  const ReportList& list_;
  ExportSink& sink_;
  std::vector<int> visible_;
  std::vector<char> text_;
  std::vector<char> line_;
  std::string delimited_;
};

// HTML and XML parts of an export (html_export.cpp, xml_export.cpp).
bool WriteHtmlRow(ExportWriter& writer, const ReportItem& item);
bool WriteHtmlRecordTable(ExportWriter& writer, const ReportItem& item);
bool WriteXmlHead(ExportWriter& writer);
bool WriteXmlItem(ExportWriter& writer, const ReportItem& item);
bool WriteXmlFoot(ExportWriter& writer);

// Writes every item of the list, in array order, that the list includes in a full export.
bool ExportAllItems(const ReportList& list, ExportSink& sink, ExportFormat format);

// A row of the list view, in display order: the item it shows and whether it is selected.
struct ExportRow {
  int itemIndex;
  bool selected;
};
// Writes the items of the given rows, or of the selected ones only, in the rows' order.
bool ExportRows(const ReportList& list, ExportSink& sink, ExportFormat format, const std::vector<ExportRow>& rows,
                bool selectedOnly);

}  // namespace wrenhollow
