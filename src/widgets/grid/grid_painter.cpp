#include "grid_painter.h"

#include <QPainter>
#include <algorithm>

#include "widgets/grid/grid_cell_base.h"
#include "widgets/grid/grid_ctrl.h"

namespace {

void Fill(QPainter& painter, const Rect& rect, const Rect& clip, ColorRef color) {
  const Rect area = rect.Intersect(clip);
  if (!area.IsEmpty()) painter.fillRect(area.ToQRect(), ToQColor(color));
}

}  // namespace

void CGridPainter::Paint(QPainter& painter, const Rect& clip) {
  const CGridCellStore& store = grid_.store_;
  const CGridView& view = grid_.view_;
  const int fixedRows = store.FixedRowCount();
  const int fixedCols = store.FixedColumnCount();
  const int fixedHeight = std::min(store.FixedRowHeight(), view.ClientHeight());
  const int fixedWidth = std::min(store.FixedColumnWidth(), view.ClientWidth());
  const int right = std::min(view.CellsRight(), view.ClientWidth());
  const int bottom = std::min(view.CellsBottom(), view.ClientHeight());

  // Background: outside the cells, the fixed bands, the visible cell area.
  Fill(painter, clip, clip, grid_.look_.bkColor);
  Fill(painter, Rect(0, 0, right, fixedHeight), clip, grid_.look_.fixedBkColor);
  Fill(painter, Rect(0, 0, fixedWidth, bottom), clip, grid_.look_.fixedBkColor);
  Fill(painter, Rect(fixedWidth, fixedHeight, right, bottom), clip, grid_.look_.textBkColor);
  if (store.RowCount() == 0 || store.ColumnCount() == 0) return;

  const GridDrawContext context = grid_.DrawContext();
  const CellRange visible = view.VisibleNonFixed();
  const int lastRow = store.RowCount() - 1;
  const int lastCol = store.ColumnCount() - 1;
  PaintBlock(painter, context, clip, 0, fixedRows - 1, 0, fixedCols - 1, 0, 0);
  const int cellsTop = store.FixedRowHeight();
  const int cellsLeft = store.FixedColumnWidth();
  PaintBlock(painter, context, clip, visible.minRow, lastRow, 0, fixedCols - 1, 0, cellsTop);
  PaintBlock(painter, context, clip, 0, fixedRows - 1, visible.minCol, lastCol, cellsLeft, 0);
  PaintBlock(painter, context, clip, visible.minRow, lastRow, visible.minCol, lastCol, cellsLeft,
             cellsTop);
  PaintGridLines(painter, right, bottom);
}

void CGridPainter::PaintBlock(QPainter& painter, const GridDrawContext& context, const Rect& clip,
                              int firstRow, int lastRow, int firstCol, int lastCol, int x0,
                              int y0) {
  const CGridCellStore& store = grid_.store_;
  if (firstRow < 0 || firstCol < 0 || firstRow > lastRow || firstCol > lastCol) return;
  int y = y0;
  for (int row = firstRow; row <= lastRow; ++row) {
    const int height = store.RowHeight(row);
    if (y >= clip.bottom) break;
    const int top = y;
    y += height;
    if (y <= clip.top) continue;
    int x = x0;
    for (int col = firstCol; col <= lastCol; ++col) {
      const int width = store.ColumnWidth(col);
      if (x >= clip.right) break;
      const int left = x;
      x += width;
      if (x <= clip.left) continue;
      if (CGridCellBase* cell = store.Cell(row, col))
        cell->Draw(painter, context, row, col, Rect(left, top, left + width, top + height), false);
    }
  }
}

void CGridPainter::PaintGridLines(QPainter& painter, int right, int bottom) {
  const int lines = grid_.gridLines_;
  if (lines == GRIDLINES_NONE) return;
  const CGridCellStore& store = grid_.store_;
  const CGridView& view = grid_.view_;
  const CellRange visible = view.VisibleNonFixed();
  const int fixedHeight = store.FixedRowHeight();
  const int fixedWidth = store.FixedColumnWidth();
  const QColor color = ToQColor(grid_.look_.gridLineColor);
  if ((lines == GRIDLINES_VERT || lines == GRIDLINES_BOTH) && bottom > fixedHeight) {
    int x = fixedWidth;
    for (int col = visible.minCol; col <= visible.maxCol && x < right; ++col) {
      const int width = store.ColumnWidth(col);
      x += width;
      if (width > 0) painter.fillRect(x - 1, fixedHeight, 1, bottom - fixedHeight, color);
    }
  }
  if ((lines == GRIDLINES_HORZ || lines == GRIDLINES_BOTH) && right > fixedWidth) {
    int y = fixedHeight;
    for (int row = visible.minRow; row <= visible.maxRow && y < bottom; ++row) {
      const int height = store.RowHeight(row);
      y += height;
      if (height > 0) painter.fillRect(fixedWidth, y - 1, right - fixedWidth, 1, color);
    }
  }
}

Rect CGridPainter::TrackerRect(int position, Qt::Orientation orientation, const Rect& client) {
  if (orientation == Qt::Vertical) return {position - 1, client.top, position + 1, client.bottom};
  return {client.left, position - 1, client.right, position + 1};
}

void CGridPainter::PaintTracker(QPainter& painter, int position, Qt::Orientation orientation,
                                const Rect& client) {
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(TrackerRect(position, orientation, client).ToQRect(), Qt::white);
  painter.restore();
}
