#include "app/main_window_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <iterator>

#include "dialogs/find_win32.h"
#include "events/usb_ids_resource_win32.h"
#include "lang/language_table.h"
#include "lang/menu_translation_win32.h"
#include "report/row_commands_win32.h"
#include "resource_ids.h"
#include "ui/fault_reporter_win32.h"
#include "util/files_win32.h"
#include "util/text.h"
#include "util/window_helpers_win32.h"

namespace wrenhollow {
namespace {

constexpr DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS;
constexpr DWORD kListViewStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_ALIGNLEFT;
// Sizes in pixels as at 96 DPI; they are scaled to the screen when used.
constexpr int kStatusPartEdges[] = {300, 1024};
constexpr int kLinkPart = 1;
constexpr int kLinkFontHeight = 14;
constexpr int kLinkMargin = 5;
constexpr int kImageSize = 16;
constexpr int kToolbarImageCount = 6;
constexpr SIZE kInitialWindowSize = {640, 480};
constexpr COLORREF kLinkColor = RGB(0, 0, 255);

// The link's text is kept scrambled in the program, so it is not found as plain text in the file.
constexpr char kLinkKey = 0x5A;
template <size_t N>
struct ScrambledText {
  char bytes[N];
};
template <size_t N>
constexpr ScrambledText<N> Scramble(const char (&text)[N]) {
  ScrambledText<N> scrambled{};
  for (size_t i = 0; i < N; ++i) scrambled.bytes[i] = static_cast<char>(text[i] ^ kLinkKey);
  return scrambled;
}
constexpr auto kScrambledLinkText = Scramble("wrenhollow.org");
constexpr auto kScrambledLinkTarget = Scramble("http://wrenhollow.org/");

template <size_t N>
void Unscramble(const ScrambledText<N>& scrambled, char* text, size_t size) {
  for (size_t i = 0; i < size && i < N; ++i) text[i] = static_cast<char>(scrambled.bytes[i] ^ kLinkKey);
  if (size > 0) text[(size < N ? size : N) - 1] = '\0';
}

// The folder the HTML report goes to, found once per process: the program's, or the temporary folder when
// that is read-only or refuses the report.
char reportFolder[kPathSize] = {};

HINSTANCE Program() { return GetModuleHandleA(nullptr); }

}  // namespace

MainWindow::MainWindow() {
  SetEventClock(&clock_, &options_.showTimeInGmt);
  linkFont_ = MakeFont("Arial", ScaleToScreen(kLinkFontHeight), false);
  Unscramble(kScrambledLinkText, linkText_, sizeof linkText_);
  icon = LoadIconA(Program(), MAKEINTRESOURCEA(IDI_PROGRAM));
}

MainWindow::~MainWindow() {
  tray_.RemoveIcon();
  SetEventClock(nullptr, nullptr);
  DeleteObject(linkFont_);
  if (boldFont_ != nullptr) DeleteObject(boldFont_);
}

WindowEventList& MainWindow::CreateEventList() {
  if (list_ == nullptr) list_ = std::make_unique<WindowEventList>(registry_, volumes_, clock_);
  return *list_;
}

bool MainWindow::CreateMainWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = SharedWindowProc;
  windowClass.hInstance = Program();
  windowClass.hIcon = icon;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW, 0, 0, ScaleToScreen(kInitialWindowSize.cx),
                         ScaleToScreen(kInitialWindowSize.cy), nullptr, nullptr, Program(), this) != nullptr;
}

void MainWindow::ShowMainWindowAtStart() {
  // Hidden, the window is reached through its tray icon.
  if (options_.startAsHidden != 0 && options_.trayIcon != 0) {
    ShowWindow(hwnd, SW_HIDE);
    return;
  }
  ShowWindow(hwnd, placement_.showCommand == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOW);
  UpdateWindow(hwnd);
}

void MainWindow::OnCreate() {
  mainMenu_ = LoadTranslatedMenu(IDR_MAIN_MENU);
  SetMenu(hwnd, mainMenu_);
  CreateStatusBar();
  CreateToolbar();
  CreateListView();

  char programFolder[kPathSize];
  GetProgramFolder(programFolder);
  LoadUsbIds(list_->Database(), programFolder, ResourceUsbIds());

  contextMenu_ = LoadTranslatedMenu(IDR_CONTEXT_MENU);
  noSaveLoad_ = arguments_ != nullptr && arguments_->Find("/nosaveload") >= 0;
  LoadSaveSettings(kConfigLoad);
  SetFocus(ListViewHandle());
  SetReportPath();
  list_->View().SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP, true);
  ApplyViewOptions();
  findMessage_ = RegisterWindowMessageA("commdlg_FindReplace");
  UpdateMenuStates(nullptr);

  int partEdges[std::size(kStatusPartEdges)];
  for (size_t part = 0; part < std::size(partEdges); ++part) {
    partEdges[part] = ScaleToScreen(kStatusPartEdges[part]);
  }
  SendMessageA(statusBar_, SB_SETPARTS, std::size(partEdges), reinterpret_cast<LPARAM>(partEdges));
  SendMessageA(statusBar_, SB_SETTEXTA, kLinkPart | SBT_OWNERDRAW, 0);

  const int iconSize = ScaleToScreen(kImageSize);
  smallIcon_ = static_cast<HICON>(
      LoadImageA(Program(), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, iconSize, iconSize, LR_SHARED));
  tray_.Attach(hwnd, GetSubMenu(LoadTranslatedMenu(IDR_TRAY_MENU), 0));
  taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
  UpdateTrayIcon();

  // The first reading is the baseline that later readings are compared with; it adds no rows.
  list_->Refresh();
  hostName_ = ComputerNameUtf8();
  forwarder_.Start(forwarding_, hostName_);
  ShowOlderRowsAtStart();
  ApplyEventLog();
  list_->SetLiveRowListener([this](const UsbEvent& row) { ForwardLiveRow(row); });
}

void MainWindow::CreateStatusBar() {
  statusBar_ = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", hwnd, kStatusBarId);
  const int wholeWidth[] = {-1};
  SendMessageA(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(wholeWidth));
}

void MainWindow::CreateToolbar() {
  // The strip is stretched to the screen, its images side by side.
  const int imageSize = ScaleToScreen(kImageSize);
  const auto strip = reinterpret_cast<UINT_PTR>(LoadImageA(Program(), MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP,
                                                            kToolbarImageCount * imageSize, imageSize,
                                                            LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS | LR_SHARED));
  const struct {
    int command;
    int image;
  } buttons[] = {{0, 0},
                 {IDM_SAVE_SELECTED, 1},
                 {IDM_REFRESH, 5},
                 {IDM_COPY_SELECTED, 2},
                 {IDM_PROPERTIES, 3},
                 {IDM_FIND, 0},
                 {IDM_EXIT, 4}};
  TBBUTTON tbButtons[std::size(buttons)] = {};
  for (size_t i = 0; i < std::size(buttons); ++i) {
    tbButtons[i].iBitmap = buttons[i].command == 0 ? 0 : buttons[i].image;
    tbButtons[i].idCommand = buttons[i].command;
    tbButtons[i].fsState = TBSTATE_ENABLED;
    tbButtons[i].fsStyle = buttons[i].command == 0 ? BTNS_SEP : BTNS_BUTTON;
  }
  toolbar_ = CreateToolbarEx(hwnd, kToolbarStyle, kToolbarId, kToolbarImageCount, nullptr, strip, tbButtons,
                             static_cast<int>(std::size(tbButtons)), imageSize, imageSize, imageSize, imageSize,
                             sizeof(TBBUTTON));
}

void MainWindow::CreateListView() {
  const HWND listView = CreateWindowExA(0, WC_LISTVIEWA, "", kListViewStyle, 0, 0, 400, 200, hwnd,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListViewId)), Program(), nullptr);
  WindowEventList& list = CreateEventList();
  list.View().Attach(listView);
  const HWND statusBar = statusBar_;
  list.SetProgressSink([statusBar](const char* text) {
    SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  });
  const HIMAGELIST rowImages = list.View().CreateImageLists(IDB_SORT_ASCENDING, IDB_SORT_DESCENDING);
  ImageList_ReplaceIcon(rowImages, 0, LoadIconA(Program(), MAKEINTRESOURCEA(IDI_PLUG_ROW)));
  ImageList_ReplaceIcon(rowImages, 1, LoadIconA(Program(), MAKEINTRESOURCEA(IDI_UNPLUG_ROW)));
  LOGFONTA font{};
  const auto listFont = reinterpret_cast<HGDIOBJ>(SendMessageA(listView, WM_GETFONT, 0, 0));
  GetObjectA(listFont != nullptr ? listFont : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  boldFont_ = CreateFontIndirectA(&font);
  // Rows not seen live: images 2 and 3.
  AddFadedImage(rowImages, 0);
  AddFadedImage(rowImages, 1);
}

void MainWindow::SetReportPath() {
  if (reportFolder[0] == '\0') {
    GetProgramFolder(reportFolder);
    // A failed call answers with every bit set, which counts as read-only too.
    if ((GetFileAttributesA(reportFolder) & FILE_ATTRIBUTE_READONLY) != 0) GetTempPathA(kPathSize, reportFolder);
  }
  const size_t length = std::strlen(reportFolder);
  if (length + 11 + 1 >= kPathSize) return;
  CopyBounded(reportPath_, reportFolder);
  if (length > 0 && reportFolder[length - 1] != '\\') std::strcat(reportPath_, "\\");
  std::strcat(reportPath_, "report.html");
}

void MainWindow::ShowReport(bool selectedOnly) {
  // A folder may refuse new files without being read-only (Program Files for a standard user).
  if (!CanCreateFile(reportPath_)) {
    GetTempPathA(kPathSize, reportFolder);
    SetReportPath();
  }
  ShowHtmlReport(hwnd, list_->View(), reportPath_, selectedOnly);
}

void MainWindow::UpdateTrayIcon() {
  if (options_.trayIcon != 0) {
    tray_.AddOrUpdateIcon(smallIcon_);
    tray_.SetTrayTip();
  } else {
    tray_.RemoveIcon();
  }
}

void MainWindow::ApplyViewOptions() {
  if (list_ == nullptr) return;
  list_->View().SetExtendedStyle(LVS_EX_GRIDLINES, options_.showGridLines != 0);
  list_->View().SetExtendedStyle(LVS_EX_INFOTIP, options_.showInfoTip != 0);
}

void MainWindow::LayoutChildren() {
  if (!created) return;
  RECT client;
  GetClientRect(hwnd, &client);
  RECT rect;
  GetWindowRect(statusBar_, &rect);
  const int statusHeight = rect.bottom - rect.top + 1;
  GetWindowRect(toolbar_, &rect);
  const int toolbarHeight = rect.bottom - rect.top + 1;
  HDWP positions = BeginDeferWindowPos(3);
  positions = DeferWindowPos(positions, toolbar_, nullptr, 0, 0, client.right, toolbarHeight, SWP_NOZORDER);
  positions = DeferWindowPos(positions, statusBar_, nullptr, 0, 0, client.right, statusHeight, SWP_NOZORDER | SWP_NOMOVE);
  positions = DeferWindowPos(positions, ListViewHandle(), nullptr, 0, toolbarHeight, client.right,
                             client.bottom - toolbarHeight - statusHeight, SWP_NOZORDER);
  EndDeferWindowPos(positions);
}

void MainWindow::UpdateStatusCounts() {
  if (list_ == nullptr) return;
  char text[256];
  FormatNumber(text, GetString(4), list_->View().RowCount());
  const int selected = list_->View().SelectedCount();
  if (selected > 0) {
    char selectedText[256];
    FormatNumber(selectedText, GetString(5), selected);
    const size_t length = std::strlen(text);
    CopyBounded(text + length, sizeof text - length, selectedText);
  }
  if (hwnd != nullptr) SendMessageA(statusBar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

void MainWindow::DrawLink(const DRAWITEMSTRUCT* item) {
  if (item == nullptr || item->hwndItem != statusBar_) return;
  SetBkMode(item->hDC, TRANSPARENT);
  SetTextColor(item->hDC, kLinkColor);
  const HGDIOBJ previous = SelectObject(item->hDC, linkFont_);
  DRAWTEXTPARAMS margins{};
  margins.cbSize = sizeof margins;
  margins.iLeftMargin = ScaleToScreen(kLinkMargin);
  RECT rect = item->rcItem;
  DrawTextExA(item->hDC, linkText_, -1, &rect, DT_VCENTER, &margins);
  SelectObject(item->hDC, previous);
}

void MainWindow::OpenLink() {
  char target[256];
  Unscramble(kScrambledLinkTarget, target, sizeof target);
  ShellExecuteA(hwnd, "open", target, "", "", SW_SHOW);
}

LRESULT MainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE: if (LOWORD(wParam) == WA_ACTIVE) PostToWindow(kFocusListMessage); break;
    case WM_SETTEXT: if (!IsOwnTitle(reinterpret_cast<const char*>(lParam))) return 0; break;
    case WM_CLOSE: if (HideToTray()) return 0; break;
    case WM_SETCURSOR: if (ShowLinkCursor(reinterpret_cast<HWND>(wParam))) return 1; break;
    case WM_DRAWITEM: DrawLink(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); break;
    case WM_CONTEXTMENU: if (reinterpret_cast<HWND>(wParam) == ListViewHandle()) ShowListContextMenu(); break;
    case WM_DEVICECHANGE: OnDeviceChange(); break;
    case WM_TIMER: OnTimer(wParam); break;
    case kSelectionChangedMessage: OnSelectionChanged(); break;
    case kClearAndRebuildMessage: ClearAndRebuild(), UpdateMenuStates(nullptr); break;
    case kFocusListMessage: FocusList(); break;
    case kTrayCallbackMessage: OnTrayCallback(static_cast<UINT>(lParam)); break;
    case kForwardingStatusMessage: OnForwardingStatus(static_cast<ForwardingStatus>(wParam)); break;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == NM_CUSTOMDRAW && wParam == kListViewId) {
        return DrawRow(*reinterpret_cast<const NMLVCUSTOMDRAW*>(lParam));
      }
      break;
    default: OnRegisteredMessage(message, lParam); break;
  }
  return DispatchDefault(message, wParam, lParam);
}

// The title always begins with the program's name, whoever sets it.
bool MainWindow::IsOwnTitle(const char* title) const { return title != nullptr && StartsWithNoCase(title, className); }

bool MainWindow::HideToTray() {
  if (options_.trayIcon == 0) return false;
  ShowWindow(hwnd, SW_HIDE);
  return true;
}

bool MainWindow::ShowLinkCursor(HWND under) {
  if (under != statusBar_ || statusBar_ == nullptr) return false;
  SetCursor(LoadCursorA(Program(), MAKEINTRESOURCEA(IDR_HAND_CURSOR)));
  return true;
}

void MainWindow::OnSelectionChanged() {
  selectionUpdatePending_ = false;
  UpdateStatusCounts();
  UpdateMenuStates(nullptr);
}

void MainWindow::OnTrayCallback(UINT event) {
  if (event == WM_LBUTTONDBLCLK) ShowWindow(hwnd, SW_SHOWNORMAL);
  if (event == NIN_BALLOONUSERCLICK) ShowBalloonRows();
  if (event == NIN_BALLOONUSERCLICK || event == NIN_BALLOONTIMEOUT || event == NIN_BALLOONHIDE) tray_.OnBalloonGone();
  tray_.OnTrayNotify(event);
}

void MainWindow::OnRegisteredMessage(UINT message, LPARAM lParam) {
  if (message == 0) return;
  if (message == findMessage_ && list_ != nullptr) {
    OnFindMessage(*reinterpret_cast<const FINDREPLACEA*>(lParam), list_->View(), &findDialog);
  } else if (message == taskbarCreatedMessage_) {
    // Without this the icon would stay missing, and a hidden window out of reach.
    tray_.ForgetIcon();
    UpdateTrayIcon();
  }
}

void MainWindow::OnDeviceChange() {
  if (refreshPending_) return;
  refreshPending_ = true;
  SetTimer(hwnd, kDeviceChangeTimer, kDeviceChangeDelay, nullptr);
}

void MainWindow::OnTimer(UINT_PTR timer) {
  if (timer != kDeviceChangeTimer) return;
  // Cleared before the reading, so a change that arrives meanwhile starts a new timer and is not lost.
  refreshPending_ = false;
  KillTimer(hwnd, kDeviceChangeTimer);
  // Rows drawn one at a time would cost far more than reading the devices when many arrive at once.
  const int firstNewItem = list_->ItemCount();
  WithRedrawOff([this] { list_->Refresh(); });
  NotifyOfReading(firstNewItem);
}

void MainWindow::ClearAndRebuild() {
  WithRedrawOff([this] {
    ShowWaitCursor();
    list_->ClearItems();
    SendMessageA(ListViewHandle(), LVM_DELETEALLITEMS, 0, 0);
    list_->View().RebuildRows(true);
    UpdateStatusCounts();
    RestoreCursor();
    SetFocus(ListViewHandle());
  });
}

template <typename Work>
void MainWindow::WithRedrawOff(Work work) {
  if (list_ == nullptr) return;
  list_->View().SetRedraw(false);
  // Guarded on its own, so that after a fault the user continues past the list is painted again.
  CallGuarded(hwnd, work);
  if (list_ != nullptr) list_->View().SetRedraw(true);
}

void MainWindow::ShowAllRowsAgain() {
  WithRedrawOff([this] {
    SendMessageA(ListViewHandle(), LVM_DELETEALLITEMS, 0, 0);
    // In the items' order, as live rows are added: older rows first, oldest first.
    list_->View().RebuildRows(false);
    UpdateStatusCounts();
  });
}

void MainWindow::OnDestroy() {
  // Also reached for the end-of-session query and again when the window then goes: the log is saved and
  // destroyed once.
  if (list_ == nullptr) return;
  forwarder_.Stop();
  DeleteFileA(reportPath_);
  LoadSaveSettings(kConfigSave);
  DestroyEventList();
  PostQuitMessage(0);
}

}  // namespace wrenhollow
