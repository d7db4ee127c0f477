#pragma once

#include <memory>
#include <vector>

#include "widgets/grid/cell_range.h"

class CGridCellBase;

// Makes and disposes of the cells of a store (the grid, through its virtual CreateCell and
// DestroyCell). DestroyCell is told before the store drops a cell.
class CGridCellFactory {
 public:
  virtual ~CGridCellFactory() = default;
  virtual std::unique_ptr<CGridCellBase> MakeCell(int row, int col) = 0;
  virtual void DisposeCell(int row, int col) = 0;
};

// The cells of a grid as rows of cells, with the row heights, column widths and fixed counts.
// Row and column positions are kept as running sums so that cell lookups by position stay
// fast on large grids.
class CGridCellStore {
 public:
  explicit CGridCellStore(CGridCellFactory& factory);
  ~CGridCellStore();
  CGridCellStore(const CGridCellStore&) = delete;
  CGridCellStore& operator=(const CGridCellStore&) = delete;

  int RowCount() const { return static_cast<int>(rows_.size()); }
  int ColumnCount() const { return static_cast<int>(widths_.size()); }
  int FixedRowCount() const { return fixedRows_; }
  int FixedColumnCount() const { return fixedCols_; }
  bool IsValid(int row, int col) const {
    return row >= 0 && row < RowCount() && col >= 0 && col < ColumnCount();
  }
  bool IsValid(const CellID& cell) const { return IsValid(cell.row, cell.col); }

  // The cell, or nullptr out of range (or when the factory made none).
  CGridCellBase* Cell(int row, int col) const;

  // Shape changes. New rows and columns take the given size; cells come from the factory
  // (after the size arrays are in place), row by row.
  void SetRowCount(int count, int newRowHeight);
  void SetColumnCount(int count, int newColumnWidth);
  // Only the counts; the caller marks the cells.
  void SetFixedRowCount(int count) { fixedRows_ = count; }
  void SetFixedColumnCount(int count) { fixedCols_ = count; }
  // Sets or clears CELLSTATE_FIXED on the cells of rows [rowFrom, rowTo) x columns
  // [colFrom, colTo), and gives them the default colours.
  void MarkFixed(int rowFrom, int rowTo, int colFrom, int colTo, bool fixed);
  // Inserts an empty row (before < 0: appended) and fills it from the factory; the new index.
  int InsertRow(int before, int height);
  int InsertColumn(int before, int width);
  void DeleteRow(int row);
  void Clear();

  // Puts `cell` in place of the cell at (row, col), which is dropped without the factory.
  bool ReplaceCell(int row, int col, std::unique_ptr<CGridCellBase> cell);

  // Reorders rows first ... first + order.size() - 1: new row first + i is old row order[i].
  void PermuteRows(int first, const std::vector<int>& order);

  int RowHeight(int row) const;
  int ColumnWidth(int col) const;
  void SetRowHeight(int row, int height);
  void SetColumnWidth(int col, int width);

  // Distance from the top of row 0 to the top of `row` (row may equal the count).
  long long RowTop(int row) const;
  long long ColumnLeft(int col) const;
  long long VirtualHeight() const { return RowTop(RowCount()); }
  long long VirtualWidth() const { return ColumnLeft(ColumnCount()); }
  int FixedRowHeight() const { return static_cast<int>(RowTop(fixedRows_)); }
  int FixedColumnWidth() const { return static_cast<int>(ColumnLeft(fixedCols_)); }

  // The first row in [from, RowCount()) whose top is at least `offset`, or RowCount().
  int FirstRowAtOrAfter(int from, long long offset) const;
  int FirstColumnAtOrAfter(int from, long long offset) const;
  // The row whose span contains the offset from the top of row 0, or -1 past the end.
  int RowAt(long long offset) const;
  int ColumnAt(long long offset) const;

 private:
  using Row = std::vector<std::unique_ptr<CGridCellBase>>;

  void FillRow(int row);
  void DisposeRow(int row);
  void RowsChanged() { rowTopsValid_ = false; }
  void ColumnsChanged() { colLeftsValid_ = false; }
  const std::vector<long long>& RowTops() const;
  const std::vector<long long>& ColumnLefts() const;

  CGridCellFactory& factory_;
  std::vector<Row> rows_;
  std::vector<int> heights_;
  std::vector<int> widths_;
  int fixedRows_ = 0;
  int fixedCols_ = 0;
  mutable std::vector<long long> rowTops_;
  mutable std::vector<long long> colLefts_;
  mutable bool rowTopsValid_ = false;
  mutable bool colLeftsValid_ = false;
};
