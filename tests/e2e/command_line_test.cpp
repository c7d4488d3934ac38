// The command line: export switches that write a report and exit without a window, and the switches around them.
// An export makes no device reading, so every report holds no rows: the golden files of no rows.
#include <algorithm>
#include <cstdlib>

#include "e2e_support.h"

namespace wrenhollow::e2e {
namespace {

// Event Time, Drive Letter and USB Protocol hidden, Description moved to the front: each of the 15 columns' width
// and display position, 16 bits each, as hex pairs.
const char kLayoutSettings[] =
    "[General]\r\n"
    "Columns=64 00 03 00 00 00 01 00 96 00 02 00 96 00 00 00 78 00 04 00 00 00 05 00 78 00 06 00 64 00 07 00 "
    "64 00 08 00 96 00 09 00 96 00 0A 00 64 00 0B 00 50 00 0C 00 50 00 0D 00 00 00 0E 00\r\n";
const char kLayoutHeader[] =
    "Description,Device Name,Event Type,Device Type,Serial Number,Vendor ID,Product ID,Vendor Name,Product Name,"
    "Firmware Revision,USB Class,USB SubClass\r\n";

constexpr DWORD kOpensWindow = ~0u;

std::string Golden(const std::string& name) {
  bool found = false;
  const std::string bytes = ReadFileBytes(FixtureFile(name), &found);
  EXPECT_TRUE(found) << "no golden file " << name;
  return bytes;
}

struct CommandLineCase {
  std::string arguments;
  std::string settings;  // the settings file beside the exe before the run; "" for none
  std::string written;   // the file the run leaves beside the exe, "-" for standard output, "" for none
  std::string expected;  // what it holds; for a failed run, how its message box begins
  DWORD exitCode;        // or kOpensWindow: the program starts as usual
  bool standardOutput = true;
};

std::vector<CommandLineCase> Cases() {
  return {
      {"/stext out.txt", "", "out.txt", Golden("exports/no_rows.txt"), 0},
      {"/stab out.txt", "", "out.txt", Golden("exports/no_rows.tab.txt"), 0},
      {"/stabular out.txt", "", "out.txt", Golden("exports/no_rows.tabular.txt"), 0},
      {"/scomma \"my report.csv\"", "", "my report.csv", Golden("exports/no_rows.csv"), 0},
      {"/shtml out.html", "", "out.html", Golden("exports/no_rows.h.html"), 0},
      {"/sverhtml out.html", "", "out.html", Golden("exports/no_rows.v.html"), 0},
      {"/sxml out.xml", "", "out.xml", Golden("exports/no_rows.xml"), 0},
      // Two quotes and a space: an empty argument, not the end of the line.
      {"/sxml \"\" ", "", "-", Golden("exports/no_rows.xml"), 0},
      // Started from a shortcut there is no standard output: nothing to write to, and nothing wrong.
      {"/sxml \"\" ", "", "", "", 0, false},
      // A failed export tells the user, then the script that started it, with the system's error code.
      {"/scomma missing\\out.csv", "", "", "Error 3: ", 3},
      {"/SXml first.txt /scomma second.csv", "", "second.csv", Golden("exports/no_rows.csv"), 0},
      {"/sort ~Description /sort 2 /scomma out.csv /sort", "", "out.csv", Golden("exports/no_rows.csv"), 0},
      {"/stab", "", "", "", kOpensWindow},
      {"/deleteregkey /scomma out.csv", "", "", "", 0},
      {"/scomma out.csv", kLayoutSettings, "out.csv", kLayoutHeader, 0},
      {"/nosaveload /scomma out.csv", kLayoutSettings, "out.csv", kLayoutHeader, 0},
      // The exception dialog is never offered for translation.
      {"/savelangfile", "", "wrenhollow_lng.ini", Golden("language/template.ini"), 0},
  };
}

TEST(CommandLine, EachRunLeavesItsFileAndExitCode) {
  ASSERT_TRUE(LoadDevices({}));
  const char* update = std::getenv("WRENHOLLOW_UPDATE_GOLDEN");
  for (const CommandLineCase& c : Cases()) {
    SCOPED_TRACE(c.arguments);
    Product product;
    if (!c.settings.empty()) ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), c.settings));
    std::string output, message;
    DWORD code = 99;
    if (c.exitCode == kOpensWindow) {
      ASSERT_TRUE(product.Start(c.arguments));
      ASSERT_TRUE(product.Exit());
      continue;
    }
    ASSERT_TRUE(product.Run(c.arguments, &code, c.standardOutput ? &output : nullptr, &message));
    EXPECT_EQ(code, c.exitCode);
    if (c.exitCode != 0) {
      EXPECT_EQ(message.substr(0, c.expected.size()), c.expected);
      continue;
    }
    EXPECT_EQ(message, "");
    const std::string written = c.written == "-" ? output : ReadFileBytes(product.Path(c.written));
    // The language template is pinned here alone; rewritten on request after a deliberate change.
    if (c.written == "wrenhollow_lng.ini" && update != nullptr && std::string(update) == "1") {
      EXPECT_TRUE(WriteFileBytes(FixtureFile("language/template.ini"), written));
    }
    EXPECT_EQ(written, c.expected);
    // Nothing else: an export never writes the settings, and only the last export switch counts.
    std::vector<std::string> files = {"wrenhollow.exe"};
    if (!c.settings.empty()) files.push_back("wrenhollow.cfg");
    if (!c.written.empty() && c.written != "-") files.push_back(c.written);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(FilesIn(product.Folder()), files);
    if (!c.settings.empty()) EXPECT_EQ(ReadFileBytes(product.SettingsPath()), c.settings);
  }
}

}  // namespace
}  // namespace wrenhollow::e2e
