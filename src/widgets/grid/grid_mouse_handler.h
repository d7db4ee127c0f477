#pragma once

#include <QPoint>
#include <QTimer>
#include <Qt>

#include "widgets/grid/cell_range.h"
#include "widgets/grid/grid_selection.h"

class CGridCtrl;
class QMouseEvent;
class QPainter;
class QWheelEvent;

// The mouse side of a grid: clicks select, move the focus, start edits, resize columns and rows
// by their heading boundaries, sort by heading clicks in list mode and begin drags; the wheel
// scrolls; a timer scrolls while a selection is dragged past the edges.
//
// It alone keeps the interaction state: the mouse mode, the cell the button went down on and
// the cell a selection starts from. The grid, its key handler and its drop target change that
// state only through the operations below.
class CGridMouseHandler {
 public:
  // Pixels either side of a boundary that count as on it.
  static constexpr int kResizeCaptureRange = 3;
  static constexpr int kAutoScrollInterval = 25;  // ms

  explicit CGridMouseHandler(CGridCtrl& grid);

  // --- The interaction state ---
  MouseMode Mode() const { return mode_; }
  CellID SelectionStart() const { return selectionStart_; }
  // A click starts selecting in one of the select modes, from `cell` on.
  void BeginSelecting(MouseMode mode, const CellID& cell);
  // The keyboard moved the focus to `next`: unless the mouse is busy, the selection follows,
  // starting anew at `next` or, with `extend`, reaching from where it started.
  void SelectByKey(const CellID& next, bool extend);
  // A drop on the grid ends a drag that the grid itself started.
  void EndDrag();
  // The cells were all removed: no down or start cell remains.
  void ForgetCells();

  // --- Events ---
  void Press(QMouseEvent* event);
  void Move(QMouseEvent* event);
  void Release(QMouseEvent* event);
  void DoubleClick(QMouseEvent* event);
  void Wheel(QWheelEvent* event);
  // The pointer left the grid: what only followed the pointer (the boundary hover) ends.
  void Leave();
  // The mouse went elsewhere while held (the window lost the activation): the timer stops and
  // a sizing, selecting or dragging mode ends.
  void OnCaptureLost();

  // The inverted line that follows a column or row being resized.
  void PaintTracker(QPainter& painter) const;

  // On a column boundary within the fixed rows, or a row boundary within the fixed columns.
  bool IsOverColumnDivider(QPoint point) const;
  bool IsOverRowDivider(QPoint point) const;

 private:
  void OnLButtonDown(QPoint point, Qt::KeyboardModifiers modifiers);
  void OnMouseMove(QPoint point, bool leftDown);
  void OnLButtonUp(QPoint point);
  void OnLButtonDblClk(QPoint point);
  void OnRButtonUp(QPoint point);
  void OnMouseWheel(int delta);
  void OnTimer();

  // The column left of the boundary at `point` (zero-width columns skipped), likewise rows.
  int ColumnLeftOfBoundary(QPoint point) const;
  int RowAboveBoundary(QPoint point) const;
  QPoint RelativeToCell(QPoint point, const CellID& cell) const;
  // The hover mode the pointer at `point` puts the grid in (over a boundary, or nothing).
  MouseMode HoverModeAt(QPoint point) const;
  void EndHover();
  void UpdateCursor(QPoint point);
  void OfferTitleTip(const CellID& cell);
  bool BeginDrag();
  void SetTracker(int position, Qt::Orientation orientation);
  void ClearTracker();
  void PostCommand();

  CGridCtrl& grid_;
  MouseMode mode_ = MouseMode::Nothing;
  CellID downCell_;
  CellID selectionStart_;
  bool leftDown_ = false;
  QPoint downPoint_;
  QPoint lastPoint_;
  QPoint pointer_;  // the latest pointer position, inside the client area or not
  int sizingIndex_ = -1;
  int sizingEdge_ = 0;  // left (top) edge of the column (row) being sized
  int wheelRemainder_ = 0;
  QTimer autoScroll_;
  int trackerPos_ = -1;  // -1: no tracker shown
  Qt::Orientation trackerOrientation_ = Qt::Vertical;
};
