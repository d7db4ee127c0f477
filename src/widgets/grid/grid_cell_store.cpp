#include "grid_cell_store.h"

#include <algorithm>

#include "widgets/grid/grid_cell_base.h"

CGridCellStore::CGridCellStore(CGridCellFactory& factory) : factory_(factory) {}

CGridCellStore::~CGridCellStore() = default;

CGridCellBase* CGridCellStore::Cell(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  return rows_[row][col].get();
}

void CGridCellStore::FillRow(int row) {
  Row& cells = rows_[row];
  for (int col = 0; col < ColumnCount(); ++col) cells[col] = factory_.MakeCell(row, col);
}

void CGridCellStore::DisposeRow(int row) {
  for (int col = 0; col < ColumnCount(); ++col) {
    if (rows_[row][col]) factory_.DisposeCell(row, col);
    rows_[row][col].reset();
  }
}

void CGridCellStore::SetRowCount(int count, int newRowHeight) {
  count = std::max(0, count);
  const int old = RowCount();
  if (count == old) return;
  if (count < old) {
    for (int row = old - 1; row >= count; --row) DisposeRow(row);
    rows_.resize(count);
    heights_.resize(count);
  } else {
    rows_.reserve(count);
    heights_.resize(count, newRowHeight);
    for (int row = old; row < count; ++row) {
      rows_.emplace_back(ColumnCount());
      FillRow(row);
    }
  }
  if (fixedRows_ > count) fixedRows_ = count;
  RowsChanged();
}

void CGridCellStore::SetColumnCount(int count, int newColumnWidth) {
  count = std::max(0, count);
  const int old = ColumnCount();
  if (count == old) return;
  if (count < old) {
    for (int row = 0; row < RowCount(); ++row) {
      for (int col = count; col < old; ++col) {
        if (rows_[row][col]) factory_.DisposeCell(row, col);
        rows_[row][col].reset();
      }
      rows_[row].resize(count);
    }
    widths_.resize(count);
  } else {
    widths_.resize(count, newColumnWidth);
    for (Row& cells : rows_) cells.resize(count);
    for (int row = 0; row < RowCount(); ++row) {
      for (int col = old; col < count; ++col) rows_[row][col] = factory_.MakeCell(row, col);
    }
  }
  if (fixedCols_ > count) fixedCols_ = count;
  ColumnsChanged();
}

int CGridCellStore::InsertRow(int before, int height) {
  const int row = (before < 0 || before > RowCount()) ? RowCount() : before;
  rows_.insert(rows_.begin() + row, Row(ColumnCount()));
  heights_.insert(heights_.begin() + row, height);
  RowsChanged();
  FillRow(row);
  return row;
}

int CGridCellStore::InsertColumn(int before, int width) {
  const int col = (before < 0 || before > ColumnCount()) ? ColumnCount() : before;
  widths_.insert(widths_.begin() + col, width);
  for (Row& cells : rows_) cells.insert(cells.begin() + col, nullptr);
  ColumnsChanged();
  for (int row = 0; row < RowCount(); ++row) rows_[row][col] = factory_.MakeCell(row, col);
  return col;
}

void CGridCellStore::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  DisposeRow(row);
  rows_.erase(rows_.begin() + row);
  heights_.erase(heights_.begin() + row);
  if (row < fixedRows_) --fixedRows_;
  RowsChanged();
}

void CGridCellStore::Clear() {
  for (int row = 0; row < RowCount(); ++row) DisposeRow(row);
  rows_.clear();
  heights_.clear();
  widths_.clear();
  fixedRows_ = 0;
  fixedCols_ = 0;
  RowsChanged();
  ColumnsChanged();
}

void CGridCellStore::MarkFixed(int rowFrom, int rowTo, int colFrom, int colTo, bool fixed) {
  for (int row = std::max(0, rowFrom); row < std::min(rowTo, RowCount()); ++row) {
    for (int col = std::max(0, colFrom); col < std::min(colTo, ColumnCount()); ++col) {
      CGridCellBase* cell = rows_[row][col].get();
      if (!cell) continue;
      const unsigned state = cell->GetState();
      cell->SetState(fixed ? (state | CELLSTATE_FIXED) : (state & ~CELLSTATE_FIXED));
      cell->SetBackClr(CLR_DEFAULT);
      cell->SetTextClr(CLR_DEFAULT);
    }
  }
}

bool CGridCellStore::ReplaceCell(int row, int col, std::unique_ptr<CGridCellBase> cell) {
  if (!IsValid(row, col)) return false;
  rows_[row][col] = std::move(cell);
  return true;
}

void CGridCellStore::PermuteRows(int first, const std::vector<int>& order) {
  std::vector<Row> rows;
  std::vector<int> heights;
  rows.reserve(order.size());
  heights.reserve(order.size());
  for (int from : order) {
    rows.push_back(std::move(rows_[from]));
    heights.push_back(heights_[from]);
  }
  for (std::size_t i = 0; i < order.size(); ++i) {
    rows_[first + i] = std::move(rows[i]);
    heights_[first + i] = heights[i];
  }
  RowsChanged();
}

int CGridCellStore::RowHeight(int row) const {
  return (row >= 0 && row < RowCount()) ? heights_[row] : 0;
}

int CGridCellStore::ColumnWidth(int col) const {
  return (col >= 0 && col < ColumnCount()) ? widths_[col] : 0;
}

void CGridCellStore::SetRowHeight(int row, int height) {
  if (row < 0 || row >= RowCount()) return;
  heights_[row] = std::max(0, height);
  RowsChanged();
}

void CGridCellStore::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= ColumnCount()) return;
  widths_[col] = std::max(0, width);
  ColumnsChanged();
}

namespace {

void RunningSums(const std::vector<int>& sizes, std::vector<long long>* sums) {
  sums->resize(sizes.size() + 1);
  long long sum = 0;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    (*sums)[i] = sum;
    sum += sizes[i];
  }
  sums->back() = sum;
}

}  // namespace

const std::vector<long long>& CGridCellStore::RowTops() const {
  if (!rowTopsValid_) {
    RunningSums(heights_, &rowTops_);
    rowTopsValid_ = true;
  }
  return rowTops_;
}

const std::vector<long long>& CGridCellStore::ColumnLefts() const {
  if (!colLeftsValid_) {
    RunningSums(widths_, &colLefts_);
    colLeftsValid_ = true;
  }
  return colLefts_;
}

long long CGridCellStore::RowTop(int row) const {
  const auto& tops = RowTops();
  return tops[std::clamp(row, 0, RowCount())];
}

long long CGridCellStore::ColumnLeft(int col) const {
  const auto& lefts = ColumnLefts();
  return lefts[std::clamp(col, 0, ColumnCount())];
}

int CGridCellStore::FirstRowAtOrAfter(int from, long long offset) const {
  const auto& tops = RowTops();
  from = std::clamp(from, 0, RowCount());
  return static_cast<int>(std::lower_bound(tops.begin() + from, tops.end() - 1, offset) -
                          tops.begin());
}

int CGridCellStore::FirstColumnAtOrAfter(int from, long long offset) const {
  const auto& lefts = ColumnLefts();
  from = std::clamp(from, 0, ColumnCount());
  return static_cast<int>(std::lower_bound(lefts.begin() + from, lefts.end() - 1, offset) -
                          lefts.begin());
}

int CGridCellStore::RowAt(long long offset) const {
  const auto& tops = RowTops();
  if (offset < 0 || offset >= tops.back()) return -1;
  // The last row whose top is at or above the offset (zero-height rows are skipped).
  return static_cast<int>(std::upper_bound(tops.begin(), tops.end(), offset) - tops.begin()) - 1;
}

int CGridCellStore::ColumnAt(long long offset) const {
  const auto& lefts = ColumnLefts();
  if (offset < 0 || offset >= lefts.back()) return -1;
  return static_cast<int>(std::upper_bound(lefts.begin(), lefts.end(), offset) - lefts.begin()) - 1;
}
