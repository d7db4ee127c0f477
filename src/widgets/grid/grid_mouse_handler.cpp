#include "grid_mouse_handler.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "widgets/grid/grid_cell_base.h"
#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_drag_source.h"
#include "widgets/grid/grid_keys.h"
#include "widgets/grid/grid_painter.h"
#include "widgets/grid/title_tip.h"

CGridMouseHandler::CGridMouseHandler(CGridCtrl& grid) : grid_(grid) {
  autoScroll_.setInterval(kAutoScrollInterval);
  QObject::connect(&autoScroll_, &QTimer::timeout, &autoScroll_, [this] { OnTimer(); });
}

// --- The interaction state ---

void CGridMouseHandler::BeginSelecting(MouseMode mode, const CellID& cell) {
  mode_ = mode;
  grid_.SelectAs(mode, cell);
}

void CGridMouseHandler::SelectByKey(const CellID& next, bool extend) {
  if (mode_ != MouseMode::Nothing) return;
  grid_.selection_.ClearPrevious();
  if (!extend) selectionStart_ = next;
  grid_.SelectAs(grid_.GetListMode() ? MouseMode::SelectRows : MouseMode::SelectCells, next);
}

void CGridMouseHandler::EndDrag() {
  if (mode_ == MouseMode::Dragging) mode_ = MouseMode::Nothing;
}

void CGridMouseHandler::ForgetCells() {
  downCell_ = CellID();
  selectionStart_ = CellID();
}

// --- Events ---

void CGridMouseHandler::Press(QMouseEvent* event) {
  grid_.HideTitleTip();
  if (event->button() == Qt::LeftButton) OnLButtonDown(event->pos(), event->modifiers());
  event->accept();
}

void CGridMouseHandler::Move(QMouseEvent* event) {
  OnMouseMove(event->pos(), event->buttons() & Qt::LeftButton);
  event->accept();
}

void CGridMouseHandler::Release(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    OnLButtonUp(event->pos());
  } else if (event->button() == Qt::RightButton) {
    OnRButtonUp(event->pos());
  }
  event->accept();
}

void CGridMouseHandler::DoubleClick(QMouseEvent* event) {
  grid_.HideTitleTip();
  if (event->button() == Qt::LeftButton) {
    leftDown_ = true;
    OnLButtonDblClk(event->pos());
  }
  event->accept();
}

void CGridMouseHandler::Wheel(QWheelEvent* event) {
  OnMouseWheel(event->angleDelta().y());
  event->accept();
}

QPoint CGridMouseHandler::RelativeToCell(QPoint point, const CellID& cell) const {
  QPoint origin;
  if (!grid_.GetCellOrigin(cell.row, cell.col, &origin)) return point;
  return point - origin;
}

bool CGridMouseHandler::IsOverColumnDivider(QPoint point) const {
  if (point.y() >= grid_.GetFixedRowHeight()) return false;
  const CellID cell = grid_.GetCellFromPt(point);
  Rect rect;
  if (!grid_.GetCellRect(cell.row, cell.col, &rect)) return false;
  return (point.x() - rect.left <= kResizeCaptureRange && cell.col != 0) ||
         rect.right - point.x() <= kResizeCaptureRange;
}

bool CGridMouseHandler::IsOverRowDivider(QPoint point) const {
  if (point.x() >= grid_.GetFixedColumnWidth()) return false;
  const CellID cell = grid_.GetCellFromPt(point);
  Rect rect;
  if (!grid_.GetCellRect(cell.row, cell.col, &rect)) return false;
  return (point.y() - rect.top <= kResizeCaptureRange && cell.row != 0) ||
         rect.bottom - point.y() <= kResizeCaptureRange;
}

int CGridMouseHandler::ColumnLeftOfBoundary(QPoint point) const {
  CellID cell = grid_.GetCellFromPt(point);
  Rect rect;
  if (!grid_.GetCellRect(cell.row, cell.col, &rect)) return -1;
  if (point.x() - rect.left <= kResizeCaptureRange && cell.col != 0) --cell.col;
  while (cell.col > 0 && grid_.GetColumnWidth(cell.col) == 0) --cell.col;
  return cell.col;
}

int CGridMouseHandler::RowAboveBoundary(QPoint point) const {
  CellID cell = grid_.GetCellFromPt(point);
  Rect rect;
  if (!grid_.GetCellRect(cell.row, cell.col, &rect)) return -1;
  if (point.y() - rect.top <= kResizeCaptureRange && cell.row != 0) --cell.row;
  while (cell.row > 0 && grid_.GetRowHeight(cell.row) == 0) --cell.row;
  return cell.row;
}

MouseMode CGridMouseHandler::HoverModeAt(QPoint point) const {
  if (grid_.GetColumnResize() && IsOverColumnDivider(point)) return MouseMode::OverColumnDivider;
  if (grid_.GetRowResize() && IsOverRowDivider(point)) return MouseMode::OverRowDivider;
  return MouseMode::Nothing;
}

void CGridMouseHandler::EndHover() {
  if (mode_ != MouseMode::OverColumnDivider && mode_ != MouseMode::OverRowDivider) return;
  mode_ = MouseMode::Nothing;
  grid_.setCursor(Qt::ArrowCursor);
}

void CGridMouseHandler::Leave() { EndHover(); }

void CGridMouseHandler::UpdateCursor(QPoint point) {
  switch (mode_) {
    case MouseMode::OverColumnDivider:
    case MouseMode::SizingColumn:
      grid_.setCursor(Qt::SizeHorCursor);
      return;
    case MouseMode::OverRowDivider:
    case MouseMode::SizingRow:
      grid_.setCursor(Qt::SizeVerCursor);
      return;
    case MouseMode::Dragging:
      return;
    default:
      break;
  }
  const CellID cell = grid_.GetCellFromPt(point);
  const CGridCellBase* object = grid_.GetCell(cell.row, cell.col);
  grid_.setCursor(object ? object->OnSetCursor() : QCursor(Qt::ArrowCursor));
}

void CGridMouseHandler::OfferTitleTip(const CellID& cell) {
  CTitleTip* tip = grid_.TitleTip();
  if (!grid_.GetTitleTips() || !tip || mode_ != MouseMode::Nothing) return;
  const CGridCellBase* object = grid_.GetCell(cell.row, cell.col);
  if (!object || object->IsEditing() || object->GetTipText().isEmpty()) return;
  Rect cellRect;
  if (!grid_.GetCellRect(cell.row, cell.col, &cellRect)) return;
  Rect textRect = cellRect;
  if (!object->GetTipTextRect(textRect)) return;
  tip->Show(textRect, object->GetTipText(), 0, cellRect, &object->GetFont(),
            grid_.GetTitleTipTextClr(), grid_.GetTitleTipBackClr());
}

bool CGridMouseHandler::BeginDrag() {
  mode_ = MouseMode::Dragging;
  const bool dragged = CGridDragSource::Run(grid_);
  mode_ = MouseMode::Nothing;
  return dragged;
}

void CGridMouseHandler::SetTracker(int position, Qt::Orientation orientation) {
  ClearTracker();
  trackerPos_ = position;
  trackerOrientation_ = orientation;
  grid_.update(CGridPainter::TrackerRect(position, orientation, grid_.GetClientRect()).ToQRect());
}

void CGridMouseHandler::ClearTracker() {
  if (trackerPos_ < 0) return;
  grid_.update(
      CGridPainter::TrackerRect(trackerPos_, trackerOrientation_, grid_.GetClientRect()).ToQRect());
  trackerPos_ = -1;
}

void CGridMouseHandler::PaintTracker(QPainter& painter) const {
  if (trackerPos_ >= 0)
    CGridPainter::PaintTracker(painter, trackerPos_, trackerOrientation_, grid_.GetClientRect());
}

void CGridMouseHandler::PostCommand() {
  QPointer<CGridCtrl> grid(&grid_);
  QMetaObject::invokeMethod(
      &grid_,
      [grid] {
        if (grid) emit grid->Command(grid->ControlId());
      },
      Qt::QueuedConnection);
}

void CGridMouseHandler::OnLButtonDown(QPoint point, Qt::KeyboardModifiers modifiers) {
  CGridCtrl& grid = grid_;
  grid.setFocus(Qt::MouseFocusReason);
  leftDown_ = true;
  downPoint_ = point;
  pointer_ = point;
  downCell_ = grid.GetCellFromPt(point);
  if (!grid.IsValid(downCell_)) return;
  const bool ctrl = modifiers & Qt::ControlModifier;
  selectionStart_ = (modifiers & Qt::ShiftModifier) ? grid.GetFocusCell() : downCell_;

  grid.EndEditing();
  if (CGridCellBase* cell = grid.GetCell(downCell_.row, downCell_.col))
    cell->OnClickDown(RelativeToCell(point, downCell_));

  if (downCell_ == grid.GetFocusCell()) {
    if (grid.IsCellEditable(downCell_.row, downCell_.col)) mode_ = MouseMode::PrepareEdit;
    return;
  }

  if (grid.IsCellSelected(downCell_.row, downCell_.col)) {
    if (ctrl) {
      grid.selection_.SetSelected(downCell_, false);
      grid.SetFocusCell(downCell_);
      grid.RedrawCell(downCell_.row, downCell_.col);
      return;
    }
    if (grid.GetDragAndDrop()) mode_ = MouseMode::PrepareDrag;
  } else if (mode_ != MouseMode::OverColumnDivider && mode_ != MouseMode::OverRowDivider) {
    if (grid.GetRowCount() > grid.GetFixedRowCount() &&
        grid.GetColumnCount() > grid.GetFixedColumnCount())
      grid.SetFocusCell(std::max(downCell_.row, grid.GetFixedRowCount()),
                        std::max(downCell_.col, grid.GetFixedColumnCount()));
  }

  if (mode_ == MouseMode::Nothing) {
    mode_ = HoverModeAt(point);
    UpdateCursor(point);
  }

  if (mode_ == MouseMode::OverColumnDivider) {
    mode_ = MouseMode::SizingColumn;
    sizingIndex_ = ColumnLeftOfBoundary(point);
    QPoint origin;
    grid.GetCellOrigin(0, std::max(0, sizingIndex_), &origin);
    sizingEdge_ = origin.x();
    SetTracker(std::max(point.x(), sizingEdge_), Qt::Vertical);
  } else if (mode_ == MouseMode::OverRowDivider) {
    mode_ = MouseMode::SizingRow;
    sizingIndex_ = RowAboveBoundary(point);
    QPoint origin;
    grid.GetCellOrigin(std::max(0, sizingIndex_), 0, &origin);
    sizingEdge_ = origin.y();
    SetTracker(std::max(point.y(), sizingEdge_), Qt::Horizontal);
  } else if (mode_ != MouseMode::PrepareDrag) {
    grid.selection_.ClearPrevious();
    if (ctrl) grid.selection_.KeepAsPrevious();
    if (downCell_.row < grid.GetFixedRowCount()) {
      grid.OnFixedRowClick(downCell_);
    } else if (downCell_.col < grid.GetFixedColumnCount()) {
      grid.OnFixedColumnClick(downCell_);
    } else {
      BeginSelecting(grid.GetListMode() ? MouseMode::SelectRows : MouseMode::SelectCells,
                     downCell_);
    }
    autoScroll_.start();
  }
  lastPoint_ = point;
}

void CGridMouseHandler::OnMouseMove(QPoint point, bool leftDown) {
  CGridCtrl& grid = grid_;
  pointer_ = point;
  if (mode_ != MouseMode::Dragging && !grid.GetClientRect().Contains(point)) {
    EndHover();
    return;
  }
  if (CTitleTip* tip = grid.TitleTip();
      tip && tip->isVisible() && !tip->HoverRect().Contains(point))
    tip->Hide();

  leftDown = leftDown && leftDown_;
  if (!leftDown || mode_ == MouseMode::Nothing) {
    mode_ = HoverModeAt(point);
    UpdateCursor(point);
    if (mode_ == MouseMode::Nothing) {
      const CellID cell = grid.GetCellFromPt(point);
      if (CGridCellBase* object = grid.GetCell(cell.row, cell.col)) {
        object->OnMouseOver();
        OfferTitleTip(cell);
      }
    }
    lastPoint_ = point;
    return;
  }

  if (!grid.IsValid(downCell_)) {
    lastPoint_ = point;
    return;
  }
  switch (mode_) {
    case MouseMode::SelectAll:
    case MouseMode::SelectColumns:
    case MouseMode::SelectRows:
    case MouseMode::SelectCells: {
      const CellID cell = grid.GetCellFromPt(point);
      if (grid.IsValid(cell) && cell != grid.GetFocusCell()) {
        grid.SelectAs(mode_, cell);
        const bool nonFixed =
            cell.row >= grid.GetFixedRowCount() && cell.col >= grid.GetFixedColumnCount();
        if (nonFixed || mode_ == MouseMode::SelectColumns || mode_ == MouseMode::SelectRows)
          grid.SetFocusCell(cell);
      }
      break;
    }
    case MouseMode::SizingColumn:
      SetTracker(std::max(point.x(), sizingEdge_), Qt::Vertical);
      break;
    case MouseMode::SizingRow:
      SetTracker(std::max(point.y(), sizingEdge_), Qt::Horizontal);
      break;
    case MouseMode::PrepareEdit:
    case MouseMode::PrepareDrag:
      // Within the drag distance the hand only trembles: the press stays a click or an edit.
      if ((point - downPoint_).manhattanLength() < QApplication::startDragDistance()) break;
      mode_ = MouseMode::PrepareDrag;
      if (grid.GetDragAndDrop()) {
        autoScroll_.stop();
        BeginDrag();
        leftDown_ = false;
      }
      break;
    default:
      break;
  }
  lastPoint_ = point;
}

void CGridMouseHandler::OnLButtonUp(QPoint point) {
  CGridCtrl& grid = grid_;
  const bool wasDown = leftDown_;
  leftDown_ = false;
  autoScroll_.stop();
  if (!wasDown) return;
  const CellID focus = grid.GetFocusCell();
  CGridCellBase* focusCell = grid.GetCell(focus.row, focus.col);
  // A press outside the cells acts on no cell: neither the focus cell's click nor a notice.
  const bool onCell = grid.IsValid(downCell_);
  switch (onCell ? mode_ : MouseMode::Nothing) {
    case MouseMode::PrepareEdit:
      mode_ = MouseMode::Nothing;
      grid.OnEditCell(focus.row, focus.col, RelativeToCell(point, focus), VK_LBUTTON);
      break;
    case MouseMode::PrepareDrag:
      if (focusCell) focusCell->OnClick(RelativeToCell(point, focus));
      grid.SendNotify(NM_CLICK, downCell_);
      grid.ResetSelectedRange();
      break;
    case MouseMode::SizingColumn:
      ClearTracker();
      if (point != downPoint_ && sizingIndex_ >= 0) {
        grid.SetColumnWidth(sizingIndex_, std::max(0, point.x() - sizingEdge_));
        grid.ResetScrollBars();
        grid.update();
      }
      break;
    case MouseMode::SizingRow:
      ClearTracker();
      if (point != downPoint_ && sizingIndex_ >= 0) {
        grid.SetRowHeight(sizingIndex_, std::max(0, point.y() - sizingEdge_));
        grid.ResetScrollBars();
        grid.update();
      }
      break;
    default:
      if (!onCell) break;
      if (focusCell) focusCell->OnClick(RelativeToCell(point, focus));
      grid.SendNotify(NM_CLICK, downCell_);
      break;
  }
  mode_ = MouseMode::Nothing;
  grid.setCursor(Qt::ArrowCursor);
  if (onCell) PostCommand();
}

void CGridMouseHandler::OnCaptureLost() {
  autoScroll_.stop();
  if (!leftDown_) return;
  leftDown_ = false;
  ClearTracker();
  mode_ = MouseMode::Nothing;
  grid_.setCursor(Qt::ArrowCursor);
}

void CGridMouseHandler::OnLButtonDblClk(QPoint point) {
  CGridCtrl& grid = grid_;
  const CellID cell = grid.GetCellFromPt(point);
  if (!grid.IsValid(cell)) return;
  // The release before a double click ends the hover, and no move need come between: the
  // boundary is found from the point.
  const MouseMode hover = HoverModeAt(point);
  if (hover == MouseMode::OverColumnDivider) {
    const int col = ColumnLeftOfBoundary(point);
    if (col >= 0) grid.AutoSizeColumn(col);
    return;
  }
  if (hover == MouseMode::OverRowDivider) {
    const int row = RowAboveBoundary(point);
    if (row >= 0) grid.AutoSizeRow(row);
    return;
  }
  if (mode_ != MouseMode::Nothing) return;
  const bool fixedRow = cell.row < grid.GetFixedRowCount();
  const bool fixedCol = cell.col < grid.GetFixedColumnCount();
  if (!fixedRow && !fixedCol && grid.IsValid(downCell_)) {
    grid.OnEditCell(cell.row, cell.col, RelativeToCell(point, cell), VK_LBUTTON);
  } else if (grid.GetListMode() && fixedCol && !fixedRow) {
    grid.OnEditCell(cell.row, cell.col, RelativeToCell(point, cell), VK_LBUTTON);
  }
  if (CGridCellBase* object = grid.GetCell(cell.row, cell.col))
    object->OnDblClick(RelativeToCell(point, cell));
  grid.SendNotify(NM_DBLCLK, cell);
}

void CGridMouseHandler::OnRButtonUp(QPoint point) {
  CGridCtrl& grid = grid_;
  grid.EndEditing();
  const CellID cell = grid.GetCellFromPt(point);
  if (!grid.IsValid(cell)) {
    grid.SendNotify(NM_RCLICK, -1, -1);
    return;
  }
  grid.SetFocusCell(std::max(cell.row, grid.GetFixedRowCount()),
                    std::max(cell.col, grid.GetFixedColumnCount()));
  const CellID focus = grid.GetFocusCell();
  if (CGridCellBase* object = grid.GetCell(focus.row, focus.col))
    object->OnRClick(RelativeToCell(point, focus));
  grid.SendNotify(NM_RCLICK, focus);
}

void CGridMouseHandler::OnMouseWheel(int delta) {
  CGridCtrl& grid = grid_;
  wheelRemainder_ += delta;
  const int wheelLines = grid.GetWheelScrollLines();
  if (wheelLines == -1) {
    const int pages = wheelRemainder_ / 120;
    wheelRemainder_ -= pages * 120;
    for (int i = 0; i < std::abs(pages); ++i) grid.OnVScroll(pages > 0 ? SB_PAGEUP : SB_PAGEDOWN);
    return;
  }
  if (wheelLines <= 0) {
    wheelRemainder_ = 0;
    return;
  }
  // Smaller steps (high-resolution wheels) add up until they make a line.
  const int lines = wheelRemainder_ * wheelLines / 120;
  wheelRemainder_ -= lines * 120 / wheelLines;
  for (int i = 0; i < std::abs(lines); ++i) grid.OnVScroll(lines > 0 ? SB_LINEUP : SB_LINEDOWN);
}

void CGridMouseHandler::OnTimer() {
  CGridCtrl& grid = grid_;
  if (!leftDown_) {
    autoScroll_.stop();
    return;
  }
  const Rect client = grid.GetClientRect();
  const int fixedHeight = grid.GetFixedRowHeight();
  const int fixedWidth = grid.GetFixedColumnWidth();
  const int x = std::clamp(pointer_.x(), client.left, std::max(client.left, client.right - 1));
  const int y = std::clamp(pointer_.y(), client.top, std::max(client.top, client.bottom - 1));
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  CellID cell;
  if (pointer_.y() >= client.bottom) {
    grid.OnKeyDown(VK_DOWN, none);
    cell = grid.GetCellFromPt(QPoint(x, client.bottom - 1));
  } else if (pointer_.y() < fixedHeight) {
    grid.OnKeyDown(VK_UP, none);
    cell = grid.GetCellFromPt(QPoint(x, fixedHeight + 1));
  } else if (pointer_.x() >= client.right) {
    grid.OnKeyDown(VK_RIGHT, none);
    cell = grid.GetCellFromPt(QPoint(client.right - 1, y));
  } else if (pointer_.x() < fixedWidth) {
    grid.OnKeyDown(VK_LEFT, none);
    cell = grid.GetCellFromPt(QPoint(fixedWidth + 1, y));
  } else {
    return;
  }
  if (grid.IsValid(cell)) grid.SelectAs(mode_, cell);
}
