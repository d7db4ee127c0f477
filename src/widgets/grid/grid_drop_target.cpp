#include "grid_drop_target.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

#include "widgets/grid/grid_cell_base.h"
#include "widgets/grid/grid_ctrl.h"

void CGridDropTarget::Highlight(const CellID& cell) {
  if (cell == highlighted_) return;
  if (CGridCellBase* old = grid_.GetCell(highlighted_.row, highlighted_.col)) {
    old->SetState(old->GetState() & ~CELLSTATE_DROPHILITED);
    grid_.RedrawCell(highlighted_.row, highlighted_.col);
  }
  highlighted_ = cell;
  if (CGridCellBase* now = grid_.GetCell(cell.row, cell.col)) {
    now->SetState(now->GetState() | CELLSTATE_DROPHILITED);
    grid_.RedrawCell(cell.row, cell.col);
  }
}

Qt::DropAction CGridDropTarget::Track(const QMimeData* data, QPoint point,
                                      Qt::KeyboardModifiers keys) {
  const CellID cell = grid_.GetCellFromPt(point, false);
  // Only a cell that would take the drop keeps the highlight.
  if (!data || !grid_.IsValid(cell) || !grid_.IsCellEditable(cell.row, cell.col)) {
    Highlight(CellID());
    return Qt::IgnoreAction;
  }
  Highlight(cell);
  return (keys & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
}

Qt::DropAction CGridDropTarget::OnDragEnter(const QMimeData* data, QPoint point,
                                            Qt::KeyboardModifiers keys) {
  if (!grid_.GetDragAndDrop() || !data || !data->hasText()) return Qt::IgnoreAction;
  return Track(data, point, keys);
}

Qt::DropAction CGridDropTarget::OnDragOver(const QMimeData* data, QPoint point,
                                           Qt::KeyboardModifiers keys) {
  if (!grid_.GetDragAndDrop() || !data || !data->hasText() || !grid_.IsEditable()) {
    Highlight(CellID());
    return Qt::IgnoreAction;
  }
  return Track(data, point, keys);
}

void CGridDropTarget::OnDragLeave() { Highlight(CellID()); }

bool CGridDropTarget::OnDrop(const QMimeData* data, QPoint point) {
  const CellID cell = grid_.GetCellFromPt(point, false);
  const bool onHighlight =
      grid_.IsValid(cell) && cell == highlighted_ && grid_.IsCellEditable(cell.row, cell.col);
  if (onDrop_) onDrop_();
  Highlight(CellID());
  if (!onHighlight) return false;
  return grid_.PasteTextToGrid(cell, data);
}

void CGridDropTarget::DragEnter(QDragEnterEvent* event) {
  if (!grid_.GetDragAndDrop() || !event->mimeData()->hasText()) {
    event->ignore();
    return;
  }
  const Qt::DropAction action =
      OnDragEnter(event->mimeData(), event->position().toPoint(), event->modifiers());
  // Entering is accepted whenever text comes, so that moves over other cells still arrive.
  event->setDropAction(action);
  event->accept();
}

void CGridDropTarget::DragMove(QDragMoveEvent* event) {
  const Qt::DropAction action =
      OnDragOver(event->mimeData(), event->position().toPoint(), event->modifiers());
  if (action == Qt::IgnoreAction) {
    event->ignore();
    return;
  }
  event->setDropAction(action);
  event->accept();
}

void CGridDropTarget::DragLeave(QDragLeaveEvent* event) {
  OnDragLeave();
  event->accept();
}

void CGridDropTarget::Drop(QDropEvent* event) {
  const Qt::DropAction action =
      (event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
  if (!OnDrop(event->mimeData(), event->position().toPoint())) {
    event->ignore();
    return;
  }
  event->setDropAction(action);
  event->accept();
}
