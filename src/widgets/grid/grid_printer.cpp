#include "grid_printer.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "platform/dialog_font.h"
#include "platform/draw_text.h"
#include "widgets/grid/grid_ctrl.h"

namespace {

constexpr int kPrinterFontHeight = 10;  // pixels of the page's coordinates
constexpr unsigned kLineFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

int MulDiv(long long number, long long numerator, long long denominator) {
  if (denominator == 0) return 0;
  return static_cast<int>((number * numerator + denominator / 2) / denominator);
}

void DrawEdge(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& color) {
  painter.setPen(QPen(color, 0));
  painter.drawLine(x1, y1, x2, y2);
}

}  // namespace

QString FirstParentTitle(const QWidget* widget) {
  for (const QWidget* parent = widget ? widget->parentWidget() : nullptr; parent;
       parent = parent->parentWidget()) {
    if (!parent->windowTitle().isEmpty()) return parent->windowTitle();
  }
  return QString();
}

std::vector<int> CGridPrinter::PageStarts(const std::vector<int>& sizes, int first, int room) {
  std::vector<int> starts{first};
  long long sum = 0;
  for (int i = first; i < static_cast<int>(sizes.size()); ++i) {
    sum += sizes[i];
    if (sum > room && i > starts.back()) {
      starts.push_back(i);
      sum = sizes[i];
    }
  }
  return starts;
}

std::vector<int> CGridPrinter::RowStarts() const {
  std::vector<int> heights;
  for (int row = 0; row < grid_.GetRowCount(); ++row) heights.push_back(grid_.GetRowHeight(row));
  return PageStarts(heights, grid_.GetFixedRowCount(), printableHeight_);
}

std::vector<int> CGridPrinter::ColumnStarts() const {
  std::vector<int> widths;
  for (int col = 0; col < grid_.GetColumnCount(); ++col)
    widths.push_back(grid_.GetColumnWidth(col));
  return PageStarts(widths, grid_.GetFixedColumnCount(), printableWidth_);
}

QFont CGridPrinter::BoldFont() const {
  QFont bold = font_;
  bold.setWeight(QFont::Bold);
  return bold;
}

void CGridPrinter::BeginPrinting(QPainter* painter, GridPrintInfo& info) {
  if (!painter || !painter->device()) return;
  const QPaintDevice& device = *painter->device();
  font_ = QFont(DialogFont().family());
  font_.setPixelSize(kPrinterFontHeight);
  font_.setWeight(QFont::Normal);
  const QFontMetrics metrics(font_, painter->device());
  const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ");
  charSize_ = QSize(metrics.horizontalAdvance(alphabet) / 52, metrics.height());
  paperSize_ = info.drawRect.IsEmpty() ? QSize(device.width(), device.height())
                                       : QSize(info.drawRect.Width(), info.drawRect.Height());

  const int sideMargins = (layout_.leftMargin + layout_.rightMargin) * charSize_.width();
  if (layout_.wysiwyg) {
    // The grid at the screen's size (its pixels at the screen's resolution), three quarters.
    const int printerDpiX = std::max(1, device.logicalDpiX());
    const int printerDpiY = std::max(1, device.logicalDpiY());
    pageSize_ = QSize(grid_.logicalDpiX() * paperSize_.width() / printerDpiX * 3 / 4,
                      grid_.logicalDpiY() * paperSize_.height() / printerDpiY * 3 / 4);
  } else {
    const int width = static_cast<int>(grid_.GetVirtualWidth()) + sideMargins;
    pageSize_ = QSize(width, MulDiv(width, paperSize_.height(), paperSize_.width()));
  }
  printableHeight_ =
      pageSize_.height() - grid_.GetFixedRowHeight() -
      (layout_.headerHeight + layout_.footerHeight + 2 * layout_.gap) * charSize_.height();
  printableWidth_ = pageSize_.width() - grid_.GetFixedColumnWidth() - sideMargins;
  // The breaks hold for the whole job: the page count given out below rests on them.
  rowStarts_ = RowStarts();
  columnStarts_ = ColumnStarts();
  pagesDown_ = static_cast<int>(rowStarts_.size());
  pagesAcross_ = layout_.wysiwyg ? static_cast<int>(columnStarts_.size()) : 1;
  info.minPage = 1;
  info.maxPage = pagesDown_ * pagesAcross_;
}

CGridPrinter::Span CGridPrinter::PageSpan(const std::vector<int>& starts, int index, int count) {
  const int pages = static_cast<int>(starts.size());
  index = std::clamp(index, 0, pages - 1);
  return {starts[index], index + 1 < pages ? starts[index + 1] : count};
}

void CGridPrinter::SelectPage(int page) {
  const int across = std::max(1, pagesAcross_);
  rows_ = PageSpan(rowStarts_, (page - 1) / across, grid_.GetRowCount());
  cols_ = layout_.wysiwyg ? PageSpan(columnStarts_, (page - 1) % across, grid_.GetColumnCount())
                          : Span{grid_.GetFixedColumnCount(), grid_.GetColumnCount()};
}

void CGridPrinter::PrintPage(QPainter* painter, const GridPrintInfo& info) {
  if (!painter || pageSize_.isEmpty()) return;
  SelectPage(info.currentPage);
  painter->save();
  painter->setFont(font_);
  painter->setWindow(-layout_.leftMargin * charSize_.width(), 0, pageSize_.width(),
                     pageSize_.height());
  painter->setViewport(0, 0, paperSize_.width(), paperSize_.height());
  grid_.PrintHeader(painter, info);

  // The grid part, with its origin at the grid's top-left corner.
  painter->save();
  painter->translate(0, (layout_.headerHeight + layout_.gap) * charSize_.height());
  const int fixedWidth = grid_.GetFixedColumnWidth();
  const int fixedHeight = grid_.GetFixedRowHeight();
  painter->setClipRect(QRect(0, 0, fixedWidth + std::max(0, printableWidth_),
                             fixedHeight + std::max(0, printableHeight_)));
  grid_.PrintRowButtons(painter, info);
  grid_.PrintColumnHeadings(painter, info);
  PrintBlock(*painter, rows_, cols_, QPoint(fixedWidth, fixedHeight), true);
  painter->restore();

  grid_.PrintFooter(painter, info);
  painter->restore();
}

void CGridPrinter::EndPrinting(QPainter* painter) {
  if (painter) font_ = QFont();
}

void CGridPrinter::PrintHeader(QPainter* painter, const GridPrintInfo& /*info*/) {
  if (!painter) return;
  const int width =
      pageSize_.width() - (layout_.leftMargin + layout_.rightMargin) * charSize_.width();
  const Rect rect(0, 0, width, layout_.headerHeight * charSize_.height());
  painter->save();
  painter->setFont(BoldFont());
  painter->setPen(Qt::black);
  DrawText(*painter, rect, FirstParentTitle(&grid_), DT_CENTER | kLineFormat);
  DrawText(*painter, rect, QGuiApplication::applicationDisplayName(), DT_RIGHT | kLineFormat);
  DrawEdge(*painter, rect.left, rect.bottom, rect.right, rect.bottom, Qt::black);
  painter->restore();
}

void CGridPrinter::PrintFooter(QPainter* painter, const GridPrintInfo& info) {
  if (!painter) return;
  const int width =
      pageSize_.width() - (layout_.leftMargin + layout_.rightMargin) * charSize_.width();
  const int top = (layout_.headerHeight + 2 * layout_.gap) * charSize_.height() +
                  grid_.GetFixedRowHeight() + printableHeight_;
  const Rect rect(0, top, width, top + layout_.footerHeight * charSize_.height());
  painter->save();
  DrawEdge(*painter, rect.left, rect.top, rect.right, rect.top, Qt::black);
  painter->setFont(BoldFont());
  painter->setPen(Qt::black);
  DrawText(*painter, rect, QStringLiteral("Page %1 of %2").arg(info.currentPage).arg(info.maxPage),
           DT_LEFT | kLineFormat);
  DrawText(*painter, rect, QLocale().toString(QDateTime::currentDateTime(), QLocale::LongFormat),
           DT_RIGHT | kLineFormat);
  painter->restore();
}

void CGridPrinter::PrintColumnHeadings(QPainter* painter, const GridPrintInfo& /*info*/) {
  if (!painter) return;
  const int fixedRows = grid_.GetFixedRowCount();
  const int fixedCols = grid_.GetFixedColumnCount();
  // The corner over the row buttons goes with the first page across only.
  if (cols_.first == fixedCols) PrintBlock(*painter, {0, fixedRows}, {0, fixedCols}, QPoint(0, 0));
  PrintBlock(*painter, {0, fixedRows}, {cols_.first, cols_.end},
             QPoint(grid_.GetFixedColumnWidth(), 0));
}

void CGridPrinter::PrintRowButtons(QPainter* painter, const GridPrintInfo& /*info*/) {
  if (!painter) return;
  PrintBlock(*painter, {rows_.first, rows_.end}, {0, grid_.GetFixedColumnCount()},
             QPoint(0, grid_.GetFixedRowHeight()));
}

void CGridPrinter::PrintBlock(QPainter& painter, Span rows, Span cols, QPoint origin,
                              bool gridLines) {
  const QColor lineColor = ToQColor(grid_.GetGridLineColor());
  const int lines = gridLines ? grid_.GetGridLines() : GRIDLINES_NONE;
  const GridDrawContext context = grid_.DrawContext();  // the same for every cell of the block
  int y = origin.y();
  for (int row = rows.first; row < rows.end; ++row) {
    const int height = grid_.GetRowHeight(row);
    int x = origin.x();
    for (int col = cols.first; col < cols.end; ++col) {
      const int width = grid_.GetColumnWidth(col);
      const Rect rect(x, y, x + width, y + height);
      x += width;
      if (rect.IsEmpty()) continue;
      if (CGridCellBase* cell = grid_.GetCell(row, col))
        cell->PrintCell(painter, context, row, col, rect);
      if (lines & GRIDLINES_HORZ) {
        DrawEdge(painter, rect.left, rect.bottom - 1, rect.right - 1, rect.bottom - 1, lineColor);
        if (row == rows.first)
          DrawEdge(painter, rect.left, rect.top, rect.right - 1, rect.top, lineColor);
      }
      if (lines & GRIDLINES_VERT) {
        DrawEdge(painter, rect.right - 1, rect.top, rect.right - 1, rect.bottom - 1, lineColor);
        if (col == cols.first)
          DrawEdge(painter, rect.left, rect.top, rect.left, rect.bottom - 1, lineColor);
      }
    }
    y += height;
  }
}
