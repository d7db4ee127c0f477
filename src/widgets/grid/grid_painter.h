#pragma once

#include <Qt>

#include "platform/rect.h"
#include "widgets/grid/grid_draw_context.h"

class CGridCtrl;
class QPainter;

// Paints a grid's client area: the background, then the cells in four passes so that fixed
// cells lie on top (fixed corner, fixed columns, fixed rows, the rest), then the grid lines.
class CGridPainter {
 public:
  explicit CGridPainter(CGridCtrl& grid) : grid_(grid) {}

  void Paint(QPainter& painter, const Rect& clip);
  // The inverted line that follows a column (vertical) or row (horizontal) being resized.
  static void PaintTracker(QPainter& painter, int position, Qt::Orientation orientation,
                           const Rect& client);
  // The line's area, to repaint when it moves.
  static Rect TrackerRect(int position, Qt::Orientation orientation, const Rect& client);

 private:
  // Draws rows [firstRow, lastRow] x columns [firstCol, lastCol] from client (x0, y0) on,
  // skipping what lies before the clip box and stopping after it.
  void PaintBlock(QPainter& painter, const GridDrawContext& context, const Rect& clip, int firstRow,
                  int lastRow, int firstCol, int lastCol, int x0, int y0);
  void PaintGridLines(QPainter& painter, int right, int bottom);

  CGridCtrl& grid_;
};
