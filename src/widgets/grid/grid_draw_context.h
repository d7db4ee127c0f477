#pragma once

#include "widgets/grid/cell_range.h"

class CGridImageList;
class CGridLook;

// Which grid lines are drawn between the non-fixed cells.
enum GridLines : int {
  GRIDLINES_NONE = 0,
  GRIDLINES_HORZ = 1,
  GRIDLINES_VERT = 2,
  GRIDLINES_BOTH = 3,
};

// What a cell needs of its grid to draw itself, gathered once for a whole paint.
struct GridDrawContext {
  const CGridLook& look;  // colours and fonts
  const CGridImageList* images = nullptr;
  int gridLines = GRIDLINES_BOTH;
  CellID focusCell;  // (-1, -1) when the grid has no valid focus cell
  int sortColumn = -1;
  bool sortAscending = true;
};
