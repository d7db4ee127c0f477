#include "grid_mouse_handler.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "widgets/grid/grid_cell_base.h"
#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_keys.h"
#include "widgets/grid/title_tip.h"

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

void CGridMouseHandler::UpdateCursor(QPoint point) {
  switch (grid_.mouseMode_) {
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
  grid.selection_.SetStartCell((modifiers & Qt::ShiftModifier) ? grid.focusCell_ : downCell_);

  grid.EndEditing();
  if (CGridCellBase* cell = grid.GetCell(downCell_.row, downCell_.col))
    cell->OnClickDown(RelativeToCell(point, downCell_));

  if (downCell_ == grid.focusCell_) {
    if (grid.IsCellEditable(downCell_.row, downCell_.col)) grid.mouseMode_ = MouseMode::PrepareEdit;
    return;
  }

  if (grid.IsCellSelected(downCell_.row, downCell_.col)) {
    if (ctrl) {
      grid.selection_.SetSelected(downCell_, false);
      grid.SetFocusCell(downCell_);
      grid.RedrawCell(downCell_.row, downCell_.col);
      return;
    }
    if (grid.allowDragAndDrop_) grid.mouseMode_ = MouseMode::PrepareDrag;
  } else if (grid.mouseMode_ != MouseMode::OverColumnDivider &&
             grid.mouseMode_ != MouseMode::OverRowDivider) {
    if (grid.GetRowCount() > grid.GetFixedRowCount() &&
        grid.GetColumnCount() > grid.GetFixedColumnCount())
      grid.SetFocusCell(std::max(downCell_.row, grid.GetFixedRowCount()),
                        std::max(downCell_.col, grid.GetFixedColumnCount()));
  }

  if (grid.mouseMode_ == MouseMode::Nothing) {
    if (grid.allowColumnResize_ && IsOverColumnDivider(point)) {
      grid.mouseMode_ = MouseMode::OverColumnDivider;
    } else if (grid.allowRowResize_ && IsOverRowDivider(point)) {
      grid.mouseMode_ = MouseMode::OverRowDivider;
    }
    UpdateCursor(point);
  }

  if (grid.mouseMode_ == MouseMode::OverColumnDivider) {
    grid.mouseMode_ = MouseMode::SizingColumn;
    sizingIndex_ = ColumnLeftOfBoundary(point);
    QPoint origin;
    grid.GetCellOrigin(0, std::max(0, sizingIndex_), &origin);
    sizingEdge_ = origin.x();
    grid.SetTracker(std::max(point.x(), sizingEdge_), Qt::Vertical);
  } else if (grid.mouseMode_ == MouseMode::OverRowDivider) {
    grid.mouseMode_ = MouseMode::SizingRow;
    sizingIndex_ = RowAboveBoundary(point);
    QPoint origin;
    grid.GetCellOrigin(std::max(0, sizingIndex_), 0, &origin);
    sizingEdge_ = origin.y();
    grid.SetTracker(std::max(point.y(), sizingEdge_), Qt::Horizontal);
  } else if (grid.mouseMode_ != MouseMode::PrepareDrag) {
    grid.selection_.ClearPrevious();
    if (ctrl) grid.selection_.KeepAsPrevious();
    if (downCell_.row < grid.GetFixedRowCount()) {
      grid.OnFixedRowClick(downCell_);
    } else if (downCell_.col < grid.GetFixedColumnCount()) {
      grid.OnFixedColumnClick(downCell_);
    } else {
      grid.mouseMode_ = grid.listMode_ ? MouseMode::SelectRows : MouseMode::SelectCells;
      grid.OnSelecting(downCell_);
    }
    grid.StartAutoScroll();
  }
  lastPoint_ = point;
}

void CGridMouseHandler::OnMouseMove(QPoint point, bool leftDown) {
  CGridCtrl& grid = grid_;
  pointer_ = point;
  const bool dragging = grid.mouseMode_ == MouseMode::Dragging;
  if (!dragging && !grid.GetClientRect().Contains(point)) return;
  if (CTitleTip* tip = grid.TitleTip();
      tip && tip->isVisible() && !tip->HoverRect().Contains(point))
    tip->Hide();

  leftDown = leftDown && leftDown_;
  if (!leftDown || grid.mouseMode_ == MouseMode::Nothing) {
    MouseMode mode = MouseMode::Nothing;
    if (grid.allowColumnResize_ && IsOverColumnDivider(point)) {
      mode = MouseMode::OverColumnDivider;
    } else if (grid.allowRowResize_ && IsOverRowDivider(point)) {
      mode = MouseMode::OverRowDivider;
    }
    grid.mouseMode_ = mode;
    UpdateCursor(point);
    if (grid.mouseMode_ == MouseMode::Nothing) {
      const CellID cell = grid.GetCellFromPt(point);
      if (CGridCellBase* object = grid.GetCell(cell.row, cell.col)) {
        object->OnMouseOver();
        grid.OfferTitleTip(cell);
      }
    }
    lastPoint_ = point;
    return;
  }

  if (!grid.IsValid(downCell_)) {
    lastPoint_ = point;
    return;
  }
  switch (grid.mouseMode_) {
    case MouseMode::SelectAll:
    case MouseMode::SelectColumns:
    case MouseMode::SelectRows:
    case MouseMode::SelectCells: {
      const CellID cell = grid.GetCellFromPt(point);
      if (grid.IsValid(cell) && cell != grid.focusCell_) {
        grid.OnSelecting(cell);
        const bool nonFixed =
            cell.row >= grid.GetFixedRowCount() && cell.col >= grid.GetFixedColumnCount();
        if (nonFixed || grid.mouseMode_ == MouseMode::SelectColumns ||
            grid.mouseMode_ == MouseMode::SelectRows)
          grid.SetFocusCell(cell);
      }
      break;
    }
    case MouseMode::SizingColumn:
      grid.SetTracker(std::max(point.x(), sizingEdge_), Qt::Vertical);
      break;
    case MouseMode::SizingRow:
      grid.SetTracker(std::max(point.y(), sizingEdge_), Qt::Horizontal);
      break;
    case MouseMode::PrepareEdit:
    case MouseMode::PrepareDrag:
      grid.mouseMode_ = MouseMode::PrepareDrag;
      // Like a drag-and-drop source, start only once the pointer left the drag distance.
      if (grid.allowDragAndDrop_ &&
          (point - downPoint_).manhattanLength() >= QApplication::startDragDistance()) {
        grid.StopAutoScroll();
        grid.BeginDrag();
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
  grid.StopAutoScroll();
  if (!wasDown) return;
  const CellID focus = grid.focusCell_;
  CGridCellBase* focusCell = grid.GetCell(focus.row, focus.col);
  switch (grid.mouseMode_) {
    case MouseMode::PrepareEdit:
      grid.mouseMode_ = MouseMode::Nothing;
      grid.OnEditCell(focus.row, focus.col, RelativeToCell(point, focus), VK_LBUTTON);
      break;
    case MouseMode::PrepareDrag:
      if (focusCell) focusCell->OnClick(RelativeToCell(point, focus));
      grid.SendNotify(NM_CLICK, downCell_);
      grid.ResetSelectedRange();
      break;
    case MouseMode::SizingColumn:
      grid.ClearTracker();
      if (point != downPoint_ && sizingIndex_ >= 0) {
        grid.SetColumnWidth(sizingIndex_, std::max(0, point.x() - sizingEdge_));
        grid.ResetScrollBars();
        grid.update();
      }
      break;
    case MouseMode::SizingRow:
      grid.ClearTracker();
      if (point != downPoint_ && sizingIndex_ >= 0) {
        grid.SetRowHeight(sizingIndex_, std::max(0, point.y() - sizingEdge_));
        grid.ResetScrollBars();
        grid.update();
      }
      break;
    default:
      if (focusCell) focusCell->OnClick(RelativeToCell(point, focus));
      grid.SendNotify(NM_CLICK, downCell_);
      break;
  }
  grid.mouseMode_ = MouseMode::Nothing;
  grid.setCursor(Qt::ArrowCursor);
  if (grid.IsValid(downCell_)) PostCommand();
}

void CGridMouseHandler::OnCaptureLost() {
  CGridCtrl& grid = grid_;
  grid.StopAutoScroll();
  if (!leftDown_) return;
  leftDown_ = false;
  grid.ClearTracker();
  grid.mouseMode_ = MouseMode::Nothing;
  grid.setCursor(Qt::ArrowCursor);
}

void CGridMouseHandler::OnLButtonDblClk(QPoint point) {
  CGridCtrl& grid = grid_;
  const CellID cell = grid.GetCellFromPt(point);
  if (!grid.IsValid(cell)) return;
  if (grid.mouseMode_ == MouseMode::OverColumnDivider) {
    const int col = ColumnLeftOfBoundary(point);
    if (col >= 0) grid.AutoSizeColumn(col);
    return;
  }
  if (grid.mouseMode_ == MouseMode::OverRowDivider) {
    const int row = RowAboveBoundary(point);
    if (row >= 0) grid.AutoSizeRow(row);
    return;
  }
  if (grid.mouseMode_ != MouseMode::Nothing) return;
  const bool fixedRow = cell.row < grid.GetFixedRowCount();
  const bool fixedCol = cell.col < grid.GetFixedColumnCount();
  if (!fixedRow && !fixedCol && grid.IsValid(downCell_)) {
    grid.OnEditCell(cell.row, cell.col, RelativeToCell(point, cell), VK_LBUTTON);
  } else if (grid.listMode_ && fixedCol && !fixedRow) {
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
  const CellID focus = grid.focusCell_;
  if (CGridCellBase* object = grid.GetCell(focus.row, focus.col))
    object->OnRClick(RelativeToCell(point, focus));
  grid.SendNotify(NM_RCLICK, focus);
}

void CGridMouseHandler::OnMouseWheel(int delta) {
  CGridCtrl& grid = grid_;
  wheelRemainder_ += delta;
  if (grid.wheelLines_ == -1) {
    const int pages = wheelRemainder_ / 120;
    wheelRemainder_ -= pages * 120;
    for (int i = 0; i < std::abs(pages); ++i) grid.OnVScroll(pages > 0 ? SB_PAGEUP : SB_PAGEDOWN);
    return;
  }
  if (grid.wheelLines_ <= 0) {
    wheelRemainder_ = 0;
    return;
  }
  // Smaller steps (high-resolution wheels) add up until they make a line.
  const int lines = wheelRemainder_ * grid.wheelLines_ / 120;
  wheelRemainder_ -= lines * 120 / grid.wheelLines_;
  for (int i = 0; i < std::abs(lines); ++i) grid.OnVScroll(lines > 0 ? SB_LINEUP : SB_LINEDOWN);
}

void CGridMouseHandler::OnTimer() {
  CGridCtrl& grid = grid_;
  if (!leftDown_) {
    grid.StopAutoScroll();
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
  if (grid.IsValid(cell)) grid.OnSelecting(cell);
}
