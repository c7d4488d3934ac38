// The program on a screen of 144 DPI (150 %): it declares itself aware of the system DPI, so it sizes what it
// draws to the screen, while its settings keep every size as at 96 DPI and mean the same on any screen.
#include "e2e_support.h"

#include <commctrl.h>


namespace wrenhollow::e2e {
namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kLogPixels[] = "LogPixels";

// Sets the resolution Wine gives the programs started from now on, and takes the setting away at the end.
class ScreenDpiSetting {
 public:
  explicit ScreenDpiSetting(DWORD dpi) {
    applied_ = RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &dpi, sizeof dpi) == 0;
  }
  ~ScreenDpiSetting() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kLogPixels); }
  bool Applied() const { return applied_; }

 private:
  bool applied_ = false;
};

// The settings value of 15 columns in their own order, of these widths as at 96 DPI.
std::string ColumnsValue(const std::vector<int>& widths) {
  std::vector<uint16_t> pairs;
  for (size_t i = 0; i < widths.size(); ++i) {
    pairs.insert(pairs.end(), {static_cast<uint16_t>(widths[i]), static_cast<uint16_t>(i)});
  }
  return Hex(pairs.data(), pairs.size() * sizeof pairs[0]);
}

int ColumnWidth(const AppWindow& app, int column) {
  DWORD_PTR width = 0;
  SendMessageTimeoutA(app.ListView(), LVM_GETCOLUMNWIDTH, column, 0, SMTO_ABORTIFHUNG, kAnswerMs, &width);
  return static_cast<int>(width);
}

// An odd width (121 shows as 181.5, rounded to 182), a hidden column and the narrowest shown one.
const std::vector<int> kStored = {100, 121, 150, 150, 0, 100, 120, 100, 100, 150, 150, 100, 80, 1, 80};

TEST(HighDpi, SizesAreScaledToTheScreenAndStoredAsAt96Dpi) {
  ScreenDpiSetting dpi(144);
  ASSERT_TRUE(dpi.Applied());
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), "[General]\r\nColumns=" + ColumnsValue(kStored) + "\r\n"));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  std::vector<int> shown;
  for (int column = 0; column < 15; ++column) shown.push_back(ColumnWidth(app, column));
  EXPECT_EQ(shown, (std::vector<int>{150, 182, 225, 225, 0, 150, 180, 150, 150, 225, 225, 150, 120, 2, 120}));
  RECT window{};
  ASSERT_TRUE(GetWindowRect(product.Window(), &window));
  EXPECT_EQ(window.right - window.left, 960);
  ASSERT_TRUE(PlugDevices(app, {"High DPI Device"}));
  KeepScreenshot(product.Window(), "main_window_144dpi");

  // What was loaded is saved unchanged; a column widened to 300 pixels on this screen is 200 as at 96 DPI.
  ASSERT_TRUE(SendMessageTimeoutA(app.ListView(), LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(300, 0), SMTO_ABORTIFHUNG,
                                  kAnswerMs, nullptr));
  ASSERT_TRUE(product.Exit());
  std::vector<int> saved = kStored;
  saved[2] = 200;
  EXPECT_NE(ReadFileBytes(product.SettingsPath()).find("\nColumns=" + ColumnsValue(saved) + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace wrenhollow::e2e
