#include "grid_selection.h"

#include <algorithm>
#include <vector>

#include "widgets/grid/cell_info.h"
#include "widgets/grid/grid_cell_base.h"
#include "widgets/grid/grid_cell_store.h"

CellRange SelectionRangeFor(const CGridCellStore& store, MouseMode mode, const CellID& start,
                            const CellID& cell, bool listMode, bool singleRowOnly) {
  const int fixedRows = store.FixedRowCount();
  const int fixedCols = store.FixedColumnCount();
  const int lastRow = store.RowCount() - 1;
  const int lastCol = store.ColumnCount() - 1;
  const CellID from = start.IsValid() ? start : cell;
  switch (mode) {
    case MouseMode::SelectAll:
      return {fixedRows, fixedCols, lastRow, lastCol};
    case MouseMode::SelectColumns:
      return {fixedRows, std::min(from.col, cell.col), lastRow, std::max(from.col, cell.col)};
    case MouseMode::SelectRows:
      if (listMode && singleRowOnly) return {cell.row, fixedCols, cell.row, lastCol};
      return {std::min(from.row, cell.row), fixedCols, std::max(from.row, cell.row), lastCol};
    case MouseMode::SelectCells:
      if (!store.IsValid(cell) || cell.row < fixedRows || cell.col < fixedCols) return {};
      return {std::min(from.row, cell.row), std::min(from.col, cell.col),
              std::max(from.row, cell.row), std::max(from.col, cell.col)};
    default:
      return {};
  }
}

CellRange CGridSelection::Range() const {
  if (selected_.empty()) return {};
  CellRange range(store_.RowCount(), store_.ColumnCount(), -1, -1);
  for (const CellID& cell : selected_) {
    range.minRow = std::min(range.minRow, cell.row);
    range.minCol = std::min(range.minCol, cell.col);
    range.maxRow = std::max(range.maxRow, cell.row);
    range.maxCol = std::max(range.maxCol, cell.col);
  }
  return range;
}

void CGridSelection::Note(const CellID& cell, bool selected) {
  if (selected) {
    selected_.insert(cell);
  } else {
    selected_.erase(cell);
  }
}

void CGridSelection::Forget(const CellID& cell) {
  selected_.erase(cell);
  previous_.erase(cell);
}

void CGridSelection::Rebuild() {
  selected_.clear();
  previous_.clear();
  for (int row = 0; row < store_.RowCount(); ++row) {
    for (int col = 0; col < store_.ColumnCount(); ++col) {
      const CGridCellBase* cell = store_.Cell(row, col);
      if (cell && (cell->GetState() & CELLSTATE_SELECTED)) selected_.insert({row, col});
    }
  }
}

bool CGridSelection::SetSelected(const CellID& cell, bool selected) {
  CGridCellBase* object = store_.Cell(cell.row, cell.col);
  if (!object) return false;
  const unsigned state = object->GetState();
  const bool was = (state & CELLSTATE_SELECTED) != 0;
  object->SetState(selected ? (state | CELLSTATE_SELECTED) : (state & ~CELLSTATE_SELECTED));
  Note(cell, selected);
  return was != selected;
}

void CGridSelection::SetRange(CellRange range, bool singleRowOnly, bool forceRedraw,
                              const Redraw& redraw) {
  const int fixedRows = store_.FixedRowCount();
  const int fixedCols = store_.FixedColumnCount();
  if (range.minRow >= 0 && range.minRow < fixedRows) range.minRow = fixedRows;
  if (range.maxRow >= 0 && range.maxRow < fixedRows) range.maxRow = fixedRows;
  if (range.minCol >= 0 && range.minCol < fixedCols) range.minCol = fixedCols;
  if (range.maxCol >= 0 && range.maxCol < fixedCols) range.maxCol = fixedCols;
  range.maxRow = std::min(range.maxRow, store_.RowCount() - 1);
  range.maxCol = std::min(range.maxCol, store_.ColumnCount() - 1);
  const bool valid = range.IsValid();

  std::vector<CellID> leaving;
  for (const CellID& cell : selected_) {
    if (!valid || !range.InRange(cell)) leaving.push_back(cell);
  }
  for (const CellID& cell : leaving) {
    SetSelected(cell, false);
    if (redraw) redraw(cell.row, cell.col);
  }

  if (!singleRowOnly) {
    for (const CellID& cell : previous_) {
      if (!store_.IsValid(cell)) continue;
      if ((SetSelected(cell, true) || forceRedraw) && redraw) redraw(cell.row, cell.col);
    }
  }

  if (!valid) return;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    for (int col = range.minCol; col <= range.maxCol; ++col) {
      if ((SetSelected({row, col}, true) || forceRedraw) && redraw) redraw(row, col);
    }
  }
}
