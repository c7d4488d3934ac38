#include "report/report_list_view_win32.h"

#include <cstring>

#include "util/window_helpers_win32.h"

namespace wrenhollow {
namespace {

constexpr UINT kOverlayMask = LVIS_OVERLAYMASK;
// The row images and sort arrows, as at 96 DPI.
constexpr int kImageSize = 16;

HWND HeaderOf(HWND listView) { return reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0)); }

}  // namespace

ReportListView::ReportListView(ReportList& list) : list_(list), buffers_(std::make_unique<CompareBuffers>()) {}

ReportListView::~ReportListView() {
  if (headerImages_ == nullptr) return;
  if (IsWindow(listView_)) SendMessageA(HeaderOf(listView_), HDM_SETIMAGELIST, 0, 0);
  ImageList_Destroy(headerImages_);
}

void ReportListView::Attach(HWND listView) {
  listView_ = listView;
  for (const ReportColumn& column : list_.Columns()) {
    LVCOLUMNA lvColumn{};
    lvColumn.mask = static_cast<UINT>(column.def.listViewMask);
    lvColumn.fmt = column.def.format;
    lvColumn.cx = ScaleToScreen(column.def.defaultWidth);
    lvColumn.pszText = const_cast<char*>(column.title);
    SendMessageA(listView_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column.def.id), reinterpret_cast<LPARAM>(&lvColumn));
  }
}

HIMAGELIST ReportListView::CreateImageLists(int ascendingBitmapId, int descendingBitmapId) {
  const int imageSize = ScaleToScreen(kImageSize);
  smallImages_ = ImageList_Create(imageSize, imageSize, ILC_COLOR24 | ILC_MASK, 1, 1);
  ImageList_SetImageCount(smallImages_, 2);
  SendMessageA(listView_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_));

  headerImages_ = ImageList_Create(imageSize, imageSize, ILC_COLOR24 | ILC_MASK, 1, 1);
  const HINSTANCE program = GetModuleHandleA(nullptr);
  const auto loadArrow = [&](int bitmapId) {
    return static_cast<HBITMAP>(
        LoadImageA(program, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, imageSize, imageSize, LR_LOADMAP3DCOLORS));
  };
  HBITMAP ascending = loadArrow(ascendingBitmapId);
  HBITMAP descending = loadArrow(descendingBitmapId);
  ImageList_SetImageCount(headerImages_, 0);
  ImageList_AddMasked(headerImages_, ascending, GetSysColor(COLOR_BTNFACE));
  ImageList_AddMasked(headerImages_, descending, GetSysColor(COLOR_BTNFACE));
  DeleteObject(ascending);
  DeleteObject(descending);
  SendMessageA(HeaderOf(listView_), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(headerImages_));
  return smallImages_;
}

void ReportListView::InsertRow(int index) {
  ReportItem* item = list_.ItemAt(index);
  if (item == nullptr || listView_ == nullptr) return;
  item->image = list_.ItemImage(*item);
  LVITEMA row{};
  row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT;
  if (item->overlay >= 0) {
    row.mask |= LVIF_STATE;
    row.state = INDEXTOOVERLAYMASK(static_cast<UINT>(item->overlay));
    row.stateMask = kOverlayMask;
  }
  row.iItem = INT_MAX;  // past the last row: appended, however many there are
  row.pszText = const_cast<char*>(item->Text(0, buffers_->first, sizeof buffers_->first));
  row.iImage = item->image;
  row.lParam = index;
  const int inserted = static_cast<int>(SendMessageA(listView_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
  if (inserted < 0) return;
  // The new row's other cells are empty: only texts that are not need writing, and nothing needs reading.
  const int columnCount = static_cast<int>(list_.Columns().size());
  for (int column = 1; column < columnCount; ++column) {
    const char* text = item->Text(column, buffers_->second, sizeof buffers_->second);
    if (text[0] != '\0') WriteRowText(inserted, column, const_cast<char*>(text));
  }
}

void ReportListView::WriteRowText(int row, int column, char* text) {
  LVITEMA cell{};
  cell.iSubItem = column;
  cell.pszText = text;
  SendMessageA(listView_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

void ReportListView::UpdateRowTexts(const ReportItem& item, int row) {
  const int columnCount = static_cast<int>(list_.Columns().size());
  for (int column = 0; column < columnCount; ++column) {
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = buffers_->first;
    cell.cchTextMax = static_cast<int>(sizeof buffers_->first);
    buffers_->first[0] = '\0';
    SendMessageA(listView_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    const char* text = item.Text(column, buffers_->second, sizeof buffers_->second);
    if (std::strcmp(cell.pszText, text) != 0) WriteRowText(row, column, const_cast<char*>(text));
  }
}

void ReportListView::UpdateRowImage(ReportItem& item, int row) {
  item.image = list_.ItemImage(item);
  LVITEMA shown{};
  shown.mask = LVIF_IMAGE;
  if (item.overlay >= 0) {
    shown.mask |= LVIF_STATE;
    shown.stateMask = kOverlayMask;
  }
  shown.iItem = row;
  if (!SendMessageA(listView_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&shown))) return;
  const UINT overlayState = item.overlay >= 0 ? INDEXTOOVERLAYMASK(static_cast<UINT>(item.overlay)) : 0;
  if (shown.iImage == item.image && (item.overlay < 0 || (shown.state & kOverlayMask) == overlayState)) return;
  shown.iImage = item.image;
  shown.state = overlayState;
  SendMessageA(listView_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&shown));
}

void ReportListView::UpdateAllRowTexts() {
  const int count = RowCount();
  for (int row = 0; row < count; ++row) {
    if (const ReportItem* item = ItemAtRow(row)) UpdateRowTexts(*item, row);
  }
}

ReportItem* ReportListView::ItemAtRow(int row, int* index) const {
  LVITEMA shown{};
  shown.mask = LVIF_PARAM;
  shown.iItem = row;
  if (!SendMessageA(listView_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&shown))) return nullptr;
  if (shown.lParam < 0 || shown.lParam >= list_.ItemCount()) return nullptr;
  if (index != nullptr) *index = static_cast<int>(shown.lParam);
  return list_.ItemAt(static_cast<int>(shown.lParam));
}

void ReportListView::RebuildRows(bool resort) {
  const int count = list_.ItemCount();
  for (int i = 0; i < count; ++i) {
    ReportItem* item = list_.ItemAt(i);
    item->showMark = (item->flags & kItemSlotFree) == 0 ? 1 : 0;
  }
  for (int row = RowCount() - 1; row >= 0; --row) {
    ReportItem* item = ItemAtRow(row);
    if (item == nullptr) continue;
    if (item->showMark == 0) {
      SendMessageA(listView_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
      continue;
    }
    item->showMark = 0;
    if ((item->flags & kItemTextsFinal) == 0) {
      UpdateRowTexts(*item, row);
      UpdateRowImage(*item, row);
    }
  }
  for (int i = 0; i < count; ++i) {
    if (list_.ItemAt(i)->showMark == 1) InsertRow(i);
  }
  if (!resort) return;
  SortByColumn(kCurrentSortValue, true);
  SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ReportListView::SortByColumn(int value, bool keepDirection) {
  value = NextSortValue(list_.SortValue(), value, keepDirection);
  list_.SortValue() = value;
  if (headerImages_ != nullptr) {
    const HWND header = HeaderOf(listView_);
    const int columnCount = static_cast<int>(list_.Columns().size());
    for (int column = 0; column < columnCount; ++column) {
      HDITEMA plain{};
      plain.mask = HDI_FORMAT;
      plain.fmt = HDF_STRING;
      SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&plain));
    }
    HDITEMA arrow{};
    arrow.mask = HDI_FORMAT | HDI_IMAGE;
    arrow.fmt = HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    arrow.iImage = (value & kSortDescending) != 0 ? 1 : 0;
    SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(value & kSortColumnMask), reinterpret_cast<LPARAM>(&arrow));
  }
  activeSortKey_ = value;
  SendMessageA(listView_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(CompareRows));
}

int CALLBACK ReportListView::CompareRows(LPARAM first, LPARAM second, LPARAM view) {
  const auto* self = reinterpret_cast<const ReportListView*>(view);
  const ReportItem* a = self->list_.ItemAt(static_cast<int>(first));
  const ReportItem* b = self->list_.ItemAt(static_cast<int>(second));
  if (a == nullptr || b == nullptr) return 0;
  return CompareByKey(self->activeSortKey_, *a, *b, *self->buffers_);
}

std::vector<ColumnPlacement> ReportListView::ColumnPlacements() const {
  std::vector<ColumnPlacement> placements;
  const int columnCount = static_cast<int>(list_.Columns().size());
  for (int column = 0; column < columnCount; ++column) {
    LVCOLUMNA lvColumn{};
    lvColumn.mask = LVCF_WIDTH | LVCF_ORDER;
    const bool known =
        SendMessageA(listView_, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvColumn)) != 0;
    placements.push_back({known, known ? lvColumn.iOrder : 0, known ? UnscaleFromScreen(lvColumn.cx) : 0});
  }
  return placements;
}

void ReportListView::CaptureLayout() {
  if (listView_ == nullptr) return;
  std::vector<ColumnLayoutEntry>& layout = list_.Layout();
  const std::vector<ColumnPlacement> placements = ColumnPlacements();
  for (size_t column = 0; column < layout.size() && column < placements.size(); ++column) {
    layout[column] = {static_cast<int16_t>(placements[column].width), static_cast<int16_t>(placements[column].position)};
  }
}

void ReportListView::ApplyLayout() {
  if (listView_ == nullptr) return;
  for (const ColumnLayoutStep& step : PlanLayout(list_.Layout())) {
    LVCOLUMNA lvColumn{};
    lvColumn.mask = LVCF_ORDER | (step.setWidth ? LVCF_WIDTH : 0);
    lvColumn.cx = ScaleToScreen(step.width);
    lvColumn.iOrder = step.position;
    SendMessageA(listView_, LVM_SETCOLUMNA, static_cast<WPARAM>(step.column), reinterpret_cast<LPARAM>(&lvColumn));
  }
}

std::vector<ExportRow> ReportListView::Rows() const {
  std::vector<ExportRow> rows;
  const int count = RowCount();
  for (int row = 0; row < count; ++row) {
    int index = 0;
    if (ItemAtRow(row, &index) == nullptr) continue;
    const auto state = SendMessageA(listView_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED);
    rows.push_back({index, (state & LVIS_SELECTED) != 0});
  }
  return rows;
}

int ReportListView::RowCount() const { return static_cast<int>(SendMessageA(listView_, LVM_GETITEMCOUNT, 0, 0)); }

int ReportListView::SelectedCount() const {
  return static_cast<int>(SendMessageA(listView_, LVM_GETSELECTEDCOUNT, 0, 0));
}

void ReportListView::SetItemState(int row, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageA(listView_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ReportListView::SetRedraw(bool on) { SendMessageA(listView_, WM_SETREDRAW, on ? TRUE : FALSE, 0); }

void ReportListView::SetExtendedStyle(DWORD bits, bool on) {
  const auto style = static_cast<DWORD>(SendMessageA(listView_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  SendMessageA(listView_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(on ? style | bits : style & ~bits));
}

void ReportListView::AutoSizeColumns() {
  const auto columns = static_cast<int>(SendMessageA(HeaderOf(listView_), HDM_GETITEMCOUNT, 0, 0));
  for (int column = 0; column < columns; ++column) {
    if (SendMessageA(listView_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0) > 0) {
      SendMessageA(listView_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(LVSCW_AUTOSIZE, 0));
    }
  }
}

}  // namespace wrenhollow
