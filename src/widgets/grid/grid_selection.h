#pragma once

#include <functional>
#include <unordered_set>

#include "widgets/grid/cell_range.h"

class CGridCellStore;

// What the mouse is doing in a grid, one value at a time.
enum class MouseMode : int {
  Nothing = 0,
  SelectAll = 1,
  SelectColumns = 2,
  SelectRows = 3,
  SelectCells = 4,
  OverRowDivider = 6,
  SizingRow = 7,
  OverColumnDivider = 8,
  SizingColumn = 9,
  PrepareEdit = 10,
  PrepareDrag = 11,
  Dragging = 12,
};

// The range a selection extends to when it reaches `cell` in `mode`, starting from `start`;
// an invalid range when the mode selects nothing (or a fixed or invalid cell in select cells).
CellRange SelectionRangeFor(const CGridCellStore& store, MouseMode mode, const CellID& start,
                            const CellID& cell, bool listMode, bool singleRowOnly);

// The selected cells of a grid, kept in step with the cells' CELLSTATE_SELECTED bits, and the
// previous selection that a Ctrl click keeps while a new range is dragged.
class CGridSelection {
 public:
  using CellSet = std::unordered_set<CellID, CellIDHash>;
  using Redraw = std::function<void(int row, int col)>;

  explicit CGridSelection(CGridCellStore& store) : store_(store) {}

  int Count() const { return static_cast<int>(selected_.size()); }
  bool Contains(const CellID& cell) const { return selected_.count(cell) != 0; }
  const CellSet& Cells() const { return selected_; }
  // The smallest range holding every selected cell (invalid when nothing is selected).
  CellRange Range() const;

  // Keeps the set in step with a state change made elsewhere.
  void Note(const CellID& cell, bool selected);
  // A cell goes away: it is no longer selected.
  void Forget(const CellID& cell);
  // The cell ids changed (rows inserted, deleted or sorted): rebuild from the cell states.
  void Rebuild();

  void ClearPrevious() { previous_.clear(); }
  void KeepAsPrevious() { previous_ = selected_; }

  // Makes `range` the selection: limits are raised out of the fixed cells; selected cells
  // outside it are deselected; unless `singleRowOnly`, the previous selection is selected again;
  // then the cells of the range are selected. Every changed cell (every touched cell with
  // `forceRedraw`) is passed to `redraw`.
  void SetRange(CellRange range, bool singleRowOnly, bool forceRedraw, const Redraw& redraw);
  void Clear(const Redraw& redraw) { SetRange(CellRange(), true, false, redraw); }

  // Sets or clears the selected bit of one cell; true when it changed.
  bool SetSelected(const CellID& cell, bool selected);

 private:
  CGridCellStore& store_;
  CellSet selected_;
  CellSet previous_;
};
