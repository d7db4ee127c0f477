#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>

// A cell's row and column; (-1, -1) names no cell.
struct CellID {
  int row = -1;
  int col = -1;

  constexpr CellID() = default;
  constexpr CellID(int r, int c) : row(r), col(c) {}

  // Both coordinates non-negative; the grid also checks them against its counts.
  constexpr bool IsValid() const { return row >= 0 && col >= 0; }
  constexpr bool operator==(const CellID&) const = default;
};

struct CellIDHash {
  std::size_t operator()(const CellID& cell) const noexcept {
    return std::hash<long long>()((static_cast<long long>(cell.row) << 32) ^
                                  static_cast<unsigned>(cell.col));
  }
};

// An inclusive rectangle of cells: min row, min column, max row, max column.
struct CellRange {
  int minRow = -1;
  int minCol = -1;
  int maxRow = -1;
  int maxCol = -1;

  constexpr CellRange() = default;
  constexpr CellRange(int r1, int c1, int r2, int c2)
      : minRow(r1), minCol(c1), maxRow(r2), maxCol(c2) {}

  constexpr bool IsValid() const {
    return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow &&
           minCol <= maxCol;
  }
  constexpr bool InRange(int row, int col) const {
    return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
  }
  constexpr bool InRange(const CellID& cell) const { return InRange(cell.row, cell.col); }
  constexpr CellID TopLeft() const { return {minRow, minCol}; }
  constexpr int RowSpan() const { return maxRow - minRow + 1; }
  constexpr int ColSpan() const { return maxCol - minCol + 1; }
  constexpr CellRange Intersect(const CellRange& other) const {
    return {std::max(minRow, other.minRow), std::max(minCol, other.minCol),
            std::min(maxRow, other.maxRow), std::min(maxCol, other.maxCol)};
  }
  constexpr bool operator==(const CellRange&) const = default;
};
