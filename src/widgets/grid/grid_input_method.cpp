#include "grid_input_method.h"

#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QPainter>

#include "platform/color_ref.h"
#include "platform/system_colors.h"
#include "widgets/grid/grid_ctrl.h"

namespace {

constexpr int kTextMargin = 2;

}  // namespace

void CGridInputMethod::Event(QInputMethodEvent* event) {
  event->accept();
  if (opening_) return;
  if (event->preeditString() != preedit_) {
    UpdateFocusCell();
    preedit_ = event->preeditString();
    cursor_ = static_cast<int>(preedit_.size());
    for (const QInputMethodEvent::Attribute& attribute : event->attributes())
      if (attribute.type == QInputMethodEvent::Cursor) cursor_ = attribute.start;
    UpdateFocusCell();
  }
  if (event->commitString().isEmpty()) return;
  opening_ = true;
  grid_.OnChar(event->commitString(), Qt::NoModifier);
  opening_ = false;
}

QVariant CGridInputMethod::Query(Qt::InputMethodQuery query) const {
  Rect cell;
  const CellID focus = grid_.GetFocusCell();
  const bool placed = grid_.IsValid(focus) && grid_.GetCellRect(focus.row, focus.col, &cell);
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImFont:
      return grid_.GetGridFont();
    case Qt::ImCursorRectangle: {
      if (!placed) return QRect(0, 0, 1, grid_.height());
      const int x = QFontMetrics(grid_.GetGridFont()).horizontalAdvance(preedit_.left(cursor_));
      return QRect(cell.left + kTextMargin + x, cell.top, 1, cell.Height());
    }
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
      return 0;
    case Qt::ImSurroundingText:
    case Qt::ImCurrentSelection:
      return QString();
    case Qt::ImHints:
      return static_cast<int>(Qt::ImhNone);
    default:
      return QVariant();
  }
}

void CGridInputMethod::Paint(QPainter& painter) const {
  if (preedit_.isEmpty()) return;
  const CellID focus = grid_.GetFocusCell();
  Rect cell;
  if (!grid_.IsValid(focus) || !grid_.GetCellRect(focus.row, focus.col, &cell)) return;
  const QRect area = cell.ToQRect();
  QFont font = grid_.GetGridFont();
  font.setUnderline(true);
  painter.save();
  painter.setClipRect(area);
  painter.fillRect(area, ToQColor(GetSysColor(COLOR_WINDOW)));
  painter.setFont(font);
  painter.setPen(ToQColor(GetSysColor(COLOR_WINDOWTEXT)));
  painter.drawText(area.adjusted(kTextMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, preedit_);
  const int x =
      area.left() + kTextMargin + QFontMetrics(font).horizontalAdvance(preedit_.left(cursor_));
  painter.drawLine(x, area.top() + 2, x, area.bottom() - 2);
  painter.restore();
}

void CGridInputMethod::Clear() {
  if (preedit_.isEmpty()) return;
  UpdateFocusCell();
  preedit_.clear();
}

void CGridInputMethod::UpdateFocusCell() const {
  const CellID focus = grid_.GetFocusCell();
  if (grid_.IsValid(focus)) grid_.RedrawCell(focus.row, focus.col);
}
