// The command line: export switches that write a report and exit without a window, and the switches around them.
// An export makes no device reading, so every report holds no rows: the golden files of no rows.
#include <set>

#include "e2e_support.h"

namespace wrenhollow::e2e {
namespace {

// The header of the layout of tests/fixtures/settings/layout.cfg: Event Time, Drive Letter and USB Protocol hidden,
// Description moved to the front.
const char kLayoutHeader[] =
    "Description,Device Name,Event Type,Device Type,Serial Number,Vendor ID,Product ID,Vendor Name,Product Name,"
    "Firmware Revision,USB Class,USB SubClass\r\n";

constexpr DWORD kOpensWindow = ~0u;

struct CommandLineCase {
  const char* arguments;
  std::string written;         // the file the run leaves beside the exe, "-" for standard output, "" for none
  const char* golden;          // what it holds: a file under tests/fixtures, or "" for the text below
  std::string text = "";       // what it holds; for a failed run, how its message box begins
  DWORD exitCode = 0;          // or kOpensWindow: the program starts as usual
  const char* settings = "";   // the settings file beside the exe before the run, under tests/fixtures
  bool standardOutput = true;
};

const CommandLineCase kCases[] = {
    {"/stext out.txt", "out.txt", "exports/no_rows.txt"},
    {"/stab out.txt", "out.txt", "exports/no_rows.tab.txt"},
    {"/stabular out.txt", "out.txt", "exports/no_rows.tabular.txt"},
    {"/scomma \"my report.csv\"", "my report.csv", "exports/no_rows.csv"},
    {"/shtml out.html", "out.html", "exports/no_rows.h.html"},
    {"/sverhtml out.html", "out.html", "exports/no_rows.v.html"},
    {"/sxml out.xml", "out.xml", "exports/no_rows.xml"},
    // Two quotes and a space: an empty argument, not the end of the line.
    {"/sxml \"\" ", "-", "exports/no_rows.xml"},
    // Started from a shortcut there is no standard output: nothing to write to, and nothing wrong.
    {"/sxml \"\" ", "", "", "", 0, "", false},
    // A failed export tells the user, then the script that started it, with the system's error code.
    {"/scomma missing\\out.csv", "", "", "Error 3: ", 3},
    {"/SXml first.txt /scomma second.csv", "second.csv", "exports/no_rows.csv"},
    {"/sort ~Description /sort 2 /scomma out.csv /sort", "out.csv", "exports/no_rows.csv"},
    {"/stab", "", "", "", kOpensWindow},
    {"/deleteregkey /scomma out.csv", "", ""},
    {"/scomma out.csv", "out.csv", "", kLayoutHeader, 0, "settings/layout.cfg"},
    {"/nosaveload /scomma out.csv", "out.csv", "", kLayoutHeader, 0, "settings/layout.cfg"},
    // The exception dialog is never offered for translation. The language template is pinned here alone.
    {"/savelangfile", "wrenhollow_lng.ini", "language/template.ini"},
};

TEST(CommandLine, EachRunLeavesItsFileAndExitCode) {
  ASSERT_TRUE(LoadDevices({}));
  for (const CommandLineCase& c : kCases) {
    SCOPED_TRACE(c.arguments);
    Product product;
    const std::string settings = *c.settings != '\0' ? test::ReadFixture(c.settings) : "";
    if (!settings.empty()) ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), settings));
    if (c.exitCode == kOpensWindow) {
      ASSERT_TRUE(product.Start(c.arguments));
      ASSERT_TRUE(product.Exit());
      continue;
    }
    std::string output, message;
    DWORD code = 99;
    ASSERT_TRUE(product.Run(c.arguments, &code, c.standardOutput ? &output : nullptr, &message));
    EXPECT_EQ(code, c.exitCode);
    if (c.exitCode != 0) {
      EXPECT_EQ(message.substr(0, c.text.size()), c.text);
      continue;
    }
    EXPECT_EQ(message, "");
    const std::string written = c.written == "-" ? output : ReadFileBytes(product.Path(c.written));
    if (*c.golden != '\0') {
      test::ExpectGolden(c.golden, written);
    } else {
      EXPECT_EQ(written, c.text);
    }
    // Nothing else: an export never writes the settings, and only the last export switch counts.
    std::set<std::string> files = {"wrenhollow.exe"};
    if (!settings.empty()) files.insert("wrenhollow.cfg");
    if (!c.written.empty() && c.written != "-") files.insert(c.written);
    EXPECT_EQ(FilesIn(product.Folder()), files);
    EXPECT_EQ(ReadFileBytes(product.SettingsPath()), settings);
  }
}

}  // namespace
}  // namespace wrenhollow::e2e
