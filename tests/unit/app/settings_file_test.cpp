#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "report/column_layout.h"
#include "portable/profile_files_portable.h"

namespace wrenhollow {
namespace {

TEST(SettingsPathTest, ReplacesTheFileNamesExtensionWhenTheResultFits) {
  const std::string longest = "C:\\" + std::string(252, 'x');  // with ".cfg", 259 characters and a NUL
  const struct { std::string program, settings; } cases[] = {
      {"C:\\tools\\wrenhollow.exe", "C:\\tools\\wrenhollow.cfg"}, {"C:\\tools\\a.b.exe", "C:\\tools\\a.b.cfg"},
      {"C:\\my.tools\\wrenhollow", "C:\\my.tools\\wrenhollow.cfg"},  // a folder's dot never counts
      {"/usr/bin/wrenhollow.exe", "/usr/bin/wrenhollow.cfg"}, {longest + ".exe", longest + ".cfg"},
      {longest + "x.exe", "<none>"},
  };
  for (const auto& c : cases) {
    char path[kConfigPathSize] = "<none>";
    EXPECT_EQ(SettingsPathFor(c.program.c_str(), path), c.settings != "<none>") << c.program;
    EXPECT_EQ(std::string(path), c.settings);
  }
}

// Loads the file (none when null) over stale values; then what was loaded, in the file's order.
std::string Load(const char* file) {
  test::TempFolder folder;
  if (file != nullptr) folder.Put("wrenhollow.cfg", file);
  PortableProfileFiles files;
  ConfigStore store(files, kConfigLoad, folder.File("wrenhollow.cfg").c_str(), kSettingsSection);
  AppOptions options;
  options.showInfoTip = 0;
  WindowPlacementRecord placement{};
  placement.right = 99;
  std::vector<ColumnLayoutEntry> columns = DefaultColumnLayout(15);
  columns[1].width = 7;
  int32_t sort = 9;
  const bool found = ExchangeSettings(store, options, placement, {&columns, &sort, 0});
  return std::to_string(found) + " " + std::to_string(options.showGridLines) + std::to_string(options.showInfoTip) +
         std::to_string(options.showTimeInGmt) + " " + std::to_string(placement.length) + "/" +
         std::to_string(placement.showCommand) + "/" + std::to_string(placement.right) + " " +
         std::to_string(columns[0].width) + "@" + std::to_string(columns[0].position) + " " +
         std::to_string(columns[1].width) + "@" + std::to_string(columns[1].position) + " " + std::to_string(sort);
}

TEST(SettingsFileTest, LoadsWhatTheFileHoldsAndDefaultsForTheRestStartingFromZero) {
  // Fewer than 44 placement pairs fill the leading bytes only; a column pair read keeps its position.
  EXPECT_EQ(Load("[General]\r\nShowTimeInGMT=2\r\nWinPos=2C 00 00 00 00 00 00 00 03\r\n"
                 "Columns=50 00 02 00 C8 00\r\nSort=4097\r\nUnknown=1\r\n"),
            "1 012 44/3/0 80@2 200@1 4097");
  EXPECT_EQ(Load(nullptr), "0 010 0/0/0 100@0 7@1 0");
}

TEST(PlacementTest, OnlyASizableRectangleOnTheScreenIsRestored) {
  const struct { uint32_t show; int32_t left, top, right, bottom; bool usable; } cases[] = {
      {1, 100, 100, 900, 700, true}, {0, 100, 100, 900, 700, false},  // nothing stored
      {1, 100, 100, 120, 700, false}, {1, 100, 100, 121, 121, true},  // 20 wide; 21 each way
      {1, -300, 100, 5, 700, false}, {1, 0, -11, 800, 600, false}, {1, 0, -10, 800, 600, true},
      {1, 1004, 100, 1900, 700, false}, {1, 1003, 100, 1900, 700, true},  // left + 20 reaches the screen's width
      {1, 100, 748, 900, 1700, false},
  };
  for (const auto& c : cases) {
    const WindowPlacementRecord placement{44, 0, c.show, 0, 0, 0, 0, c.left, c.top, c.right, c.bottom};
    EXPECT_EQ(IsPlacementUsable(placement, 1024, 768), c.usable) << c.left << "," << c.top << "," << c.right;
  }
}

}  // namespace
}  // namespace wrenhollow
