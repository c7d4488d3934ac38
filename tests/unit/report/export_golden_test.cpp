// Every export format, byte for byte, against the golden files in tests/fixtures/exports.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "events/event_columns.h"
#include "events/event_report_list.h"
#include "lang/language_table.h"
#include "portable/registry_memory.h"
#include "report/export_writer.h"
#include "report/save_filter.h"
#include "support/device_events.h"
#include "support/fixture_path.h"
#include "support/golden.h"
#include "report/text_item.h"
#include "portable/profile_files_portable.h"
#include "portable/clock_fixed.h"
#include "portable/volume_table.h"
#include "portable/string_table_builtin.h"

namespace wrenhollow {
namespace {

class StringSink : public ExportSink {
 public:
  bool Write(std::string_view bytes) override {
    bytes_.append(bytes);
    return true;
  }
  std::string bytes_;
};

// Renders every format of the list up to the last one given and compares each with its golden file.
void CheckGoldens(const ReportList& list, const std::string& name, int lastFormat = 8) {
  const char* const extensions[] = {"", "txt", "tab.txt", "tabular.txt", "csv", "h.html", "v.html", "xml", "jsonl"};
  for (int format = 1; format <= lastFormat; ++format) {
    StringSink sink;
    ASSERT_TRUE(ExportAllItems(list, sink, static_cast<ExportFormat>(format)));
    test::ExpectGolden(name + "." + extensions[format], sink.bytes_);
  }
}

class ExportGoldenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEventClock(&clock_, nullptr);
    InstallLanguageTable(&language_);
  }
  void TearDown() override {
    InstallLanguageTable(nullptr);
    SetEventClock(nullptr, nullptr);
  }

  void AddRows(EventReportList& list, int count) {
    const DeviceEvent events[] = {
        test::SampleEvent(EventType::Plug, "SanDisk Cruzer Blade USB Device", "4C530001230105117312", "Port_#0001.Hub_#0004",
              "EG", 0x781, 0x5567),
        // Every byte the formats treat specially, an empty text and a leading space.
        test::SampleEvent(EventType::Unplug, "Cam <HD> & \"Pro\" 90\xB0\nline two\rend, done", " lead", "", "", 0x46D, 0xC52B),
        test::SampleEvent(EventType::Plug, "A very long description that a tabular column cuts", "", "x", "F", 0x1234, 1),
    };
    list.Database().ParseUsbIds("0781  SanDisk Corp.\n\t5567  Cruzer Blade\n046d  Logitech, Inc.\n");
    for (int i = 0; i < count; ++i) list.AddItem(BuildUsbEvent(events[i], list.Database()));
  }

  FixedClock clock_{0};
  PortableProfileFiles profiles_;
  BuiltinStringTable strings_;
  LanguageTable language_{profiles_, strings_, [](const char* path) { return std::ifstream(path).good(); }};
  MemoryHive hive_;
  VolumeTable volumes_;
};

TEST_F(ExportGoldenTest, NoRowsOneRowAndEscapesAndEdges) {
  for (const auto& [name, rows] : {std::pair{"no_rows", 0}, std::pair{"one_row", 1}, std::pair{"escapes", 3}}) {
    EventReportList list(hive_, volumes_, clock_);
    AddRows(list, rows);
    CheckGoldens(list, std::string("exports/") + name);
  }
}

TEST_F(ExportGoldenTest, HiddenAndReorderedColumns) {
  EventReportList list(hive_, volumes_, clock_);
  AddRows(list, 2);
  std::vector<ColumnLayoutEntry>& layout = list.Layout();
  for (ColumnLayoutEntry& entry : layout) entry.width = 0;
  layout[kColumnDescription] = {150, 0};
  layout[kColumnEventType] = {80, 2};
  layout[kColumnSerialNumber] = {120, 1};
  layout[kColumnFirmwareRevision] = {100, 1};  // shares position 1: after the serial number, by id
  CheckGoldens(list, "exports/layout");
}

TEST_F(ExportGoldenTest, LanguageFileWithCharsetAndRightToLeft) {
  const std::string program = test::FixturePath("exports/translated.exe");
  language_.LoadLanguageFile(program.c_str());
  ASSERT_STREQ(language_.Charset(), "windows-1251");
  EventReportList list(hive_, volumes_, clock_);
  AddRows(list, 1);
  CheckGoldens(list, "exports/translated");
}

TEST_F(ExportGoldenTest, SelectedRowsInDisplayOrderAndBadFormats) {
  EventReportList list(hive_, volumes_, clock_);
  for (const char* serial : {"first", "second", "third"}) {
    list.AddItem(BuildUsbEvent(test::SampleEvent(EventType::Plug, "d", serial, "", "", 1, 1), list.Database()));
  }
  for (ColumnLayoutEntry& entry : list.Layout()) entry.width = 0;
  list.Layout()[kColumnSerialNumber].width = 100;

  StringSink sink;
  ASSERT_TRUE(ExportRows(list, sink, ExportFormat::TabDelimited, {{2, true}, {9, true}, {0, false}, {1, true}}, true));
  EXPECT_EQ(sink.bytes_, "Serial Number\t\r\nthird\t\r\nsecond\t\r\n");
  StringSink none;
  ASSERT_TRUE(ExportRows(list, none, ExportFormat::CommaDelimited, {{0, false}}, true));
  EXPECT_EQ(none.bytes_, "Serial Number\r\n");  // the header line only
  StringSink bad;
  EXPECT_FALSE(ExportAllItems(list, bad, static_cast<ExportFormat>(9)));
  EXPECT_EQ(bad.bytes_, "");
  EventReportList empty(hive_, volumes_, clock_);
  EXPECT_TRUE(ExportAllItems(empty, bad, static_cast<ExportFormat>(0)));
}

// One file type per format, in format order, the list ending in two NULs.
TEST_F(ExportGoldenTest, SaveFilterOffersEveryFormat) {
  char filter[kSaveFilterSize];
  BuildSaveFilter(filter);
  std::string parts;
  for (const char* part = filter; *part != '\0'; part += std::char_traits<char>::length(part) + 1) parts += std::string(part) + "|";
  EXPECT_EQ(parts,
            "Text File (*.txt)|*.txt|Tab Delimited Text File (*.txt)|*.txt|Tabular Text File (*.txt)|*.txt|"
            "Comma Delimited Text File (*.csv)|*.csv|HTML File - Horizontal (*.htm;*.html)|*.htm;*.html|"
            "HTML File - Vertical (*.htm;*.html)|*.htm;*.html|XML File (*.xml)|*.xml|JSON Lines (*.jsonl)|*.jsonl|");
}

// Texts far longer than the work buffers: each format cuts them inside its buffers and keeps its line ends
// and escapes whole (no language table: the text format's title is empty).
TEST(ExportBufferTest, LongTextsAreCutInsideTheBuffersAndLinesKeepTheirEnds) {
  const std::string ampersands(8000, '&');
  const std::string letters(9000, 'x');
  ReportList list(sizeof(test::TextItem), 4);
  const ColumnDef column = {0, 6, 0, 100, 1004, "", 1, 20};
  list.InitColumns(&column, 1);
  list.AddItem(test::Texts(ampersands.c_str()));
  list.AddItem(test::Texts(letters.c_str()));
  CheckGoldens(list, "long_texts/long_texts", 7);  // a plain list has no JSON form
  StringSink json;
  EXPECT_FALSE(ExportAllItems(list, json, ExportFormat::JsonLines));
}

}  // namespace
}  // namespace wrenhollow
