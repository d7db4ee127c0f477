#include "grid_navigation.h"

#include "widgets/grid/grid_cell_store.h"
#include "widgets/grid/grid_keys.h"

TabMove TabTarget(const CGridCellStore& store, const CellID& focus, bool backwards) {
  TabMove move;
  move.next = focus;
  const int fixedRows = store.FixedRowCount();
  const int fixedCols = store.FixedColumnCount();
  const int lastRow = store.RowCount() - 1;
  const int lastCol = store.ColumnCount() - 1;
  if (!backwards) {
    if (focus.col < lastCol) {
      ++move.next.col;
    } else if (focus.row < lastRow) {
      move.next = {focus.row + 1, fixedCols};
      move.wrapped = true;
    } else {
      move.leaves = true;
    }
  } else {
    if (focus.col > fixedCols) {
      --move.next.col;
    } else if (focus.row > fixedRows) {
      move.next = {focus.row - 1, lastCol};
      move.wrapped = true;
    } else {
      move.leaves = true;
    }
  }
  return move;
}

CellID ArrowTarget(const CGridCellStore& store, const CellID& focus, unsigned vk) {
  CellID next = focus;
  switch (vk) {
    case VK_DOWN:
      for (int row = focus.row + 1; row < store.RowCount(); ++row) {
        if (store.RowHeight(row) > 0) return {row, focus.col};
      }
      break;
    case VK_UP:
      for (int row = focus.row - 1; row >= store.FixedRowCount(); --row) {
        if (store.RowHeight(row) > 0) return {row, focus.col};
      }
      break;
    case VK_RIGHT:
      for (int col = focus.col + 1; col < store.ColumnCount(); ++col) {
        if (store.ColumnWidth(col) > 0) return {focus.row, col};
      }
      break;
    case VK_LEFT:
      for (int col = focus.col - 1; col >= store.FixedColumnCount(); --col) {
        if (store.ColumnWidth(col) > 0) return {focus.row, col};
      }
      break;
    default:
      break;
  }
  return next;
}

CellID HomeEndTarget(const CGridCellStore& store, const CellID& focus, bool end, bool ctrl) {
  CellID next = focus;
  const int fixedRows = store.FixedRowCount();
  const int fixedCols = store.FixedColumnCount();
  const int lastRow = store.RowCount() - 1;
  const int lastCol = store.ColumnCount() - 1;
  if (end) {
    if (ctrl) next.row = lastRow;
    next.col = lastCol;
    while (next.col > fixedCols && store.ColumnWidth(next.col) == 0) --next.col;
    while (next.row > fixedRows && store.RowHeight(next.row) == 0) --next.row;
  } else {
    if (ctrl) next.row = fixedRows;
    next.col = fixedCols;
    while (next.col < lastCol && store.ColumnWidth(next.col) == 0) ++next.col;
    while (next.row < lastRow && store.RowHeight(next.row) == 0) ++next.row;
  }
  return next;
}

int PageTargetRow(const CGridCellStore& store, int row, bool down, int rowsMoved) {
  if (down) {
    const int lastRow = store.RowCount() - 1;
    if (rowsMoved <= 0 || row + rowsMoved > lastRow) return lastRow;
    return row + rowsMoved;
  }
  const int firstRow = store.FixedRowCount();
  if (rowsMoved <= 0 || row - rowsMoved < firstRow) return firstRow;
  return row - rowsMoved;
}
