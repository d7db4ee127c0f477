#include "grid_cell_base.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "platform/draw_text.h"
#include "platform/system_colors.h"
#include "widgets/grid/grid_ctrl.h"
#include "widgets/grid/grid_image_list.h"
#include "widgets/grid/grid_look.h"

namespace {

void Fill(QPainter& painter, const Rect& rect, ColorRef color) {
  if (!rect.IsEmpty()) painter.fillRect(rect.ToQRect(), ToQColor(color));
}

// A one-pixel frame just inside `rect`.
void Frame(QPainter& painter, const Rect& rect, ColorRef color) {
  if (rect.IsEmpty()) return;
  const QColor c = ToQColor(color);
  painter.fillRect(rect.left, rect.top, rect.Width(), 1, c);
  painter.fillRect(rect.left, rect.bottom - 1, rect.Width(), 1, c);
  painter.fillRect(rect.left, rect.top, 1, rect.Height(), c);
  painter.fillRect(rect.right - 1, rect.top, 1, rect.Height(), c);
}

// A sunken inner edge round `rect`: dark shadow top and left, light bottom and right.
void SunkenInnerEdge(QPainter& painter, const Rect& rect) {
  if (rect.IsEmpty()) return;
  const QColor dark = ToQColor(GetSysColor(COLOR_3DDKSHADOW));
  const QColor light = ToQColor(GetSysColor(COLOR_3DLIGHT));
  painter.fillRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
  painter.fillRect(rect.right - 1, rect.top, 1, rect.Height(), light);
  painter.fillRect(rect.left, rect.top, rect.Width() - 1, 1, dark);
  painter.fillRect(rect.left, rect.top, 1, rect.Height() - 1, dark);
}

// A raised border on an inclusive rectangle: highlight along the top and left, dark shadow
// along the right and bottom.
void RaisedBorder(QPainter& painter, const Rect& inclusive) {
  const int width = inclusive.right - inclusive.left + 1;
  const int height = inclusive.bottom - inclusive.top + 1;
  if (width <= 0 || height <= 0) return;
  const QColor light = ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT));
  const QColor dark = ToQColor(GetSysColor(COLOR_3DDKSHADOW));
  painter.fillRect(inclusive.left, inclusive.top, width, 1, light);
  painter.fillRect(inclusive.left, inclusive.top, 1, height - 1, light);
  painter.fillRect(inclusive.right, inclusive.top, 1, height, dark);
  painter.fillRect(inclusive.left + 1, inclusive.bottom, width - 1, 1, dark);
}

// The sort triangle, `size` wide and high with its top-left corner at `origin`.
void SortArrow(QPainter& painter, QPoint origin, int size, bool ascending) {
  const QColor light = ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT));
  const QColor dark = ToQColor(GetSysColor(COLOR_BTNSHADOW));
  const int x = origin.x(), y = origin.y();
  QPolygon shape;
  if (ascending) {
    shape << QPoint(x + size / 2, y) << QPoint(x + size, y + size) << QPoint(x, y + size);
  } else {
    shape << QPoint(x, y) << QPoint(x + size, y) << QPoint(x + size / 2, y + size);
  }
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(light, 0));
  painter.drawPolygon(shape.translated(1, 1));
  painter.setPen(QPen(dark, 0));
  painter.drawPolygon(shape);
  painter.restore();
}

// The cell's font, semi-bold when asked: fixed cells are measured so, and drawn so in line
// with the focus cell.
LogFont WeightedFont(const CGridCellBase& cell, bool semiBold) {
  LogFont font = cell.GetFont();
  if (semiBold) font.lfWeight = FW_SEMIBOLD;
  return font;
}

}  // namespace

void CGridCellBase::Assign(const CGridCellBase& other) {
  SetGrid(other.GetGrid());
  SetText(other.GetText());
  SetImage(other.GetImage());
  SetData(other.GetData());
  SetState(other.GetState());
  SetFormat(other.GetFormat());
  SetTextClr(other.GetTextClr());
  SetBackClr(other.GetBackClr());
  SetFont(other.GetFont());
  SetMargin(other.GetMargin());
}

void CGridCellBase::Reset() {
  SetText(QString());
  SetImage(-1);
  SetData(0);
  SetState(0);
  SetFormat(kDefaultCellFormat);
  SetTextClr(CLR_DEFAULT);
  SetBackClr(CLR_DEFAULT);
  SetFont(GetGrid() ? GetGrid()->GetDefaultFont() : LogFont());
  SetMargin(kDefaultCellMargin);
}

QFont CGridCellBase::DrawingFont(bool semiBold) const {
  const CGridCtrl* grid = GetGrid();
  const LogFont font = WeightedFont(*this, semiBold);
  return grid ? grid->FontOf(font) : ToQFont(font);
}

ColorRef CGridCellBase::DefaultTextColor(const GridDrawContext& context) const {
  return IsFixed() ? context.look.fixedTextColor : context.look.textColor;
}

bool CGridCellBase::Draw(QPainter& painter, const GridDrawContext& context, int row, int col,
                         Rect cellRect, bool eraseBkgnd) {
  if (cellRect.IsEmpty()) return false;
  // The rules below work on the cell's rectangle with inclusive right and bottom edges.
  Rect rect(cellRect.left, cellRect.top, cellRect.right - 1, cellRect.bottom - 1);
  const unsigned state = GetState();
  const bool fixed = (state & CELLSTATE_FIXED) != 0;
  const int gridLines = context.gridLines;

  ColorRef textClr = GetTextClr() != CLR_DEFAULT ? GetTextClr() : DefaultTextColor(context);
  ColorRef backClr = GetBackClr();
  if (backClr != CLR_DEFAULT) {
    eraseBkgnd = true;
  } else {
    backClr = fixed ? context.look.fixedBkColor : context.look.textBkColor;
  }

  const auto widened = [](const Rect& r) { return Rect(r.left, r.top, r.right + 1, r.bottom + 1); };
  if (state & (CELLSTATE_FOCUSED | CELLSTATE_DROPHILITED)) {
    if (state & CELLSTATE_SELECTED) {
      backClr = GetSysColor(COLOR_HIGHLIGHT);
      textClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
      eraseBkgnd = true;
    }
    rect = widened(rect);
    if (eraseBkgnd) Fill(painter, rect, backClr);
    if (gridLines != GRIDLINES_NONE) {
      rect.right--;
      rect.bottom--;
    }
    Frame(painter, rect, textClr);
    if (gridLines == GRIDLINES_NONE) {
      rect.right--;
      rect.bottom--;
    }
    rect = rect.Inflate(-1, -1);
  } else if (state & CELLSTATE_SELECTED) {
    Fill(painter, widened(rect), GetSysColor(COLOR_HIGHLIGHT));
    textClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else if (eraseBkgnd) {
    Fill(painter, widened(rect), backClr);
  }

  bool semiBold = false;
  if (fixed && gridLines != GRIDLINES_NONE) {
    const CellID focus = context.focusCell;
    if (focus.IsValid() && (focus.row == row || focus.col == col)) {
      semiBold = true;
      const Rect edge = widened(rect);
      SunkenInnerEdge(painter, edge);
      rect = edge.Inflate(-1, -1);
    } else {
      RaisedBorder(painter, rect);
      rect = rect.Inflate(-1, -1);
    }
  }

  const QFont font = context.look.FontOf(WeightedFont(*this, semiBold));
  if (painter.font() != font) painter.setFont(font);  // most cells share one font
  painter.setPen(ToQColor(textClr));
  const int margin = static_cast<int>(GetMargin());
  rect = rect.Inflate(-margin, 0);

  const CGridImageList* images = context.images;
  QSize imageSize;
  if (images && GetImage() >= 0 && images->GetImageSize(GetImage(), &imageSize)) {
    const Rect room = rect.Inflate(margin, margin);
    if (imageSize.width() <= room.Width() && imageSize.height() <= room.Height())
      images->Draw(painter, GetImage(), QPoint(rect.left, rect.top));
    rect.left += imageSize.width() + margin;
  }

  if (row == 0 && col == context.sortColumn) {
    const QFontMetrics metrics(font, painter.device());
    int size = std::min(metrics.height() - 4, cellRect.Height() - 4);
    if (size > 0) {
      SortArrow(painter, QPoint(rect.right - size, rect.top + 2), size, context.sortAscending);
      rect.right -= size;
    }
  }

  if (!rect.IsEmpty()) DrawText(painter, rect, GetText(), GetFormat() | DT_NOPREFIX);
  return true;
}

bool CGridCellBase::GetTextRect(Rect& rect) const {
  const int margin = static_cast<int>(GetMargin());
  rect = rect.Inflate(-margin, 0);
  const CGridCtrl* grid = GetGrid();
  const CGridImageList* images = grid ? grid->GetImageList() : nullptr;
  QSize imageSize;
  if (images && GetImage() >= 0 && images->GetImageSize(GetImage(), &imageSize))
    rect.left += imageSize.width() + margin;
  return true;
}

QSize CGridCellBase::GetTextExtent(const QString& text) const {
  const QFont font = DrawingFont(IsFixed());
  const int margin = static_cast<int>(GetMargin());
  QSize size;
  if (!text.contains(u'\n') && !text.contains(u'\r')) {
    const QFontMetrics metrics(font);
    size = QSize(metrics.horizontalAdvance(text), metrics.height());
  } else {
    const Rect needed = CalcTextRect(font, Rect(), text, DT_NOPREFIX);
    size = QSize(needed.Width(), needed.Height());
  }
  return size + QSize(2 * margin, 2 * margin);
}

QSize CGridCellBase::GetCellExtent() const {
  QSize size = GetTextExtent(GetText());
  const CGridCtrl* grid = GetGrid();
  const CGridImageList* images = grid ? grid->GetImageList() : nullptr;
  QSize imageSize;
  if (images && GetImage() >= 0 && images->GetImageSize(GetImage(), &imageSize)) {
    size.rwidth() += imageSize.width() + static_cast<int>(GetMargin());
    size.rheight() = std::max(size.height(), imageSize.height());
  }
  return size;
}

bool CGridCellBase::PrintCell(QPainter& painter, const GridDrawContext& context, int row, int col,
                              Rect rect) {
  const CGridCtrl* grid = GetGrid();
  if (!grid) return false;
  if (grid->GetPrintColors()) return Draw(painter, context, row, col, rect, true);
  // Without print colours: black text on white, no selection or focus marks.
  const unsigned state = GetState();
  const ColorRef textClr = GetTextClr(), backClr = GetBackClr();
  SetState(state & ~(CELLSTATE_FOCUSED | CELLSTATE_SELECTED | CELLSTATE_DROPHILITED));
  SetTextClr(MakeColorRef(0, 0, 0));
  SetBackClr(MakeColorRef(255, 255, 255));
  const bool drawn = Draw(painter, context, row, col, rect, true);
  SetState(state);
  SetTextClr(textClr);
  SetBackClr(backClr);
  return drawn;
}
