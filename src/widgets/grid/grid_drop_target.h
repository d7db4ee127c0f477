#pragma once

#include <QPoint>
#include <Qt>
#include <functional>

#include "widgets/grid/cell_range.h"

class CGridCtrl;
class QDragEnterEvent;
class QDragLeaveEvent;
class QDragMoveEvent;
class QDropEvent;
class QMimeData;

// Receives text dragged onto a grid: while the pointer is over an editable cell that cell is
// highlighted and the drop would copy (Ctrl) or move; a drop pastes the text at that cell.
// Only while the grid allows drag and drop.
class CGridDropTarget {
 public:
  // `onDrop` runs when a drop arrives, before the text is pasted.
  CGridDropTarget(CGridCtrl& grid, std::function<void()> onDrop)
      : grid_(grid), onDrop_(std::move(onDrop)) {}

  void DragEnter(QDragEnterEvent* event);
  void DragMove(QDragMoveEvent* event);
  void DragLeave(QDragLeaveEvent* event);
  void Drop(QDropEvent* event);

  // The effect at `point` (IgnoreAction for none), moving the highlight as it goes.
  Qt::DropAction OnDragEnter(const QMimeData* data, QPoint point, Qt::KeyboardModifiers keys);
  Qt::DropAction OnDragOver(const QMimeData* data, QPoint point, Qt::KeyboardModifiers keys);
  void OnDragLeave();
  bool OnDrop(const QMimeData* data, QPoint point);
  CellID HighlightedCell() const { return highlighted_; }

 private:
  Qt::DropAction Track(const QMimeData* data, QPoint point, Qt::KeyboardModifiers keys);
  void Highlight(const CellID& cell);

  CGridCtrl& grid_;
  std::function<void()> onDrop_;
  CellID highlighted_;
};
