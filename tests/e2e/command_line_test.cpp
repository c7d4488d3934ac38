// The command line: export switches that write a report and exit without a window, and the switches around
// them. The export makes no device reading, so every report holds zero rows: the golden files of zero rows.
#include <windows.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

struct ExportCase {
  const char* flag;
  const char* golden;  // in tests/fixtures/exports
};

const ExportCase kExports[] = {
    {"/stext", "no_rows.txt"},  {"/stab", "no_rows.tab.txt"}, {"/stabular", "no_rows.tabular.txt"},
    {"/scomma", "no_rows.csv"}, {"/shtml", "no_rows.h.html"}, {"/sverhtml", "no_rows.v.html"},
    {"/sxml", "no_rows.xml"}};

void PrintTo(const ExportCase& c, std::ostream* out) { *out << c.flag; }

std::string Golden(const char* name) {
  bool found = false;
  const std::string bytes = ReadFileBytes(FixtureFile(std::string("exports/") + name), &found);
  EXPECT_TRUE(found) << "no golden file " << name;
  return bytes;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// Runs an export that must end by itself with exit code 0, without a window.
void RunExport(Product& product, const std::string& arguments, std::string* output = nullptr) {
  DWORD code = 99;
  ASSERT_TRUE(product.Run(arguments, &code, output)) << arguments;
  EXPECT_EQ(code, 0u) << arguments;
}

class ExportSwitch : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportSwitch, WritesItsFormatToTheNamedFile) {
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  Product product;
  const std::string out = product.Folder() + "\\my report.out";
  RunExport(product, std::string(GetParam().flag) + " " + Quoted(out));
  bool found = false;
  const std::string written = ReadFileBytes(out, &found);
  ASSERT_TRUE(found) << "no file written";
  EXPECT_EQ(written, Golden(GetParam().golden));
  EXPECT_FALSE(FileExists(product.SettingsPath())) << "the export mode never writes the settings";
}

TEST_P(ExportSwitch, WritesItsFormatToStandardOutputForAnEmptyName) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  std::string output;
  // Two quotes and a space: an empty argument, not the end of the line.
  RunExport(product, std::string(GetParam().flag) + " \"\" ", &output);
  EXPECT_EQ(output, Golden(GetParam().golden));
  EXPECT_EQ(FilesIn(product.Folder()), (std::vector<std::string>{"wrenhollow.exe"}));
}

TEST_P(ExportSwitch, AsTheLastArgumentStartsTheWindow) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start(GetParam().flag));
  EXPECT_TRUE(product.Exit());
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ExportSwitch, ::testing::ValuesIn(kExports),
                         [](const auto& info) { return std::string(info.param.flag + 2); });

TEST(CommandLine, AnEmptyNameAtTheEndOfTheLineIsNoArgumentSoTheWindowStarts) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start("/stext \"\""));
  EXPECT_TRUE(product.Exit());
}

TEST(CommandLine, TheLastOfSeveralExportSwitchesWins) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  const std::string first = product.Folder() + "\\first.txt";
  const std::string second = product.Folder() + "\\second.xml";
  RunExport(product, "/stab " + Quoted(first) + " /sxml " + Quoted(second));
  EXPECT_FALSE(FileExists(first));
  EXPECT_EQ(ReadFileBytes(second), Golden("no_rows.xml"));
}

TEST(CommandLine, SortSwitchesAroundAnExportAreTakenAsSortKeys) {
  ASSERT_TRUE(LoadDevices({}));
  // By display position, by exact title, by part of a title, descending, as the last argument, and none.
  const char* sorts[] = {"/sort 2", "/sort \"Vendor ID\"", "/sort vendor", "/sort ~Description", "/sort 1 /sort ~0",
                         "/nosort", "/SORT ~14 /NoSort"};
  for (const char* sort : sorts) {
    SCOPED_TRACE(sort);
    Product product;
    const std::string out = product.Folder() + "\\sorted.csv";
    RunExport(product, std::string(sort) + " /scomma " + Quoted(out));
    EXPECT_EQ(ReadFileBytes(out), Golden("no_rows.csv"));
  }
  Product product;
  const std::string out = product.Folder() + "\\sorted.csv";
  RunExport(product, "/scomma " + Quoted(out) + " /sort");
  EXPECT_EQ(ReadFileBytes(out), Golden("no_rows.csv"));
}

TEST(CommandLine, UpperCaseSwitchesWorkLikeLowerCase) {
  ASSERT_TRUE(LoadDevices({}));
  for (const ExportCase& c : {ExportCase{"/SCOMMA", "no_rows.csv"}, ExportCase{"/SXml", "no_rows.xml"},
                              ExportCase{"/SHTML", "no_rows.h.html"}}) {
    SCOPED_TRACE(c.flag);
    Product product;
    const std::string out = product.Folder() + "\\out";
    RunExport(product, std::string(c.flag) + " " + Quoted(out));
    EXPECT_EQ(ReadFileBytes(out), Golden(c.golden));
  }
}

TEST(CommandLine, DeleteRegKeyExitsWithoutAWindowOrAFile) {
  ASSERT_TRUE(LoadDevices({}));
  for (const char* arguments : {"/deleteregkey", "/DeleteRegKey /scomma out.csv"}) {
    SCOPED_TRACE(arguments);
    Product product;
    DWORD code = 99;
    ASSERT_TRUE(product.Run(arguments, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FilesIn(product.Folder()), (std::vector<std::string>{"wrenhollow.exe"}));
  }
}

// Columns: for each of the 15 columns its width and display position, 16 bits each, as hex pairs. Event Time,
// Drive Letter and USB Protocol hidden; Description moved to the front and Event Type to its place.
const char kLayoutSettings[] =
    "[General]\r\n"
    "Columns=64 00 03 00 00 00 01 00 96 00 02 00 96 00 00 00 78 00 04 00 00 00 05 00 78 00 06 00 64 00 07 00 "
    "64 00 08 00 96 00 09 00 96 00 0A 00 64 00 0B 00 50 00 0C 00 50 00 0D 00 00 00 0E 00\r\n";
const char kLayoutHeader[] =
    "Description,Device Name,Event Type,Device Type,Serial Number,Vendor ID,Product ID,Vendor Name,Product Name,"
    "Firmware Revision,USB Class,USB SubClass\r\n";

TEST(CommandLine, HiddenColumnsOfTheSettingsFileAreLeftOutAndTheOrderKept) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), kLayoutSettings));
  const std::string csv = product.Folder() + "\\out.csv";
  RunExport(product, "/scomma " + Quoted(csv));
  EXPECT_EQ(ReadFileBytes(csv), kLayoutHeader);
  const std::string html = product.Folder() + "\\out.html";
  RunExport(product, "/shtml " + Quoted(html));
  const std::string page = ReadFileBytes(html);
  EXPECT_EQ(page.find("<th>Event Time"), std::string::npos);
  EXPECT_EQ(page.find("<th>Drive Letter"), std::string::npos);
  EXPECT_EQ(page.find("<th>USB Protocol"), std::string::npos);
  EXPECT_LT(page.find("<th>Description"), page.find("<th>Event Type")) << page;
  EXPECT_EQ(ReadFileBytes(product.SettingsPath()), kLayoutSettings) << "the export mode never writes the settings";
}

TEST(CommandLine, NoSaveLoadDoesNotStopTheExportFromReadingTheSettings) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), kLayoutSettings));
  const std::string csv = product.Folder() + "\\out.csv";
  RunExport(product, "/nosaveload /scomma " + Quoted(csv));
  EXPECT_EQ(ReadFileBytes(csv), kLayoutHeader);
  EXPECT_EQ(ReadFileBytes(product.SettingsPath()), kLayoutSettings);
}

}  // namespace
}  // namespace wrenhollow::e2e
