#pragma once

#include <QPoint>
#include <QSize>

#include "platform/rect.h"
#include "widgets/grid/cell_range.h"

class CGridCellStore;

// Scroll-bar request codes.
constexpr int SB_LINEUP = 0;
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_LEFT = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;

// Which scroll bars a grid needs and the client area that leaves.
struct ScrollBarLayout {
  bool vertical = false;
  bool horizontal = false;
  int clientWidth = 0;
  int clientHeight = 0;
};
// A bar is shown only when the cells do not fit; one bar may make the other necessary.
ScrollBarLayout LayOutScrollBars(long long virtualWidth, long long virtualHeight, int fullWidth,
                                 int fullHeight, int barWidth, int barHeight);

// Where the cells of a store lie in a client area of a given size at the current scroll
// positions. Fixed rows and columns stay put; the non-fixed ones are drawn from the top-left
// non-fixed cell on, which is the first row (column) whose offset reaches the scroll position.
class CGridView {
 public:
  explicit CGridView(const CGridCellStore& store) : store_(store) {}

  void SetClientSize(int width, int height);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  Rect ClientRect() const { return {0, 0, clientWidth_, clientHeight_}; }

  int ScrollX() const { return scrollX_; }
  int ScrollY() const { return scrollY_; }
  // Positions are kept within 0 ... the maximum.
  void SetScrollX(int x);
  void SetScrollY(int y);
  int MaxScrollX() const;
  int MaxScrollY() const;

  CellID TopLeftNonFixed() const;
  // Client position of a cell's top-left corner.
  QPoint CellOrigin(int row, int col) const;
  // Client rectangle of a cell (empty for an invalid cell).
  Rect CellRect(int row, int col) const;
  // The cell under a client point: (-1, -1) outside the cells; with !allowFixed, fixed cells
  // count as outside.
  CellID CellFromPoint(QPoint point, bool allowFixed = true) const;
  // Non-fixed cells at least partly in the client area (at least the top-left one).
  CellRange VisibleNonFixed() const;
  // Non-fixed cells wholly in the client area.
  CellRange UnobstructedNonFixed() const;
  // Client x and y where the last column and row end (0 when there are none).
  int CellsRight() const;
  int CellsBottom() const;

  // The scroll requests of the bars; true when the position changed.
  bool VScroll(int code, int thumbPos = 0);
  bool HScroll(int code, int thumbPos = 0);
  // Scrolls so that a cell lies wholly in the client area where it can; true when it moved.
  bool EnsureVisible(int row, int col);

 private:
  const CGridCellStore& store_;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  int scrollX_ = 0;
  int scrollY_ = 0;
};
