#include "grid_view.h"

#include <algorithm>
#include <climits>

#include "widgets/grid/grid_cell_store.h"

namespace {

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

ScrollBarLayout LayOutScrollBars(long long virtualWidth, long long virtualHeight, int fullWidth,
                                 int fullHeight, int barWidth, int barHeight) {
  ScrollBarLayout layout;
  layout.vertical = virtualHeight > fullHeight;
  layout.horizontal = virtualWidth > fullWidth - (layout.vertical ? barWidth : 0);
  if (layout.horizontal && !layout.vertical)
    layout.vertical = virtualHeight > fullHeight - barHeight;
  layout.clientWidth = std::max(0, fullWidth - (layout.vertical ? barWidth : 0));
  layout.clientHeight = std::max(0, fullHeight - (layout.horizontal ? barHeight : 0));
  return layout;
}

void CGridView::SetClientSize(int width, int height) {
  clientWidth_ = std::max(0, width);
  clientHeight_ = std::max(0, height);
  SetScrollX(scrollX_);
  SetScrollY(scrollY_);
}

int CGridView::MaxScrollX() const {
  return ClampToInt(std::max<long long>(0, store_.VirtualWidth() - clientWidth_));
}

int CGridView::MaxScrollY() const {
  return ClampToInt(std::max<long long>(0, store_.VirtualHeight() - clientHeight_));
}

void CGridView::SetScrollX(int x) { scrollX_ = std::clamp(x, 0, MaxScrollX()); }

void CGridView::SetScrollY(int y) { scrollY_ = std::clamp(y, 0, MaxScrollY()); }

CellID CGridView::TopLeftNonFixed() const {
  const int fixedRows = store_.FixedRowCount();
  const int fixedCols = store_.FixedColumnCount();
  int row = store_.FirstRowAtOrAfter(fixedRows, store_.RowTop(fixedRows) + scrollY_);
  int col = store_.FirstColumnAtOrAfter(fixedCols, store_.ColumnLeft(fixedCols) + scrollX_);
  // The walk stops at the last row or column.
  row = std::min(row, std::max(fixedRows, store_.RowCount() - 1));
  col = std::min(col, std::max(fixedCols, store_.ColumnCount() - 1));
  return {row, col};
}

QPoint CGridView::CellOrigin(int row, int col) const {
  const CellID topLeft = TopLeftNonFixed();
  long long x = store_.ColumnLeft(col);
  long long y = store_.RowTop(row);
  if (col >= store_.FixedColumnCount())
    x = store_.FixedColumnWidth() + store_.ColumnLeft(col) - store_.ColumnLeft(topLeft.col);
  if (row >= store_.FixedRowCount())
    y = store_.FixedRowHeight() + store_.RowTop(row) - store_.RowTop(topLeft.row);
  return {ClampToInt(x), ClampToInt(y)};
}

Rect CGridView::CellRect(int row, int col) const {
  if (!store_.IsValid(row, col)) return {};
  const QPoint origin = CellOrigin(row, col);
  return {origin.x(), origin.y(), origin.x() + store_.ColumnWidth(col),
          origin.y() + store_.RowHeight(row)};
}

CellID CGridView::CellFromPoint(QPoint point, bool allowFixed) const {
  if (!ClientRect().Contains(point)) return {};
  const int fixedWidth = store_.FixedColumnWidth();
  const int fixedHeight = store_.FixedRowHeight();
  const CellID topLeft = TopLeftNonFixed();
  int col;
  if (point.x() < fixedWidth) {
    col = store_.ColumnAt(point.x());
  } else {
    col = store_.ColumnAt(store_.ColumnLeft(topLeft.col) + point.x() - fixedWidth);
    if (col >= 0 && col < topLeft.col) col = -1;
  }
  int row;
  if (point.y() < fixedHeight) {
    row = store_.RowAt(point.y());
  } else {
    row = store_.RowAt(store_.RowTop(topLeft.row) + point.y() - fixedHeight);
    if (row >= 0 && row < topLeft.row) row = -1;
  }
  if (row < 0 || col < 0) return {};
  if (!allowFixed && (row < store_.FixedRowCount() || col < store_.FixedColumnCount())) return {};
  return {row, col};
}

CellRange CGridView::VisibleNonFixed() const {
  const CellID topLeft = TopLeftNonFixed();
  const long long rowLimit = store_.RowTop(topLeft.row) + (clientHeight_ - store_.FixedRowHeight());
  const long long colLimit =
      store_.ColumnLeft(topLeft.col) + (clientWidth_ - store_.FixedColumnWidth());
  // Rows whose top lies above the client bottom.
  const int lastRow = std::max(topLeft.row, store_.FirstRowAtOrAfter(topLeft.row, rowLimit) - 1);
  const int lastCol = std::max(topLeft.col, store_.FirstColumnAtOrAfter(topLeft.col, colLimit) - 1);
  return {topLeft.row, topLeft.col, std::min(lastRow, store_.RowCount() - 1),
          std::min(lastCol, store_.ColumnCount() - 1)};
}

CellRange CGridView::UnobstructedNonFixed() const {
  const CellID topLeft = TopLeftNonFixed();
  const long long rowLimit = store_.RowTop(topLeft.row) + (clientHeight_ - store_.FixedRowHeight());
  const long long colLimit =
      store_.ColumnLeft(topLeft.col) + (clientWidth_ - store_.FixedColumnWidth());
  // The last row whose bottom (the next row's top) is within the limit.
  int lastRow = store_.FirstRowAtOrAfter(topLeft.row + 1, rowLimit + 1) - 2;
  if (store_.RowTop(store_.RowCount()) <= rowLimit) lastRow = store_.RowCount() - 1;
  int lastCol = store_.FirstColumnAtOrAfter(topLeft.col + 1, colLimit + 1) - 2;
  if (store_.ColumnLeft(store_.ColumnCount()) <= colLimit) lastCol = store_.ColumnCount() - 1;
  return {topLeft.row, topLeft.col, lastRow, lastCol};
}

int CGridView::CellsRight() const {
  if (store_.ColumnCount() == 0) return 0;
  const CellID topLeft = TopLeftNonFixed();
  return ClampToInt(store_.FixedColumnWidth() + store_.VirtualWidth() -
                    store_.ColumnLeft(std::max(topLeft.col, store_.FixedColumnCount())));
}

int CGridView::CellsBottom() const {
  if (store_.RowCount() == 0) return 0;
  const CellID topLeft = TopLeftNonFixed();
  return ClampToInt(store_.FixedRowHeight() + store_.VirtualHeight() -
                    store_.RowTop(std::max(topLeft.row, store_.FixedRowCount())));
}

bool CGridView::VScroll(int code, int thumbPos) {
  const int before = scrollY_;
  const CellID topLeft = TopLeftNonFixed();
  const int fixedRows = store_.FixedRowCount();
  switch (code) {
    case SB_LINEDOWN:
      if (scrollY_ < MaxScrollY()) {
        int row = topLeft.row;
        while (row < store_.RowCount() - 1 && store_.RowHeight(row) < 1) ++row;
        SetScrollY(scrollY_ + store_.RowHeight(row));
      }
      break;
    case SB_LINEUP:
      if (scrollY_ > 0 && topLeft.row > fixedRows) {
        int row = topLeft.row - 1;
        while (row > fixedRows && store_.RowHeight(row) < 1) --row;
        SetScrollY(std::max(0, scrollY_ - store_.RowHeight(row)));
      }
      break;
    case SB_PAGEDOWN:
      SetScrollY(scrollY_ + std::max(0, clientHeight_ - store_.FixedRowHeight()));
      break;
    case SB_PAGEUP:
      SetScrollY(scrollY_ - std::max(0, clientHeight_ - store_.FixedRowHeight()));
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      SetScrollY(thumbPos);
      break;
    case SB_TOP:
      SetScrollY(0);
      break;
    case SB_BOTTOM:
      SetScrollY(MaxScrollY());
      break;
    default:
      break;
  }
  return scrollY_ != before;
}

bool CGridView::HScroll(int code, int thumbPos) {
  const int before = scrollX_;
  const CellID topLeft = TopLeftNonFixed();
  const int fixedCols = store_.FixedColumnCount();
  switch (code) {
    case SB_LINERIGHT:
      if (scrollX_ < MaxScrollX()) {
        int col = topLeft.col;
        while (col < store_.ColumnCount() - 1 && store_.ColumnWidth(col) < 1) ++col;
        SetScrollX(scrollX_ + store_.ColumnWidth(col));
      }
      break;
    case SB_LINELEFT:
      if (scrollX_ > 0 && topLeft.col > fixedCols) {
        int col = topLeft.col - 1;
        while (col > fixedCols && store_.ColumnWidth(col) < 1) --col;
        SetScrollX(std::max(0, scrollX_ - store_.ColumnWidth(col)));
      }
      break;
    case SB_PAGERIGHT:
      SetScrollX(scrollX_ + std::max(0, clientWidth_ - store_.FixedColumnWidth()));
      break;
    case SB_PAGELEFT:
      SetScrollX(scrollX_ - std::max(0, clientWidth_ - store_.FixedColumnWidth()));
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      SetScrollX(thumbPos);
      break;
    case SB_LEFT:
      SetScrollX(0);
      break;
    case SB_RIGHT:
      SetScrollX(MaxScrollX());
      break;
    default:
      break;
  }
  return scrollX_ != before;
}

bool CGridView::EnsureVisible(int row, int col) {
  if (!store_.IsValid(row, col)) return false;
  const int beforeX = scrollX_, beforeY = scrollY_;
  const int fixedRows = store_.FixedRowCount();
  const int fixedCols = store_.FixedColumnCount();
  // Line steps keep the first visible row on a row boundary; so do these positions.
  if (row >= fixedRows) {
    const CellID topLeft = TopLeftNonFixed();
    const long long base = store_.RowTop(fixedRows);
    const long long room = clientHeight_ - store_.FixedRowHeight();
    if (row < topLeft.row) {
      SetScrollY(ClampToInt(store_.RowTop(row) - base));
    } else if (store_.RowTop(row + 1) - store_.RowTop(topLeft.row) > room) {
      // The first top row from which the cell's bottom fits, but never past the cell.
      int top = store_.FirstRowAtOrAfter(fixedRows, store_.RowTop(row + 1) - room);
      top = std::min(top, row);
      SetScrollY(ClampToInt(store_.RowTop(top) - base));
    }
  }
  if (col >= fixedCols) {
    const CellID topLeft = TopLeftNonFixed();
    const long long base = store_.ColumnLeft(fixedCols);
    const long long room = clientWidth_ - store_.FixedColumnWidth();
    if (col < topLeft.col) {
      SetScrollX(ClampToInt(store_.ColumnLeft(col) - base));
    } else if (store_.ColumnLeft(col + 1) - store_.ColumnLeft(topLeft.col) > room) {
      int left = store_.FirstColumnAtOrAfter(fixedCols, store_.ColumnLeft(col + 1) - room);
      left = std::min(left, col);
      SetScrollX(ClampToInt(store_.ColumnLeft(left) - base));
    }
  }
  return scrollX_ != beforeX || scrollY_ != beforeY;
}
