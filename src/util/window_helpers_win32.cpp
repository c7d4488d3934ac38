#include "util/window_helpers_win32.h"

#include <commctrl.h>

#include "util/dpi_scale.h"
#include "util/text.h"

namespace wrenhollow {
namespace {

HCURSOR replacedCursor = nullptr;

}  // namespace

POINT CenteredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  POINT origin;
  origin.x = (screenWidth - windowWidth - 1) / 2;
  origin.y = (screenHeight - windowHeight - 1) / 2;
  if (origin.x < 0) origin.x = 0;
  if (origin.y < 0) origin.y = 0;
  return origin;
}

void CenterWindow(HWND window) {
  int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
  if (screenWidth == 0 || screenHeight == 0) {
    HDC screen = GetDC(nullptr);
    screenWidth = GetDeviceCaps(screen, HORZRES);
    screenHeight = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
  }
  RECT bounds;
  if (!GetWindowRect(window, &bounds)) return;
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const POINT origin = CenteredOrigin(screenWidth, screenHeight, width, height);
  MoveWindow(window, origin.x, origin.y, width, height, TRUE);
}

void ShowWaitCursor() { replacedCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT)); }

void RestoreCursor() { SetCursor(replacedCursor); }

HFONT MakeFont(const char* face, int height, bool underline) {
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfWeight = FW_BOLD;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  CopyBounded(font.lfFaceName, face);
  return CreateFontIndirectA(&font);
}

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int read = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : kBaseDpi;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return read;
  }();
  return dpi;
}

int ScaleToScreen(int size) { return ScaleToDpi(size, ScreenDpi()); }

int UnscaleFromScreen(int pixels) { return UnscaleFromDpi(pixels, ScreenDpi()); }

bool IsEditControl(HWND window) {
  char className[64];
  if (GetClassNameA(window, className, sizeof className) == 0) return false;
  return EqualsNoCase(className, "edit");
}

int AddFadedImage(HIMAGELIST images, int index) {
  int width = 0;
  int height = 0;
  if (!ImageList_GetIconSize(images, &width, &height)) return -1;
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  HDC screen = GetDC(nullptr);
  HDC canvas = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  int added = -1;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(canvas, bitmap);
    const RECT whole = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(canvas, &whole, brush);
    DeleteObject(brush);
    ImageList_Draw(images, index, canvas, 0, 0, ILD_NORMAL);
    GdiFlush();
    // Each channel half-way to the background's; the background itself stays, so it still masks.
    const uint32_t back = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
    auto* pixel = static_cast<uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
      uint32_t faded = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        faded |= ((((pixel[i] >> shift) & 0xFF) + ((back >> shift) & 0xFF)) / 2) << shift;
      }
      pixel[i] = faded;
    }
    SelectObject(canvas, previous);
    added = ImageList_AddMasked(images, bitmap, background);
    DeleteObject(bitmap);
  }
  DeleteDC(canvas);
  ReleaseDC(nullptr, screen);
  return added;
}

}  // namespace wrenhollow
