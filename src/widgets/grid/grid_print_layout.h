#pragma once

#include "platform/rect.h"

// How a grid lays out its printed pages. Heights and the gap count lines of the printer
// font, margins its average character widths.
struct GridPrintLayout {
  int headerHeight = 2;  // above the grid on each page
  int footerHeight = 2;  // below it
  int leftMargin = 4;
  int rightMargin = 4;
  // Kept with the layout but not applied: the printer's page rectangle already leaves the
  // paper's margins out, and the page breaks depend on the rest alone.
  int topMargin = 1;
  int bottomMargin = 1;
  int gap = 1;  // between header and grid, and between grid and footer
  // Print at the screen's physical size, over as many pages across as needed, instead of
  // fitting the grid's width to the page.
  bool wysiwyg = false;
};

// One print job as its steps see it.
struct GridPrintInfo {
  Rect drawRect;  // the printable area of a page in device pixels
  int minPage = 1;
  int maxPage = 1;
  int currentPage = 1;
};
