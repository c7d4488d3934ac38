// The program on a screen of 144 DPI (150 %): it declares itself aware of the system DPI, so it sizes what it
// draws to the screen, while its settings keep every size as at 96 DPI and mean the same on any screen.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

constexpr DWORD kScreenDpi = 144;
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kLogPixels[] = "LogPixels";

// A size as at 96 DPI on this screen.
int Scaled(int size) { return MulDiv(size, kScreenDpi, 96); }

// Sets the resolution Wine gives the programs started from now on (each reads it as it starts; this one keeps
// its own), and takes the setting back at the end.
class ScreenDpiSetting {
 public:
  explicit ScreenDpiSetting(DWORD dpi) {
    DWORD size = sizeof previous_;
    hadPrevious_ = RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr, &previous_,
                                &size) == ERROR_SUCCESS;
    applied_ =
        RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &dpi, sizeof dpi) == ERROR_SUCCESS;
  }
  ~ScreenDpiSetting() {
    if (hadPrevious_) {
      RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &previous_, sizeof previous_);
    } else {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
    }
  }
  ScreenDpiSetting(const ScreenDpiSetting&) = delete;
  ScreenDpiSetting& operator=(const ScreenDpiSetting&) = delete;
  bool Applied() const { return applied_; }

 private:
  bool hadPrevious_ = false;
  bool applied_ = false;
  DWORD previous_ = 0;
};

// A layout with an odd width (121 shows as 181.5, rounded to 182), the narrowest shown width and a hidden column.
std::vector<std::pair<int, int>> StoredLayout() {
  return DefaultLayoutWith({{1, {121, 1}}, {4, {0, 4}}, {13, {1, 13}}});
}

std::string SettingsWithColumns(const std::vector<std::pair<int, int>>& layout) {
  return "[General]\r\nColumns=" + ColumnsValue(layout) + "\r\n";
}

// The status bar's part edges, read into memory of the program.
std::vector<int> StatusPartEdges(const AppWindow& app) {
  std::vector<int> edges(2, -1);
  RemoteMemory memory(app.StatusBar(), edges.size() * sizeof(int));
  DWORD_PTR count = 0;
  if (!memory.ok() ||
      !SendMessageTimeoutA(app.StatusBar(), SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(memory.At()),
                           SMTO_ABORTIFHUNG, kAnswerMs, &count) ||
      count != edges.size() || !memory.Read(edges.data(), edges.size() * sizeof(int))) {
    return {};
  }
  return edges;
}

// The width of a row's image, as the list view lays it out.
int RowImageWidth(const AppWindow& app, int row) {
  RECT rect{LVIR_ICON, 0, 0, 0};
  RemoteMemory memory(app.ListView(), sizeof rect);
  DWORD_PTR found = 0;
  if (!memory.ok() || !memory.Write(&rect, sizeof rect) ||
      !SendMessageTimeoutA(app.ListView(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(memory.At()), SMTO_ABORTIFHUNG, kAnswerMs, &found) ||
      !found || !memory.Read(&rect, sizeof rect)) {
    return -1;
  }
  return rect.right - rect.left;
}

// The visible controls of a class in a dialog, top to bottom, as screen rectangles.
std::vector<RECT> ControlRects(HWND dialog, const std::string& className) {
  std::vector<RECT> rects;
  for (HWND child : DescendantWindows(dialog)) {
    RECT rect;
    if (IsWindowVisible(child) && ClassNameOf(child) == className && GetWindowRect(child, &rect)) rects.push_back(rect);
  }
  std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
  return rects;
}

TEST(HighDpi, TheWindowDrawsItsSizesScaledToTheScreen) {
  ScreenDpiSetting dpi(kScreenDpi);
  ASSERT_TRUE(dpi.Applied());
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  const std::vector<std::pair<int, int>> layout = StoredLayout();
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), SettingsWithColumns(layout)));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();

  for (int column = 0; column < kColumnCount; ++column) {
    EXPECT_EQ(app.ColumnWidth(column), Scaled(layout[static_cast<size_t>(column)].first)) << kColumnTitles[column];
  }
  EXPECT_EQ(app.ColumnWidth(1), 182);
  EXPECT_EQ(app.ColumnWidth(4), 0);
  EXPECT_EQ(app.ColumnWidth(13), 2);
  RECT window{};
  ASSERT_TRUE(GetWindowRect(product.Window(), &window));
  EXPECT_EQ(window.right - window.left, Scaled(640));
  EXPECT_EQ(window.bottom - window.top, Scaled(480));
  EXPECT_EQ(StatusPartEdges(app), (std::vector<int>{Scaled(300), Scaled(1024)}));
  // The toolbar's buttons hold images of 24 pixels and their border (at 96 DPI they are 16 and smaller).
  DWORD_PTR buttonSize = 0;
  ASSERT_TRUE(SendMessageTimeoutA(app.Toolbar(), TB_GETBUTTONSIZE, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &buttonSize));
  EXPECT_GT(LOWORD(buttonSize), Scaled(16));
  EXPECT_GT(HIWORD(buttonSize), Scaled(16));

  ASSERT_TRUE(PlugDevices(app, {TestDevice(0x61, "High DPI Device", "E2EDPI0001")}));
  EXPECT_EQ(RowImageWidth(app, 0), Scaled(16));
  KeepScreenshot(product.Window(), "main_window_144dpi");

  // The Properties dialog's rows are 4 pixels apart at 96 DPI, and its OK button 5 pixels above its bottom.
  ASSERT_TRUE(app.SelectRows({0}));
  ASSERT_TRUE(WaitForStatusCounts(app, 1, 1));
  ASSERT_TRUE(app.PostCommand(kProperties));
  HWND dialog = WaitForDialog(product.ProcessId(), "Properties", kAnswerMs);
  ASSERT_NE(dialog, nullptr) << "no Properties dialog";
  const std::vector<RECT> values = ControlRects(dialog, "Edit");
  ASSERT_EQ(values.size(), static_cast<size_t>(kColumnCount));
  EXPECT_EQ(values[1].top - values[0].top, values[0].bottom - values[0].top + Scaled(4));
  RECT ok{};
  RECT client{};
  ASSERT_TRUE(GetWindowRect(GetDlgItem(dialog, IDOK), &ok));
  ASSERT_TRUE(GetClientRect(dialog, &client));
  MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_EQ(client.bottom - ok.bottom, Scaled(5));
  KeepScreenshot(dialog, "properties_144dpi");
  ASSERT_TRUE(PressDialogButton(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kAnswerMs));
  EXPECT_TRUE(product.Exit());
}

TEST(HighDpi, TheSettingsKeepWidthsAsAt96Dpi) {
  ScreenDpiSetting dpi(kScreenDpi);
  ASSERT_TRUE(dpi.Applied());
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  const std::string loaded = SettingsWithColumns(StoredLayout());
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), loaded));
  ASSERT_TRUE(product.Start());
  ASSERT_TRUE(product.Exit());
  const std::string saved = ReadFileBytes(product.SettingsPath());
  EXPECT_EQ(SettingsValue(saved, "Columns"), ColumnsValue(StoredLayout())) << "saving what was loaded changes nothing";

  // A column the user widens to 300 pixels on this screen is 200 as at 96 DPI; one made 1 pixel wide stays shown.
  ASSERT_TRUE(WriteFileBytes(product.SettingsPath(), loaded));
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  ASSERT_TRUE(SendMessageTimeoutA(app.ListView(), LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(300, 0), SMTO_ABORTIFHUNG,
                                  kAnswerMs, nullptr));
  ASSERT_TRUE(SendMessageTimeoutA(app.ListView(), LVM_SETCOLUMNWIDTH, 3, MAKELPARAM(1, 0), SMTO_ABORTIFHUNG,
                                  kAnswerMs, nullptr));
  ASSERT_EQ(app.ColumnWidth(2), 300);
  ASSERT_TRUE(product.Exit());
  std::vector<std::pair<int, int>> changed = StoredLayout();
  changed[2].first = 200;
  changed[3].first = 1;
  EXPECT_EQ(SettingsValue(ReadFileBytes(product.SettingsPath()), "Columns"), ColumnsValue(changed));
}

}  // namespace
}  // namespace wrenhollow::e2e
