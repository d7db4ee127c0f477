#include "focus_mark.h"

#include <QFocusEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

void FocusMarkState::FocusIn(const QFocusEvent* event, const QWidget* widget) {
  switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
      // Qt marks the window so when the keys moved the focus.
      fromKeyboard_ = widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
      break;
    case Qt::MouseFocusReason:
      fromKeyboard_ = false;
      break;
    default:  // back from another window or a menu: as it was
      break;
  }
}

void FocusMarkState::FocusOut(const QFocusEvent* event) {
  // Only a window or a menu opened over the control keeps the mark for its return.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
    fromKeyboard_ = false;
}

bool FocusMarkState::Shown(const QWidget* widget) const {
  return fromKeyboard_ && widget->hasFocus();
}

QColor FocusMarkColor() { return QColor(228, 92, 56); }

void DrawFocusMark(QPainter& painter, const QRectF& rect) {
  if (rect.width() < 6 || rect.height() < 6) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  const QRectF outer = rect.adjusted(1, 1, -1, -1);
  painter.setPen(QPen(FocusMarkColor(), 2));
  painter.drawRoundedRect(outer, 4, 4);
  painter.setPen(QPen(Qt::white, 1));
  painter.drawRoundedRect(outer.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
  painter.restore();
}
