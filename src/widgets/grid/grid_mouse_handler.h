#pragma once

#include <QPoint>
#include <Qt>

#include "widgets/grid/cell_range.h"

class CGridCtrl;
class QMouseEvent;
class QWheelEvent;

// The mouse side of a grid: clicks select, move the focus, start edits, resize columns and rows
// by their heading boundaries, sort by heading clicks in list mode and begin drags; the wheel
// scrolls; a timer scrolls while a selection is dragged past the edges.
class CGridMouseHandler {
 public:
  // Pixels either side of a boundary that count as on it.
  static constexpr int kResizeCaptureRange = 3;

  explicit CGridMouseHandler(CGridCtrl& grid) : grid_(grid) {}

  void Press(QMouseEvent* event);
  void Move(QMouseEvent* event);
  void Release(QMouseEvent* event);
  void DoubleClick(QMouseEvent* event);
  void Wheel(QWheelEvent* event);
  void OnTimer();

  void OnLButtonDown(QPoint point, Qt::KeyboardModifiers modifiers);
  void OnMouseMove(QPoint point, bool leftDown);
  void OnLButtonUp(QPoint point);
  void OnLButtonDblClk(QPoint point);
  void OnRButtonUp(QPoint point);
  void OnMouseWheel(int delta);
  // The mouse went elsewhere while held (the window lost the activation): the timer stops and
  // a sizing, selecting or dragging mode ends.
  void OnCaptureLost();

  // On a column boundary within the fixed rows, or a row boundary within the fixed columns.
  bool IsOverColumnDivider(QPoint point) const;
  bool IsOverRowDivider(QPoint point) const;

 private:
  // The column left of the boundary at `point` (zero-width columns skipped), likewise rows.
  int ColumnLeftOfBoundary(QPoint point) const;
  int RowAboveBoundary(QPoint point) const;
  QPoint RelativeToCell(QPoint point, const CellID& cell) const;
  void UpdateCursor(QPoint point);
  void PostCommand();

  CGridCtrl& grid_;
  bool leftDown_ = false;
  QPoint downPoint_;
  QPoint lastPoint_;
  QPoint pointer_;  // the latest pointer position, inside the client area or not
  CellID downCell_;
  int sizingIndex_ = -1;
  int sizingEdge_ = 0;  // left (top) edge of the column (row) being sized
  int wheelRemainder_ = 0;
};
