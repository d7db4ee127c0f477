#pragma once

#include "widgets/grid/cell_range.h"

class CGridCellStore;

// Where keys move the focus cell, as functions of the cells' shape.

struct TabMove {
  CellID next;
  bool wrapped = false;  // went on to the next (previous) row
  bool leaves = false;   // at the last (first) cell: the key goes on to the next control
};
// Tab: the next column, after the last column the first non-fixed column of the next row;
// Shift+Tab the reverse.
TabMove TabTarget(const CGridCellStore& store, const CellID& focus, bool backwards);

// Arrows: the nearest column or row in that direction with a size above 0 within the
// non-fixed cells; `focus` itself when there is none.
CellID ArrowTarget(const CGridCellStore& store, const CellID& focus, unsigned vk);

// Home / End: the first / last column (with Ctrl also the first non-fixed / last row), then
// past columns and rows of size 0 (forwards for Home, backwards for End).
CellID HomeEndTarget(const CGridCellStore& store, const CellID& focus, bool end, bool ctrl);

// Page Up / Down: the row moves by as many rows as the view moved; to the first non-fixed
// (last) row when the view did not move or the row would pass it.
int PageTargetRow(const CGridCellStore& store, int row, bool down, int rowsMoved);
