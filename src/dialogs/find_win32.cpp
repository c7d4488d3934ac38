#include "dialogs/find_win32.h"

#include <commctrl.h>

namespace wrenhollow {
namespace {

constexpr WORD kFindTextSize = 255;

// The request outlives the dialog, so the text is offered again the next time.
FINDREPLACEA findRequest;
char findText[kFindTextSize + 1];

int FirstSelectedRow(const ReportListView& view) {
  return static_cast<int>(SendMessageA(view.Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace

bool OpenFind(HWND owner, HWND* dialog) {
  if (*dialog != nullptr) return false;
  findRequest = FINDREPLACEA{};
  findRequest.lStructSize = sizeof findRequest;
  findRequest.hwndOwner = owner;
  findRequest.hInstance = GetModuleHandleA(nullptr);
  findRequest.Flags = FR_DOWN;
  findRequest.lpstrFindWhat = findText;
  findRequest.wFindWhatLen = kFindTextSize;
  *dialog = FindTextA(&findRequest);
  return *dialog != nullptr;
}

void OnFindMessage(const FINDREPLACEA& request, ReportListView& view, HWND* dialog) {
  if ((request.Flags & FR_FINDNEXT) != 0) {
    FindNext(request, view);
  } else if ((request.Flags & FR_DIALOGTERM) != 0) {
    *dialog = nullptr;
    SetFocus(view.Handle());
  }
}

bool FindNext(const FINDREPLACEA& request, ReportListView& view) {
  const bool down = (request.Flags & FR_DOWN) != 0;
  const ReportList::FindQuery query{request.lpstrFindWhat, (request.Flags & FR_WHOLEWORD) != 0,
                                    (request.Flags & FR_MATCHCASE) != 0};
  const int count = view.RowCount();
  const int selected = FirstSelectedRow(view);
  int row = selected >= 0 ? selected + (down ? 1 : -1) : 0;
  for (int wraps = 0; wraps <= 1;) {
    const ReportItem* item = view.ItemAtRow(row);
    if (item != nullptr && view.List().RowMatches(*item, query)) {
      view.SetItemState(-1, 0, LVIS_SELECTED);
      SendMessageA(view.Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
      view.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      return true;
    }
    row += down ? 1 : -1;
    if (row >= count) {
      row = 0;
      ++wraps;
    } else if (row < 0) {
      row = count - 1;
      ++wraps;
    }
  }
  return false;
}

}  // namespace wrenhollow
