// The test tools themselves: what the end-to-end tests conclude is only as good as what these do. They run
// without the program, against the registry and windows of this process.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "e2e_helpers.h"

namespace wrenhollow::e2e {
namespace {

constexpr char kScratchKey[] = "Software\\WrenhollowE2E";

std::string Utf16Hex(const std::string& text) {
  std::string hex;
  char pair[8];
  for (char c : text + '\0') {
    std::snprintf(pair, sizeof pair, "%s%02x,00", hex.empty() ? "" : ",", static_cast<unsigned char>(c));
    hex += pair;
  }
  return hex;
}

bool QueryValue(HKEY root, const std::string& path, const char* name, DWORD* type, std::string* data) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  char buffer[512];
  DWORD size = sizeof buffer;
  const LONG status = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return false;
  data->assign(buffer, size);
  return true;
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

TEST(ToolsRegScript, AppliesVersion5TextWithItsUtf16Strings) {
  const std::string key = std::string("HKEY_CURRENT_USER\\") + kScratchKey;
  const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[-" + key + "]\r\n\r\n[" + key +
                           "\\Sub]\r\n"
                           "\"Text\"=hex(1):" +
                           Utf16Hex("SanDisk") +
                           "\r\n"
                           "\"Quoted\"=\"a \\\"q\\\" \\\\b\"\r\n"
                           "; a comment\r\n"
                           "\"Count\"=dword:0000002a\r\n"
                           "\"Bytes\"=hex:01,02,\\\r\n  03\r\n"
                           "\"Private\"=hex(ffff0012):07\r\n"
                           "\"Gone\"=\"x\"\r\n"
                           "\"Gone\"=-\r\n"
                           "@=\"default\"\r\n";
  std::string error;
  ASSERT_TRUE(ApplyRegText(text, &error)) << error;
  const std::string sub = std::string(kScratchKey) + "\\Sub";
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(QueryValue(HKEY_CURRENT_USER, sub, "Text", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(data, std::string("SanDisk", 8)) << "UTF-16 data must not arrive as ANSI bytes";
  ASSERT_TRUE(QueryValue(HKEY_CURRENT_USER, sub, "Quoted", &type, &data));
  EXPECT_EQ(data, std::string("a \"q\" \\b", 9));
  ASSERT_TRUE(QueryValue(HKEY_CURRENT_USER, sub, "Count", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(data, std::string("\x2a\0\0\0", 4));
  ASSERT_TRUE(QueryValue(HKEY_CURRENT_USER, sub, "Bytes", &type, &data));
  EXPECT_EQ(data, "\x01\x02\x03");
  ASSERT_TRUE(QueryValue(HKEY_CURRENT_USER, sub, "Private", &type, &data));
  EXPECT_EQ(type, 0xffff0012u);
  EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, sub, "Gone", &type, &data));
  ASSERT_TRUE(QueryValue(HKEY_CURRENT_USER, sub, nullptr, &type, &data));
  EXPECT_EQ(data, std::string("default", 8));

  ASSERT_TRUE(ApplyRegText("REGEDIT4\r\n\r\n[-" + key + "]\r\n", &error)) << error;
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kScratchKey));
  // Deleting what is not there is what a reset file does on a fresh prefix.
  EXPECT_TRUE(ApplyRegText("REGEDIT4\r\n\r\n[-" + key + "]\r\n", &error)) << error;
}

TEST(ToolsRegScript, RejectsMalformedTextNamingItsLine) {
  std::string error;
  EXPECT_FALSE(
      ApplyRegText("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\WrenhollowE2E]\r\n\"A\"=dword:xyz\r\n", &error));
  EXPECT_NE(error.find("line 4"), std::string::npos) << error;
  EXPECT_FALSE(ApplyRegText("not a registry file\r\n", &error));
  EXPECT_FALSE(ApplyRegText("REGEDIT4\r\n[HKEY_NOWHERE\\X]\r\n", &error));
  EXPECT_FALSE(ApplyRegFile("Z:\\no\\such\\file.reg", &error));
}

TEST(ToolsRegScript, AppliesEveryDeviceFixture) {
  for (const char* scenario : {"plug", "replug", "unplug", "composite", "no_change", "case_only"}) {
    SCOPED_TRACE(scenario);
    ASSERT_TRUE(LoadDevices({(std::string(scenario) + "_before.reg").c_str()}));
    ASSERT_TRUE(ApplyDevices((std::string(scenario) + "_after.reg").c_str()));
  }
  ASSERT_TRUE(LoadDevices({"plug_after.reg"}));
  EXPECT_EQ(CurrentControlSetName(), "ControlSet001");
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(QueryValue(HKEY_LOCAL_MACHINE,
                         "SYSTEM\\ControlSet001\\Enum\\USBSTOR\\Disk&Ven_SanDisk&Prod_Cruzer_Blade&Rev_1.26\\"
                         "4C530001230105117312&0",
                         "FriendlyName", &type, &data));
  EXPECT_EQ(data, std::string("SanDisk Cruzer Blade USB Device", 32));
  DWORD linked = 7;
  EXPECT_TRUE(ReadLinked(kStick, &linked));
  EXPECT_EQ(linked, 1u);
  ASSERT_TRUE(LoadDevices({}));
  EXPECT_FALSE(ReadLinked(kStick, &linked)) << "reset.reg and common.reg leave no stick behind";
}

TEST(ToolsDeviceSimulator, SetsAndFlipsLinkedAndRecordsNewDevices) {
  ASSERT_TRUE(LoadDevices({"replug_before.reg"}));
  DWORD linked = 7;
  EXPECT_FALSE(ReadLinked(kStick, &linked)) << "replug_before.reg records the stick without a link";
  std::string error;
  ASSERT_TRUE(FlipLinked(kStick, &linked, &error)) << error;
  EXPECT_EQ(linked, 1u);
  ASSERT_TRUE(ReadLinked(kStick, &linked));
  EXPECT_EQ(linked, 1u);
  ASSERT_TRUE(FlipLinked(kStick, &linked, &error)) << error;
  EXPECT_EQ(linked, 0u);
  ASSERT_TRUE(SetLinked(kStick, 1, &error)) << error;
  ASSERT_TRUE(ReadLinked(kStick, &linked));
  EXPECT_EQ(linked, 1u);

  NewDevice device;
  device.id = {"VID_1209&PID_0001", "E2E0001"};
  device.description = "Test Device";
  device.revision = "0912";
  ASSERT_TRUE(AddDevice(device, &error)) << error;
  const std::string enumKey = "SYSTEM\\ControlSet001\\Enum\\USB\\VID_1209&PID_0001\\E2E0001";
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(QueryValue(HKEY_LOCAL_MACHINE, enumKey, "HardwareID", &type, &data));
  constexpr char kHardwareIds[] = "USB\\VID_1209&PID_0001&REV_0912\0USB\\VID_1209&PID_0001\0";
  EXPECT_EQ(data, std::string(kHardwareIds, sizeof kHardwareIds));  // with the list's closing NUL
  ASSERT_TRUE(QueryValue(HKEY_LOCAL_MACHINE, enumKey + "\\Device Parameters", "SymbolicName", &type, &data));
  EXPECT_EQ(data, std::string("\\??\\USB#VID_1209&PID_0001#E2E0001#{a5dcbf10-6530-11d2-901f-00c04fb951ed}") + '\0');
  ASSERT_TRUE(ReadLinked(device.id, &linked));
  EXPECT_EQ(linked, 1u);
  ASSERT_TRUE(RemoveDevice(device.id, &error)) << error;
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, enumKey));
  EXPECT_FALSE(ReadLinked(device.id, &linked));
}

// A window of this thread standing in for the program: a list view, a status bar, a header to click.
class DriverTestWindow {
 public:
  static constexpr char kClass[] = "WrenhollowToolsTest";
  static constexpr int kEditId = 300;

  DriverTestWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&windowClass);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    current_ = this;
    window_ = CreateWindowExA(0, kClass, "Tools", WS_OVERLAPPEDWINDOW, 0, 0, 500, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
  }
  ~DriverTestWindow() {
    DestroyWindow(window_);
    current_ = nullptr;
  }
  HWND handle() const { return window_; }

  // Lets this thread handle what arrived, until done() or timeoutMs.
  static bool Pump(const std::function<bool()>& done, DWORD timeoutMs) {
    return WaitUntil(
        [&] {
          MSG message;
          while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
          return done();
        },
        timeoutMs);
  }

  int deviceChanges = 0;
  int clickedColumn = -1;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DriverTestWindow* self = current_;
    switch (message) {
      case WM_CREATE: {
        HWND status = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", window, AppWindow::kStatusBarId);
        int parts[2] = {200, -1};
        SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
        SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("3 item(s)"));
        SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("second"));
        CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 0, 210, 60, 20, window,
                        reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
        SendDlgItemMessageA(window, kEditId, EM_LIMITTEXT, 3, 0);
        HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 480, 200, window,
                                    reinterpret_cast<HMENU>(AppWindow::kListViewId), nullptr, nullptr);
        HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
        ImageList_AddIcon(images, LoadIcon(nullptr, IDI_APPLICATION));
        ImageList_AddIcon(images, LoadIcon(nullptr, IDI_WARNING));
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
        for (int column = 0; column < 3; ++column) {
          std::string title = "Title " + std::to_string(column);
          LVCOLUMNA header{};
          header.mask = LVCF_TEXT | LVCF_WIDTH;
          header.pszText = title.data();
          header.cx = 120;
          SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&header));
        }
        for (int row = 0; row < 2; ++row) {
          LVITEMA item{};
          item.mask = LVIF_TEXT | LVIF_IMAGE;
          item.iItem = row;
          item.iImage = row;
          item.pszText = LPSTR_TEXTCALLBACKA;  // asked for through LVN_GETDISPINFO, as a report list does
          SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
          std::string text = "row " + std::to_string(row) + " b";
          LVITEMA sub{};
          sub.iSubItem = 1;
          sub.pszText = text.data();
          SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
        }
        return 0;
      }
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == LVN_GETDISPINFOA) {
          static char text[32];
          auto* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
          if (info->item.iSubItem == 0 && (info->item.mask & LVIF_TEXT)) {
            std::snprintf(text, sizeof text, "row %d a", info->item.iItem);
            info->item.pszText = text;  // a text of the owner's, not the asker's buffer
          }
        } else if (header->code == LVN_COLUMNCLICK && self != nullptr) {
          self->clickedColumn = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
        }
        return 0;
      }
      case WM_DEVICECHANGE:
        if (wParam == 0x0007 && self != nullptr) ++self->deviceChanges;
        return TRUE;
      default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
  }

  static inline DriverTestWindow* current_ = nullptr;
  HWND window_ = nullptr;
};

TEST(ToolsNotification, BroadcastSendAndBurstReachTheWindow) {
  DriverTestWindow window;
  // A broadcast waits for every window of the session, which on a loaded machine takes a while.
  EXPECT_TRUE(BroadcastDeviceChange(10000));
  EXPECT_EQ(window.deviceChanges, 1);
  EXPECT_TRUE(SendDeviceChange(window.handle()));
  EXPECT_EQ(window.deviceChanges, 2);
  int between = 0;
  const DWORD elapsed = BurstDeviceChange(window.handle(), 10, 180, [&](int i) { between += i; });
  EXPECT_EQ(window.deviceChanges, 12);
  EXPECT_EQ(between, 45);
  EXPECT_GE(elapsed, 170u);
  EXPECT_LT(elapsed, 5000u);
  BurstDeviceChange(nullptr, 3, 0);
  EXPECT_EQ(window.deviceChanges, 15);
}

TEST(ToolsGuiDriver, ReadsRowsStatusTitleAndHeaderOfAWindow) {
  DriverTestWindow window;
  AppWindow app(window.handle());
  EXPECT_EQ(FindTopLevelWindow(DriverTestWindow::kClass, GetCurrentProcessId()), window.handle());
  EXPECT_EQ(app.RowCount(), 2);
  EXPECT_EQ(app.ColumnCount(), 3);
  EXPECT_EQ(app.ColumnTitle(2), "Title 2");
  const std::vector<ListRow> rows = app.ReadRows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].texts, (std::vector<std::string>{"row 0 a", "row 0 b", ""}));
  EXPECT_EQ(rows[1].texts, (std::vector<std::string>{"row 1 a", "row 1 b", ""}));
  EXPECT_EQ(rows[0].image, 0);
  EXPECT_EQ(rows[1].image, 1);
  EXPECT_EQ(app.StatusPartCount(), 2);
  EXPECT_EQ(app.StatusText(0), "3 item(s)");
  EXPECT_EQ(app.StatusText(1), "second");
  EXPECT_EQ(app.Title(), "Tools");
  EXPECT_NE(app.SetTitle("Tools 2"), 0);
  EXPECT_EQ(app.Title(), "Tools 2");
  int format = 0;
  int image = 0;
  ASSERT_TRUE(app.HeaderItemFormat(1, &format, &image));
  EXPECT_EQ(format & HDF_IMAGE, 0);

  std::string error;
  ASSERT_TRUE(app.ClickHeader(1, &error)) << error;
  EXPECT_TRUE(DriverTestWindow::Pump([&] { return window.clickedColumn >= 0; }, 3000));
  EXPECT_EQ(window.clickedColumn, 1);
}

TEST(ToolsGuiDriver, ReadsTheClipboardAndKeepsAScreenshot) {
  DriverTestWindow window;
  ASSERT_TRUE(OpenClipboard(window.handle()));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 8);
  std::memcpy(GlobalLock(memory), "copied", 7);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  EXPECT_EQ(ClipboardText(), "copied");

  DriverTestWindow::Pump([] { return false; }, 200);
  const std::string path = ArtifactPath("window.bmp");
  std::string error;
  ASSERT_TRUE(SaveScreenshot(window.handle(), path, &error)) << error;
  const std::string bytes = ReadFileBytes(path);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  std::set<std::string> colours;
  for (size_t at = 54; at + 3 <= bytes.size() && colours.size() < 3; at += 3) colours.insert(bytes.substr(at, 3));
  EXPECT_GE(colours.size(), 3u) << "a blank picture: nothing of the window was captured";
}

TEST(ToolsGuiDriver, ReadsMenusAndSelectionTypesAndFindsTheTrayIcon) {
  DriverTestWindow window;
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING | MF_GRAYED, 100, "&Save\tCtrl+S");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING | MF_CHECKED, 101, "E&xit");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  ASSERT_TRUE(SetMenu(window.handle(), bar));
  MenuTree menu;
  ASSERT_TRUE(ReadMenuTree(window.handle(), GetMenu(window.handle()), &menu));
  ASSERT_EQ(menu.top.size(), 1u);
  EXPECT_EQ(menu.top[0].text, "&File");
  EXPECT_EQ(menu.top[0].submenu, file);
  ASSERT_EQ(menu.commands.size(), 2u);
  EXPECT_EQ(menu.commands[100].text, "&Save\tCtrl+S");
  EXPECT_TRUE(menu.commands[100].Grayed());
  EXPECT_FALSE(menu.commands[100].Checked());
  EXPECT_EQ(menu.commands[101].text, "E&xit");
  EXPECT_FALSE(menu.commands[101].Grayed());
  EXPECT_TRUE(menu.commands[101].Checked());
  std::vector<MenuItem> items;
  std::string error;
  ASSERT_TRUE(ReadMenu(window.handle(), file, &items, &error)) << error;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_TRUE(items[1].Separator());
  EXPECT_FALSE(ReadMenu(window.handle(), reinterpret_cast<HMENU>(0x1234), &items, &error)) << "not a menu";

  AppWindow app(window.handle());
  ASSERT_TRUE(app.SelectRows({1}));
  EXPECT_EQ(app.SelectedRows(), (std::vector<int>{1}));
  ASSERT_TRUE(app.SelectRows({0, 1}));
  EXPECT_EQ(app.SelectedRows(), (std::vector<int>{0, 1}));
  ASSERT_TRUE(app.SelectRows({}));
  EXPECT_TRUE(app.SelectedRows().empty());
  EXPECT_EQ(ListViewText(app.ListView(), 1, 1), "row 1 b");
  EXPECT_EQ(ListViewText(app.ListView(), 0, 0), "row 0 a");
  EXPECT_EQ(app.ColumnWidth(2), 120);
  EXPECT_EQ(app.ColumnOrder(), (std::vector<int>{0, 1, 2}));

  HWND edit = app.Control(DriverTestWindow::kEditId);
  const std::vector<HWND> children = DescendantWindows(window.handle());
  EXPECT_EQ(std::count(children.begin(), children.end(), edit), 1);
  EXPECT_EQ(std::count(children.begin(), children.end(), app.ListView()), 1);
  ASSERT_TRUE(TypeText(edit, "1a2345"));
  EXPECT_EQ(WindowText(edit), "123") << "digits only, three at most";

  EXPECT_FALSE(TrayIconPresent(window.handle(), 7));
  NOTIFYICONDATAA icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = window.handle();
  icon.uID = 7;
  icon.uFlags = NIF_ICON;
  icon.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &icon));
  EXPECT_TRUE(TrayIconPresent(window.handle(), 7));
  EXPECT_FALSE(TrayIconPresent(window.handle(), 8));
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
  EXPECT_FALSE(TrayIconPresent(window.handle(), 7));
}

// The rows of the export golden files, by column id.
const std::vector<std::string> kStickRow = {"Plug",
                                            "2024-03-05 14:07:09",
                                            "Port_#0001.Hub_#0004",
                                            "SanDisk Cruzer Blade USB Device",
                                            "Mass Storage",
                                            "E:, G:",
                                            "4C530001230105117312",
                                            "0781",
                                            "5567",
                                            "SanDisk Corp.",
                                            "Cruzer Blade",
                                            "1.26",
                                            "08",
                                            "06",
                                            "50"};
const std::vector<std::string> kEscapesRow = {"Unplug",
                                              "2024-03-05 14:07:09",
                                              "",
                                              "Cam <HD> & \"Pro\" 90\xB0\nline two\rend, done",
                                              "Mass Storage",
                                              "",
                                              " lead",
                                              "046d",
                                              "c52b",
                                              "Logitech, Inc.",
                                              "",
                                              "1.26",
                                              "08",
                                              "06",
                                              "50"};
const std::vector<std::string> kLongRow = {"Plug",
                                           "2024-03-05 14:07:09",
                                           "x",
                                           "A very long description that a tabular column cuts",
                                           "Mass Storage",
                                           "F:",
                                           "",
                                           "1234",
                                           "0001",
                                           "",
                                           "",
                                           "1.26",
                                           "08",
                                           "06",
                                           "50"};

ExportTable GoldenTable(const std::vector<int>& columns, const std::vector<std::vector<std::string>>& rows) {
  ExportTable table;
  for (int column : columns) {
    table.titles.push_back(kColumnTitles[column]);
    table.names.push_back(kColumnTitles[column]);
  }
  for (const auto& row : rows) {
    std::vector<std::string> texts;
    for (int column : columns) texts.push_back(row[column]);
    table.rows.push_back(texts);
  }
  return table;
}

TEST(ToolsExpectedExport, WritesWhatTheGoldenFilesHold) {
  const std::vector<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  const struct {
    const char* name;
    ExportTable table;
  } cases[] = {{"no_rows", GoldenTable(all, {})},
               {"one_row", GoldenTable(all, {kStickRow})},
               {"escapes", GoldenTable(all, {kStickRow, kEscapesRow, kLongRow})},
               {"layout", GoldenTable({3, 6, 11, 0}, {kStickRow, kEscapesRow})}};
  const char* const extensions[] = {"", ".txt", ".tab.txt", ".tabular.txt", ".csv", ".h.html", ".v.html", ".xml"};
  for (const auto& c : cases) {
    for (int type = 1; type <= 7; ++type) {
      const std::string name = std::string(c.name) + extensions[type];
      bool found = false;
      const std::string golden = ReadFileBytes(FixtureFile("exports/" + name), &found);
      ASSERT_TRUE(found) << name;
      EXPECT_EQ(ExpectedDocument(static_cast<FileType>(type), c.table), golden) << name;
    }
  }
}

}  // namespace
}  // namespace wrenhollow::e2e
