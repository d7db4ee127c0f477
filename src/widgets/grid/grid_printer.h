#pragma once

#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

#include "widgets/grid/grid_print_layout.h"

class CGridCtrl;
class QPainter;
class QWidget;

// The title of the nearest window around `widget` that has one (empty when none has).
QString FirstParentTitle(const QWidget* widget);

// Lays a grid out over printed pages and prints them: each page has a header (the window's
// title and the application's), the fixed rows as column headings, the fixed columns as row
// buttons, as many rows (and, printing at screen size, columns) as fit, and a footer with
// "Page n of m" and the date and time. Page coordinates are the grid's own pixels, scaled to
// the printer's page.
class CGridPrinter {
 public:
  explicit CGridPrinter(CGridCtrl& grid) : grid_(grid) {}

  GridPrintLayout& Layout() { return layout_; }
  const GridPrintLayout& Layout() const { return layout_; }

  // The steps of a job; without a painter each does nothing. BeginPrinting measures the pages
  // and sets the job's page range; PrintPage prints info.currentPage through the grid's
  // (overridable) header, footer, heading and row-button steps. Header and footer draw in page
  // coordinates, headings and row buttons with the origin at the grid's top-left corner.
  void BeginPrinting(QPainter* painter, GridPrintInfo& info);
  void PrintPage(QPainter* painter, const GridPrintInfo& info);
  void EndPrinting(QPainter* painter);
  void PrintHeader(QPainter* painter, const GridPrintInfo& info);
  void PrintFooter(QPainter* painter, const GridPrintInfo& info);
  void PrintColumnHeadings(QPainter* painter, const GridPrintInfo& info);
  void PrintRowButtons(QPainter* painter, const GridPrintInfo& info);

 private:
  struct Span {
    int first = 0;
    int end = 0;  // one past the last
  };

  // Where each page starts among sizes[first...]: a page ends before the size that would take
  // its sum past `room`, but takes at least one.
  static std::vector<int> PageStarts(const std::vector<int>& sizes, int first, int room);
  // Page `index` of those starts, as a span ending where the next page starts or at `count`.
  static Span PageSpan(const std::vector<int>& starts, int index, int count);
  std::vector<int> RowStarts() const;
  std::vector<int> ColumnStarts() const;
  // Makes the rows and columns of `page` (counted from 1) the current ones.
  void SelectPage(int page);
  // Prints the cells of rows x cols with the top-left one at `origin`, and with grid lines
  // round the cells when asked.
  void PrintBlock(QPainter& painter, Span rows, Span cols, QPoint origin, bool gridLines = false);
  QFont BoldFont() const;

  CGridCtrl& grid_;
  GridPrintLayout layout_;
  QFont font_;
  QSize charSize_;
  QSize paperSize_;
  QSize pageSize_;
  int printableHeight_ = 0;
  int printableWidth_ = 0;
  int pagesDown_ = 0;
  int pagesAcross_ = 0;
  std::vector<int> rowStarts_;  // page breaks, measured once per job
  std::vector<int> columnStarts_;
  Span rows_;  // of the page being printed
  Span cols_;
};
