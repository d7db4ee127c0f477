#include "grid_drag_source.h"

#include <QDrag>

#include "widgets/grid/grid_ctrl.h"

namespace {

CGridDragSource::Runner& TheRunner() {
  static CGridDragSource::Runner runner;
  return runner;
}

// The selected cell the drag is announced for: the leftmost one of the top selected row (the
// corner of the selected range need not be selected itself).
CellID FirstSelectedCell(const CGridCtrl& grid) {
  const CellRange range = grid.GetSelectedCellRange();
  for (int col = range.minCol; col <= range.maxCol; ++col) {
    if (grid.IsCellSelected(range.minRow, col)) return {range.minRow, col};
  }
  return range.TopLeft();
}

}  // namespace

void CGridDragSource::SetRunner(Runner runner) { TheRunner() = std::move(runner); }

bool CGridDragSource::Run(CGridCtrl& grid) {
  std::unique_ptr<QMimeData> data = grid.CopyTextFromSelection();
  if (!data) return false;
  grid.SendNotify(GRIDN_BEGINDRAG, FirstSelectedCell(grid));
  Qt::DropAction action = Qt::IgnoreAction;
  if (TheRunner()) {
    action = TheRunner()(&grid, data.release(), Qt::CopyAction | Qt::MoveAction);
  } else {
    auto* drag = new QDrag(&grid);  // the grid owns it; Qt disposes of it after the drag
    drag->setMimeData(data.release());
    QPoint hotSpot;
    const QPixmap image = grid.CreateDragImage(&hotSpot);
    if (!image.isNull()) {
      drag->setPixmap(image);
      drag->setHotSpot(hotSpot);
    }
    action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
  }
  if (action == Qt::MoveAction) grid.CutSelectedText();
  return true;
}
