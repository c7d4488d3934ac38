#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/language_fixture_win32.h"
#include "resource_ids.h"
#include "support/fixture_path.h"
#include "util/version_info_win32.h"

namespace wrenhollow {
namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

// The menus' commands, popup by popup, are pinned by the golden language template.
TEST(ResourcesTest, AcceleratorsCarryTheCommandsOfTheMenus) {
  HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ACCEL entries[16]{};
  std::string keys;
  for (int i = 0; i < CopyAcceleratorTableA(table, entries, 16); ++i) {
    keys += std::to_string(entries[i].key) + "/" + std::to_string(entries[i].fVirt & ~0x80) + "=" +
            std::to_string(entries[i].cmd) + " ";
  }
  // Ctrl+C, D, F, A; Alt+Enter; Ctrl+S; Ctrl+Plus; F5; Ctrl+X.
  EXPECT_EQ(keys, "67/11=40008 68/11=40015 70/11=40014 65/11=40007 13/19=40009 83/11=40001 107/11=40012 "
                  "116/3=40004 88/11=40029 ");
  DestroyAcceleratorTable(table);
}

INT_PTR CALLBACK DoNothingProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

TEST(ResourcesTest, DialogsHaveTheControlsTheCodeUsesWithTheStylesItNeeds) {
  const struct { int dialog, id; const char* className; LONG styles, absentStyles; } controls[] = {
      // One column of checked rows with no header; the width box takes digits only.
      {IDD_COLUMN_SETTINGS, IDC_COLUMNS_LIST, "SysListView32", LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
       LVS_SMALLICON},
      {IDD_COLUMN_SETTINGS, IDC_COLUMNS_WIDTH, "Edit", ES_NUMBER, 0},
      {IDD_COLUMN_SETTINGS, IDC_COLUMNS_MOVE_UP, "Button", 0, 0}, {IDD_COLUMN_SETTINGS, IDC_COLUMNS_MOVE_DOWN, "Button", 0, 0},
      {IDD_COLUMN_SETTINGS, IDC_COLUMNS_SHOW, "Button", 0, 0}, {IDD_COLUMN_SETTINGS, IDC_COLUMNS_HIDE, "Button", 0, 0},
      {IDD_COLUMN_SETTINGS, IDC_COLUMNS_DEFAULT, "Button", 0, 0}, {IDD_COLUMN_SETTINGS, IDCANCEL, "Button", 0, 0},
      // The properties rows are hidden templates.
      {IDD_PROPERTIES, IDC_PROPERTIES_LABEL, "Static", 0, WS_VISIBLE},
      {IDD_PROPERTIES, IDC_PROPERTIES_VALUE, "Edit", ES_READONLY, WS_VISIBLE},
      {IDD_EXCEPTION, IDC_EXCEPTION_REPORT, "Edit", 0, 0}, {IDD_EXCEPTION, IDC_EXCEPTION_COPY, "Button", 0, 0},
      {IDD_EXCEPTION, IDCANCEL, "Button", 0, 0}, {IDD_ABOUT, IDC_ABOUT_CREDIT, "Static", 0, 0},
      {IDD_ABOUT, IDC_ABOUT_LINK, "Static", 0, 0}, {IDD_ABOUT, IDC_ABOUT_TRANSLATION, "Static", 0, 0},
      {IDD_ABOUT, IDC_ABOUT_TRANSLATOR, "Static", 0, 0}, {IDD_ABOUT, IDOK, "Button", 0, 0},
  };
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  for (const auto& c : controls) {
    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(c.dialog), nullptr, DoNothingProc, 0);
    HWND control = GetDlgItem(dialog, c.id);
    char className[64] = "";
    GetClassNameA(control, className, sizeof(className));
    EXPECT_EQ(lstrcmpiA(c.className, className), 0) << c.dialog << "/" << c.id << " is [" << className << "]";
    EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & (c.styles | c.absentStyles), c.styles) << c.dialog << "/" << c.id;
    DestroyWindow(dialog);
  }
  // The language template leaves the exception dialog out, so the golden template does not pin its texts.
  HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_EXCEPTION), nullptr, DoNothingProc, 0);
  std::string texts = test::WindowText(dialog);
  for (int id : {IDC_EXCEPTION_HEADING, IDC_EXCEPTION_ADVICE, IDC_EXCEPTION_COPY, IDOK, IDCANCEL}) {
    texts += "|" + test::WindowText(GetDlgItem(dialog, id));
  }
  EXPECT_EQ(texts, "Exception !|The following application error has occurred:|If this problem persists, copy the "
                   "above exception information to the clipboard, and send it to the author of this software.|"
                   "Copy Exception|Continue|Terminate Application");
  DestroyWindow(dialog);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof(info), &info);
  return {info.bmWidth, info.bmHeight};
}

TEST(ResourcesTest, ImagesLoadWithTheFlagsTheWindowUsesAndTheSortArrowsBackgroundIsMaskedAway) {
  for (int id : {IDI_PROGRAM, IDI_PLUG_ROW, IDI_UNPLUG_ROW}) {
    EXPECT_TRUE(DestroyIcon(static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0))))
        << id;
  }
  EXPECT_NE(LoadCursorA(Module(), MAKEINTRESOURCEA(IDR_HAND_CURSOR)), nullptr);
  // At their own sizes, as the code slices them: sixteen pixels an image.
  for (const auto& [id, width] : {std::pair{IDB_TOOLBAR, 96L}, {IDB_SORT_ASCENDING, 16L}, {IDB_SORT_DESCENDING, 16L}}) {
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    ASSERT_NE(nullptr, bitmap) << "bitmap " << id;
    EXPECT_EQ(std::make_pair(BitmapSize(bitmap).cx, BitmapSize(bitmap).cy), std::make_pair(width, 16L)) << id;
    DeleteObject(bitmap);
  }
  // The header's image list masks the button-face colour: drawn over red, the corners stay red, the arrow not.
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
  HBITMAP arrow = static_cast<HBITMAP>(
      LoadImageA(Module(), MAKEINTRESOURCEA(IDB_SORT_ASCENDING), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  ImageList_AddMasked(list, arrow, GetSysColor(COLOR_BTNFACE));
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
  EXPECT_EQ(std::vector<COLORREF>({GetPixel(dc, 0, 0), GetPixel(dc, 15, 15), GetPixel(dc, 8, 8) == RGB(255, 0, 0)}),
            std::vector<COLORREF>({RGB(255, 0, 0), RGB(255, 0, 0), 0}));
  DeleteObject(SelectObject(dc, old));
  DeleteDC(dc);
  DeleteObject(arrow);
  ImageList_Destroy(list);
}

TEST(ResourcesTest, CarriedUsbIdsAndVersionTexts) {
  HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(IDR_USB_IDS), "BIN");
  const std::string carried(static_cast<const char*>(LockResource(LoadResource(Module(), found))),
                            SizeofResource(Module(), found));
  // A zero byte follows the list, so that no reader of the resource runs past its end.
  EXPECT_TRUE(carried == test::ReadFixture("../../resources/usb.ids") + std::string(1, '\0'))
      << carried.size() << " bytes carried";
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof(path));
  VersionInfo info;
  ASSERT_TRUE(ReadVersionInfo(path, &info));
  EXPECT_EQ(std::string(info.productName) + "|" + info.fileDescription + "|" + info.fileVersion + "|" +
                info.productVersion + "|" + info.companyName + "|" + info.internalName + "|" + info.legalCopyright +
                "|" + info.originalFileName,
            "Wrenhollow|USB plug and unplug event log|0.1.0|0.1.0|Wrenhollow Project|wrenhollow|"
            "Copyright (C) 2026 Wrenhollow Project|wrenhollow.exe");
}

// The manifest's settings show on Windows alone, but for the DPI awareness, which the loader took here.
// Event Viewer formats a report with the message of its id and the report's 18 strings, as FormatMessage does.
TEST(ResourcesTest, EventMessagesFormatTheReportedStrings) {
  std::vector<std::wstring> texts;
  for (int i = 1; i <= 18; ++i) texts.push_back(L"s" + std::to_wstring(i));
  std::vector<DWORD_PTR> arguments;
  for (const std::wstring& text : texts) arguments.push_back(reinterpret_cast<DWORD_PTR>(text.c_str()));
  for (const auto& [id, first] : {std::pair{1, L"USB device plugged in: s5\r\n"}, {2, L"USB device removed: s5\r\n"}}) {
    wchar_t message[2048] = L"";
    ASSERT_NE(FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr, id, 0x409, message,
                             2048, reinterpret_cast<va_list*>(arguments.data())),
              0u);
    const std::wstring text = message;
    EXPECT_EQ(text.rfind(first, 0), 0u);
    for (const wchar_t* line : {L"Event Time (UTC): s1\r\n", L"Drive Letter: s7\r\n", L"USB Protocol: s16\r\n",
                                L"Device Instance: USB\\s17\\s18"}) {
      EXPECT_NE(text.find(line), std::wstring::npos) << line;
    }
  }
}

TEST(ResourcesTest, ManifestMakesTheProgramAwareOfTheSystemDpi) {
  HRSRC found = FindResourceA(Module(), CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_NE(nullptr, found);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(Module(), found))),
                             SizeofResource(Module(), found));
  EXPECT_NE(manifest.find("\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_TRUE(IsProcessDPIAware());
}

}  // namespace
}  // namespace wrenhollow
