#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "lang/language_fixture_win32.h"
#include "lang/language_template_win32.h"
#include "resource_ids.h"
#include "support/fixture_path.h"
#include "util/version_info_win32.h"

namespace wrenhollow {
namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

// One row of a menu popup: the command id and the stored text, or id 0 and an empty text for a separator.
struct MenuRow {
  UINT id;
  const char* text;
};
constexpr MenuRow kSeparator{0, ""};

struct Popup {
  const char* title;
  std::vector<MenuRow> rows;
};

void ExpectPopup(HMENU menu, int position, const Popup& expected) {
  SCOPED_TRACE(expected.title);
  char text[256] = "";
  ASSERT_GT(GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION), 0);
  EXPECT_STREQ(text, expected.title);
  const HMENU popup = GetSubMenu(menu, position);
  ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(expected.rows.size()));
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    MENUITEMINFOA info{sizeof info, MIIM_ID | MIIM_FTYPE | MIIM_STRING};
    info.dwTypeData = text;
    info.cch = sizeof text;
    EXPECT_TRUE(GetMenuItemInfoA(popup, i, TRUE, &info));
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;
    EXPECT_EQ(separator ? 0u : info.wID, expected.rows[i].id) << "item " << i;
    EXPECT_EQ(separator ? std::string() : std::string(text), expected.rows[i].text) << "item " << i;
  }
}

TEST(ResourcesTest, MenusHaveTheirCommandsInOrder) {
  const struct { int id; std::vector<Popup> popups; } menus[] = {
      {IDR_MAIN_MENU,
       {{"&File",
         {{IDM_CLEAR_LOG, "Clear Log\tCtrl+X"}, kSeparator, {IDM_SAVE_SELECTED, "&Save Selected Items\tCtrl+S"},
          {IDM_PROPERTIES, "&Properties\tAlt+Enter"}, kSeparator, {IDM_EXIT, "E&xit"}}},
        {"&Edit",
         {{IDM_FIND, "&Find\tCtrl+F"}, {IDM_COPY_SELECTED, "&Copy Selected Items\tCtrl+C"}, kSeparator,
          {IDM_SELECT_ALL, "Select &All\tCtrl+A"}, {IDM_DESELECT_ALL, "Deselect All\tCtrl+D"}}},
        {"&View",
         {{IDM_SHOW_GRID_LINES, "Show &Grid Lines"}, {IDM_SHOW_TOOLTIPS, "Show &Tooltips"}, kSeparator,
          {IDM_HTML_REPORT_ALL, "&HTML Report - All Items"},
          {IDM_HTML_REPORT_SELECTED, "HTML R&eport - Selected Items"}, kSeparator,
          {IDM_CHOOSE_COLUMNS, "Choose Colum&ns"}, {IDM_AUTO_SIZE_COLUMNS, "&Auto Size Columns\tCtrl+Plus"},
          kSeparator, {IDM_REFRESH, "&Refresh\tF5"}}},
        {"&Options",
         {{IDM_SHOW_TIME_IN_GMT, "Show Time In &GMT"}, {IDM_PUT_ICON_ON_TRAY, "&Put Icon On Tray"},
          {IDM_START_AS_HIDDEN, "Start As &Hidden"}}},
        {"&Help", {{IDM_ABOUT, "&About"}}}}},
      {IDR_CONTEXT_MENU,
       {{"Popup1",
         {{IDM_SAVE_SELECTED, "&Save Selected Items\tCtrl+S"}, {IDM_COPY_SELECTED, "&Copy Selected Items\tCtrl+C"},
          kSeparator, {IDM_HTML_REPORT_ALL, "HTML Report - All Items"},
          {IDM_HTML_REPORT_SELECTED, "HTML Report - Selected Items"}, kSeparator,
          {IDM_CHOOSE_COLUMNS, "Choose Colum&ns"}, {IDM_AUTO_SIZE_COLUMNS, "&Auto Size Columns\tCtrl+Plus"},
          kSeparator, {IDM_PROPERTIES, "&Properties\tAlt+Enter"}, kSeparator, {IDM_REFRESH, "&Refresh\tF5"}}}}},
      {IDR_TRAY_MENU, {{"TrayMenu", {{IDM_OPEN, "Open Wrenhollow"}, kSeparator, {IDM_EXIT, "E&xit"}}}}},
  };
  for (const auto& expected : menus) {
    const HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(expected.id));
    ASSERT_NE(menu, nullptr) << expected.id;
    EXPECT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.popups.size())) << expected.id;
    for (size_t i = 0; i < expected.popups.size(); ++i) ExpectPopup(menu, static_cast<int>(i), expected.popups[i]);
    DestroyMenu(menu);
  }
}

TEST(ResourcesTest, AcceleratorsMapTheShortcutKeys) {
  HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ASSERT_NE(nullptr, table);
  ACCEL entries[16]{};
  ASSERT_EQ(9, CopyAcceleratorTableA(table, entries, 16));
  const struct { WORD key; BYTE modifiers; WORD command; } expected[] = {
      {'C', FCONTROL, IDM_COPY_SELECTED}, {'D', FCONTROL, IDM_DESELECT_ALL},
      {'F', FCONTROL, IDM_FIND},          {'A', FCONTROL, IDM_SELECT_ALL},
      {VK_RETURN, FALT, IDM_PROPERTIES},  {'S', FCONTROL, IDM_SAVE_SELECTED},
      {VK_ADD, FCONTROL, IDM_AUTO_SIZE_COLUMNS}, {VK_F5, 0, IDM_REFRESH},
      {'X', FCONTROL, IDM_CLEAR_LOG},
  };
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(expected[i].key, entries[i].key) << "entry " << i;
    EXPECT_EQ(FVIRTKEY | FNOINVERT | expected[i].modifiers, entries[i].fVirt & ~0x80) << "entry " << i;
    EXPECT_EQ(expected[i].command, entries[i].cmd) << "entry " << i;
  }
  DestroyAcceleratorTable(table);
}

INT_PTR CALLBACK DoNothingProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

// A control of a dialog template: its class, its text, the style bits it must have and those it must not.
struct ControlRow {
  int id;
  const char* className;
  const char* text;
  LONG styles = 0;
  LONG absentStyles = 0;
};

std::string ControlText(HWND control) {
  char buffer[512] = "";
  GetWindowTextA(control, buffer, sizeof(buffer));
  return buffer;
}

TEST(ResourcesTest, DialogsHaveTheirControls) {
  const struct { int id; const char* caption; std::vector<ControlRow> controls; } dialogs[] = {
      {IDD_COLUMN_SETTINGS, "Column Settings",
       {{IDC_COLUMNS_HINT, "Static",
         "Check the columns that you would like to make visible. Use the Move Up and Move Down buttons to "
         "reorder the columns"},
        // One column of checked rows with no header; the width box takes digits only.
        {IDC_COLUMNS_LIST, "SysListView32", "", LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER, LVS_SMALLICON},
        {IDC_COLUMNS_MOVE_UP, "Button", "Move &Up"},
        {IDC_COLUMNS_MOVE_DOWN, "Button", "Move &Down"},
        {IDC_COLUMNS_SHOW, "Button", "&Show"},
        {IDC_COLUMNS_HIDE, "Button", "&Hide"},
        {IDC_COLUMNS_DEFAULT, "Button", "Default"},
        {IDC_COLUMNS_WIDTH_LABEL, "Static", "Width of selected column (in pixels):"},
        {IDC_COLUMNS_WIDTH, "Edit", "", ES_NUMBER},
        {IDOK, "Button", "OK"},
        {IDCANCEL, "Button", "Cancel"}}},
      // The properties rows are hidden templates.
      {IDD_PROPERTIES, "Properties",
       {{IDOK, "Button", "OK"},
        {IDC_PROPERTIES_LABEL, "Static", "", 0, WS_VISIBLE},
        {IDC_PROPERTIES_VALUE, "Edit", "", ES_READONLY, WS_VISIBLE}}},
      {IDD_EXCEPTION, "Exception !",
       {{IDC_EXCEPTION_HEADING, "Static", "The following application error has occurred:"},
        {IDC_EXCEPTION_REPORT, "Edit", ""},
        {IDC_EXCEPTION_ADVICE, "Static",
         "If this problem persists, copy the above exception information to the clipboard, and send it to "
         "the author of this software."},
        {IDC_EXCEPTION_COPY, "Button", "Copy Exception"},
        {IDOK, "Button", "Continue"},
        {IDCANCEL, "Button", "Terminate Application"}}},
      // The About texts are empty until run time.
      {IDD_ABOUT, "",
       {{IDOK, "Button", "OK"},
        {IDC_ABOUT_CREDIT, "Static", ""},
        {IDC_ABOUT_LINK, "Static", ""},
        {IDC_ABOUT_TRANSLATION, "Static", "Translation:"},
        {IDC_ABOUT_TRANSLATOR, "Static", ""}}},
  };
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  for (const auto& expected : dialogs) {
    SCOPED_TRACE(expected.caption);
    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(expected.id), nullptr, DoNothingProc, 0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(expected.caption, ControlText(dialog));
    for (const ControlRow& row : expected.controls) {
      HWND control = GetDlgItem(dialog, row.id);
      ASSERT_NE(nullptr, control) << "control " << row.id;
      char className[64] = "";
      GetClassNameA(control, className, sizeof(className));
      EXPECT_EQ(0, lstrcmpiA(row.className, className)) << "control " << row.id << " is " << className;
      EXPECT_EQ(row.text, ControlText(control)) << "control " << row.id;
      const LONG style = GetWindowLongA(control, GWL_STYLE);
      EXPECT_EQ(style & (row.styles | row.absentStyles), row.styles) << "control " << row.id;
    }
    DestroyWindow(dialog);
  }
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof(info), &info);
  return {info.bmWidth, info.bmHeight};
}

TEST(ResourcesTest, IconsBitmapsAndCursorLoadWithTheFlagsTheWindowUses) {
  for (int id : {IDI_PROGRAM, IDI_PLUG_ROW, IDI_UNPLUG_ROW}) {
    HANDLE small = LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0);
    EXPECT_NE(nullptr, small) << "icon " << id;
    if (small != nullptr) DestroyIcon(static_cast<HICON>(small));
  }
  EXPECT_NE(nullptr, LoadIconA(Module(), MAKEINTRESOURCEA(IDI_PROGRAM)));
  HANDLE large = LoadImageA(Module(), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 32, 32, 0);
  ASSERT_NE(nullptr, large);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(static_cast<HICON>(large), &info));
  EXPECT_EQ(32, BitmapSize(info.hbmColor).cx);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(static_cast<HICON>(large));

  // Each at its own size (0 asks for it) and stretched to the screen's DPI, as the window loads them.
  const struct { int id; UINT flags; int width, height; LONG loadedWidth, loadedHeight; } bitmaps[] = {
      {IDB_TOOLBAR, LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS, 96, 16, 96, 16},
      {IDB_TOOLBAR, LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS, 144, 24, 144, 24},
      {IDB_SORT_ASCENDING, LR_LOADMAP3DCOLORS, 0, 0, 16, 16}, {IDB_SORT_ASCENDING, LR_LOADMAP3DCOLORS, 32, 32, 32, 32},
      {IDB_SORT_DESCENDING, LR_LOADMAP3DCOLORS, 16, 16, 16, 16}};
  for (const auto& b : bitmaps) {
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(Module(), MAKEINTRESOURCEA(b.id), IMAGE_BITMAP, b.width, b.height, b.flags));
    ASSERT_NE(nullptr, bitmap) << "bitmap " << b.id;
    EXPECT_EQ(b.loadedWidth, BitmapSize(bitmap).cx) << "bitmap " << b.id << " at " << b.width;
    EXPECT_EQ(b.loadedHeight, BitmapSize(bitmap).cy) << "bitmap " << b.id << " at " << b.width;
    DeleteObject(bitmap);
  }

  HCURSOR cursor = LoadCursorA(Module(), MAKEINTRESOURCEA(IDR_HAND_CURSOR));
  ASSERT_NE(nullptr, cursor);
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(12u, info.xHotspot);
  EXPECT_EQ(2u, info.yHotspot);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST(ResourcesTest, SortArrowBackgroundIsMaskedAway) {
  // The header's image list masks the button-face colour; the arrow's corner must become transparent.
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
  ASSERT_NE(nullptr, list);
  HBITMAP arrow = static_cast<HBITMAP>(
      LoadImageA(Module(), MAKEINTRESOURCEA(IDB_SORT_ASCENDING), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  ASSERT_NE(nullptr, arrow);
  EXPECT_EQ(0, ImageList_AddMasked(list, arrow, GetSysColor(COLOR_BTNFACE)));
  // Drawn transparently over red, the background must leave the red showing and the arrow must cover it.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, canvas);
  RECT all{0, 0, 16, 16};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, red);
  DeleteObject(red);
  ASSERT_TRUE(ImageList_Draw(list, 0, dc, 0, 0, ILD_TRANSPARENT));
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 0, 0)) << "the corner is masked away";
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 15, 15)) << "the corner is masked away";
  EXPECT_NE(RGB(255, 0, 0), GetPixel(dc, 8, 8)) << "the arrow is drawn";
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  DeleteObject(arrow);
  ImageList_Destroy(list);
}

TEST(ResourcesTest, CarriedUsbIdListEqualsTheFile) {
  HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(IDR_USB_IDS), "BIN");
  ASSERT_NE(nullptr, found);
  HGLOBAL loaded = LoadResource(Module(), found);
  ASSERT_NE(nullptr, loaded);
  const char* data = static_cast<const char*>(LockResource(loaded));
  std::string carried(data, SizeofResource(Module(), found));

  const std::string expected = test::ReadFixture("../../resources/usb.ids");
  ASSERT_GT(expected.size(), 1000u);
  EXPECT_TRUE(carried == expected) << carried.size() << " bytes carried, " << expected.size() << " in the file";
}

TEST(ResourcesTest, ManifestAsksForVisualStylesNoElevationAndSystemDpiAwareness) {
  HRSRC found = FindResourceA(Module(), CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_NE(nullptr, found);
  HGLOBAL loaded = LoadResource(Module(), found);
  ASSERT_NE(nullptr, loaded);
  const std::string manifest(static_cast<const char*>(LockResource(loaded)), SizeofResource(Module(), found));
  for (const char* part :
       {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "publicKeyToken=\"6595b64144ccf1df\"",
        "<requestedExecutionLevel level=\"asInvoker\"",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos) << "aware of the system DPI only, not per monitor";

  // This program carries the same manifest, and the loader took it.
  EXPECT_TRUE(IsProcessDPIAware());
}

TEST(ResourcesTest, VersionTextsNameTheProgram) {
  char path[MAX_PATH] = "";
  ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof(path)), 0u);
  VersionInfo info;
  ASSERT_TRUE(ReadVersionInfo(path, &info));
  EXPECT_STREQ("Wrenhollow", info.productName);
  EXPECT_STREQ("USB plug and unplug event log", info.fileDescription);
  EXPECT_STREQ("0.1.0", info.fileVersion);
  EXPECT_STREQ("0.1.0", info.productVersion);
  EXPECT_STREQ("Wrenhollow Project", info.companyName);
  EXPECT_STREQ("wrenhollow", info.internalName);
  EXPECT_STREQ("Copyright (C) 2026 Wrenhollow Project", info.legalCopyright);
  EXPECT_STREQ("wrenhollow.exe", info.originalFileName);
}

TEST(ResourcesTest, StringTableTextsLoad) {
  for (const auto& [id, text] : {std::pair{4u, "%d item(s)"}, std::pair{9u, "Do you want to clear the log ?"},
                                 std::pair{501u, "Text File"}, std::pair{3u, ""}}) {
    char buffer[256] = "";
    EXPECT_EQ(LoadStringA(Module(), id, buffer, sizeof(buffer)), static_cast<int>(std::strlen(text))) << id;
    EXPECT_STREQ(text, buffer) << id;
  }
}

TEST(ResourcesTest, LanguageTemplateHasEveryTranslatableTextButTheExceptionDialog) {
  test::InstalledLanguage language;
  language.Table().SetTemplateSkipList({IDD_EXCEPTION});
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof(path));
  const std::string languageFile = std::string(path, std::strrchr(path, '.')) + "_lng.ini";
  DeleteFileA(languageFile.c_str());
  SaveLanguageTemplate();
  EXPECT_FALSE(language.Table().HasLanguageFile());
  const std::string text = test::ReadFileBytes(languageFile);
  DeleteFileA(languageFile.c_str());

  EXPECT_EQ(test::SectionNames(text), (std::vector<std::string>{"general", "menu_102", "menu_104", "menu_109",
                                                                "dialog_105", "dialog_112", "dialog_1096", "strings"}));
  for (const char* block : {
           "[general]\r\nTranslatorName=\r\nTranslatorURL=\r\nVersion=0.1.0\r\nRTL=0\r\n",
           "[menu_102]\r\n70001=&File\r\n40029=Clear Log\r\n40001=&Save Selected Items\r\n",
           "[menu_109]\r\n70001=TrayMenu\r\n40026=Open Wrenhollow\r\n40002=E&xit\r\n[dialog_105]\r\n"
           "caption=Properties\r\n1=OK\r\n[dialog_112]\r\n1=OK\r\n1005=Translation:\r\n",
           "[dialog_1096]\r\ncaption=Column Settings\r\n1000=Check the columns that you would like to make visible. "
           "Use the Move Up and Move Down buttons to reorder the columns\r\n1003=Move &Up\r\n1004=Move &Down\r\n"
           "1006=&Show\r\n1007=&Hide\r\n1008=Default\r\n1002=Width of selected column (in pixels):\r\n1=OK\r\n"
           "2=Cancel\r\n[strings]\r\n4=%d item(s)\r\n",
       }) {
    EXPECT_NE(text.find(block), std::string::npos) << block;
  }
}

}  // namespace
}  // namespace wrenhollow
