#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "report/column_layout.h"
#include "portable/profile_files_portable.h"

namespace wrenhollow {
namespace {

TEST(SettingsPathTest, ReplacesTheFileNamesExtension) {
  const struct { const char* program; const char* settings; } cases[] = {
      {"C:\\tools\\wrenhollow.exe", "C:\\tools\\wrenhollow.cfg"},
      {"C:\\my.tools\\wrenhollow", "C:\\my.tools\\wrenhollow.cfg"},  // a folder's dot never counts
      {"C:\\tools\\a.b.exe", "C:\\tools\\a.b.cfg"},
      {"/usr/bin/wrenhollow.exe", "/usr/bin/wrenhollow.cfg"},
  };
  for (const auto& c : cases) {
    char path[kConfigPathSize];
    ASSERT_TRUE(SettingsPathFor(c.program, path)) << c.program;
    EXPECT_STREQ(path, c.settings);
  }
  char path[kConfigPathSize];
  EXPECT_TRUE(SettingsPathFor(("C:\\" + std::string(252, 'x') + ".exe").c_str(), path));  // 259 and a NUL
  EXPECT_FALSE(SettingsPathFor(("C:\\" + std::string(253, 'x') + ".exe").c_str(), path));
}

class SettingsFileTest : public ::testing::Test {
 protected:
  // Exchanges everything with the file in one direction.
  bool Exchange(int direction) {
    ConfigStore store(files_, direction, path_.c_str(), kSettingsSection);
    return ExchangeSettings(store, options_, placement_, {&columns_, &sort_, 0});
  }

  test::TempFolder folder_;
  std::string path_ = folder_.File("wrenhollow.cfg");
  PortableProfileFiles files_;
  AppOptions options_;
  WindowPlacementRecord placement_{};
  std::vector<ColumnLayoutEntry> columns_ = DefaultColumnLayout(15);
  int32_t sort_ = 0;
};

TEST_F(SettingsFileTest, SavesEveryKeyInOrder) {
  options_.showGridLines = 1;
  options_.saveFilterIndex = 4;
  options_.trayIcon = 3;
  placement_ = {44, 0, 1, -1, -1, -1, -1, 10, 20, 810, 620};
  columns_.resize(2);
  columns_[1] = {0, 1};
  sort_ = 6 | 0x1000;
  Exchange(kConfigSave);
  EXPECT_EQ(folder_.Get("wrenhollow.cfg").value_or(""),
            "[General]\r\nShowGridLines=1\r\nSaveFilterIndex=4\r\nShowInfoTip=1\r\nShowTimeInGMT=0\r\nTrayIcon=3\r\n"
            "StartAsHidden=0\r\n"
            "WinPos=2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 0A 00 00 00 "
            "14 00 00 00 2A 03 00 00 6C 02 00 00\r\n"
            "Columns=64 00 00 00 00 00 01 00\r\nSort=4102\r\n");
}

TEST_F(SettingsFileTest, LoadsWhatWasSavedAndDefaultsForTheRest) {
  folder_.Put("wrenhollow.cfg", "[General]\r\nShowTimeInGMT=2\r\nWinPos=2C 00 00 00 00 00 00 00 03\r\n"
                                "Columns=50 00 02 00 C8 00\r\nSort=4097\r\nUnknown=1\r\n");
  placement_.right = 99;  // stale: a load starts from zero
  columns_[1].width = 7;
  EXPECT_TRUE(Exchange(kConfigLoad));
  EXPECT_EQ(options_.showInfoTip, 1);
  EXPECT_EQ(options_.showTimeInGmt, 2);
  EXPECT_EQ(options_.showGridLines, 0);
  EXPECT_EQ(placement_.length, 44u);
  EXPECT_EQ(placement_.showCommand, 3u);  // fewer than 44 pairs fill the leading bytes only
  EXPECT_EQ(placement_.right, 0);
  EXPECT_EQ(columns_[0].width, 0x50);
  EXPECT_EQ(columns_[0].position, 2);
  EXPECT_EQ(columns_[1].width, 0xC8);  // the pair read; the position keeps its value
  EXPECT_EQ(columns_[1].position, 1);
  EXPECT_EQ(sort_, 4097);
}

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndNoColumns) {
  options_.showInfoTip = 0;
  sort_ = 9;
  EXPECT_FALSE(Exchange(kConfigLoad));
  EXPECT_EQ(options_.showInfoTip, 1);
  EXPECT_EQ(sort_, 0);
  EXPECT_EQ(placement_.showCommand, 0u);
  EXPECT_FALSE(IsPlacementUsable(placement_, 1024, 768));
}

TEST(PlacementTest, OnlyASizableRectangleOnTheScreenIsRestored) {
  const struct { WindowPlacementRecord placement; bool usable; } cases[] = {
      {{44, 0, 1, 0, 0, 0, 0, 100, 100, 900, 700}, true},
      {{44, 0, 0, 0, 0, 0, 0, 100, 100, 900, 700}, false},  // nothing stored
      {{44, 0, 1, 0, 0, 0, 0, 100, 100, 120, 700}, false},  // 20 wide
      {{44, 0, 1, 0, 0, 0, 0, 100, 100, 121, 121}, true},   // 21 each way
      {{44, 0, 1, 0, 0, 0, 0, -300, 100, 5, 700}, false},   // right edge at 5
      {{44, 0, 1, 0, 0, 0, 0, 0, -11, 800, 600}, false},    // above the screen
      {{44, 0, 1, 0, 0, 0, 0, 0, -10, 800, 600}, true},
      {{44, 0, 1, 0, 0, 0, 0, 1004, 100, 1900, 700}, false},  // left + 20 reaches the screen's width
      {{44, 0, 1, 0, 0, 0, 0, 1003, 100, 1900, 700}, true},
      {{44, 0, 1, 0, 0, 0, 0, 100, 748, 900, 1700}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsPlacementUsable(c.placement, 1024, 768), c.usable)
        << c.placement.left << "," << c.placement.top << "," << c.placement.right << "," << c.placement.bottom;
  }
}

}  // namespace
}  // namespace wrenhollow
